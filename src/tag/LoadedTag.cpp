#include "tag/LoadedTag.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace kestrune::tag {

namespace {

constexpr int kNewTagVersion = 3;  // v2.3 is what most players read; v2.2 tags are written as v2.3 too

std::string_view View(const ByteVector& bytes) { return {bytes.data(), bytes.size()}; }

}  // namespace

void CollectFieldFrames(const RawTag& raw, FieldFrameSet& set, const std::vector<std::string_view>& only)
{
    set.raw = &raw;
    set.frames.reserve(kTagFieldCount);
    for (size_t i = 0; i < raw.frames.size(); ++i) {
        const RawFrame& stored = raw.frames[i];
        const std::string_view id = FieldFrameId(IdOf(stored));
        if (id.empty() || (!only.empty() && std::find(only.begin(), only.end(), id) == only.end()))
            continue;
        // Most frames store their content as it is; only format flags need a copy undone.
        const bool asIs = ContentIsData(stored, raw);
        const std::optional<ByteVector> undone = asIs ? std::nullopt : FrameContent(stored, raw);
        std::optional<FieldFrameText> read =
            asIs || undone ? ReadFieldFrame(id, View(asIs ? stored.data : *undone)) : std::nullopt;
        if (!read) {
            if (set.problem.empty()) {
                const bool unreadable = !asIs && !undone;
                set.problem = (unreadable ? "compressed or encrypted " : "unknown text encoding in ") +
                              std::string(id) + " frame";
                set.unsupported = unreadable;
            }
            continue;
        }
        set.frames.push_back(FieldFrame{.id = id, .stored = i, .read = std::move(*read)});
    }
}

const FieldFrame* FindFieldFrame(const FieldFrameSet& set, std::string_view id)
{
    const FieldFrame *first = nullptr, *plain = nullptr, *human = nullptr;
    for (const FieldFrame& frame : set.frames) {
        if (frame.id != id)
            continue;
        first = first ? first : &frame;
        plain = plain || frame.read.described ? plain : &frame;
        human = human || frame.read.machineComment ? human : &frame;
    }
    if (id == "COMM")
        return plain ? plain : human;
    if (id == "WXXX")
        return plain ? plain : first;
    return first;
}

FieldFrame* FindFieldFrame(FieldFrameSet& set, std::string_view id)
{
    return const_cast<FieldFrame*>(FindFieldFrame(std::as_const(set), id));
}

Frame& WritableFrame(const FieldFrameSet& set, FieldFrame& frame)
{
    if (!frame.written && frame.stored == FieldFrame::kNew)
        frame.written = NewFieldFrame(frame.id);
    else if (!frame.written) {
        const RawFrame& stored = set.raw->frames.at(frame.stored);
        // Read once already, so neither can fail.
        frame.written = MakeFieldFrame(frame.id, FrameContent(stored, *set.raw).value());
        if (!frame.written)
            throw std::runtime_error("field frame became unreadable");
    }
    return *frame.written;
}

std::unique_ptr<ParsedTag> ParseTag(const ByteVector& region)
{
    auto parsed = std::make_unique<ParsedTag>();
    parsed->raw = ParseId3v2(region);
    UpgradeV22(parsed->raw);
    CollectFieldFrames(parsed->raw, parsed->frames);
    parsed->version = parsed->raw.version ? parsed->raw.version : kNewTagVersion;
    return parsed;
}

LoadedTag LoadedFrom(const Mp3FileAccess& file)
{
    LoadedTag loaded;
    loaded.identity = file.Identity();
    loaded.region = file.Id3v2Region();
    loaded.regionSize = file.Id3v2RegionSize();
    loaded.id3v1 = file.Id3v1Tag();
    loaded.parsed = ParseTag(loaded.region);
    return loaded;
}

}  // namespace kestrune::tag
