#include "tag/LoadedTag.h"

#include <algorithm>

namespace kestrune::tag {

namespace {

constexpr int kNewTagVersion = 3;  // v2.3 is what most players read; v2.2 tags are written as v2.3 too

}  // namespace

void CollectFieldFrames(const RawTag& raw, FieldFrameSet& set, const std::vector<ByteVector>& only)
{
    set.fromStored.assign(raw.frames.size(), nullptr);
    for (size_t i = 0; i < raw.frames.size(); ++i) {
        const RawFrame& stored = raw.frames[i];
        const bool wanted = only.empty() || std::find(only.begin(), only.end(), stored.id) != only.end();
        if (!wanted || !IsFieldFrameId(stored.id))
            continue;
        const std::optional<ByteVector> content = FrameContent(stored, raw);
        std::unique_ptr<Frame> frame = content ? MakeFieldFrame(stored.id, *content) : nullptr;
        if (!frame) {
            if (set.problem.empty()) {
                set.problem = (content ? "unknown text encoding in " : "compressed or encrypted ") +
                              std::string(stored.id.data(), stored.id.size()) + " frame";
                set.unsupported = !content;
            }
            continue;
        }
        set.fromStored[i] = frame.get();
        set.tag.addFrame(frame.release());
    }
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
