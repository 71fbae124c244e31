#include "tag/Mp3File.h"

#include "tag/FieldFrames.h"
#include "tag/Id3v1.h"
#include "tag/Id3v2Raw.h"
#include "tag/Mp3FileAccess.h"
#include "tag/TagFields.h"

#include <taglib/id3v2tag.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace kestrune::tag;

constexpr int kNewTagVersion = 3;      // v2.3 is what most players read; v2.2 tags are written as v2.3 too
constexpr unsigned kGrowPadding = 2048;  // room for later edits, so that they are written in place

ByteVector frameIdOf(std::string_view id) { return ByteVector(id.data(), static_cast<unsigned>(id.size())); }

// The frames of the twelve fields, decoded into a TagLib tag; each one remembers the stored frame it
// was made from.
struct FieldFrameSet {
    TagLib::ID3v2::Tag tag;
    std::vector<Frame*> fromStored;  // per stored frame: the frame made from it, or null
    std::string problem;                   // a field frame that could not be decoded
    bool unsupported = false;              // ... because it is compressed or encrypted, not damaged
};

void collectFieldFrames(const RawTag& raw, FieldFrameSet& set)
{
    set.fromStored.assign(raw.frames.size(), nullptr);
    for (size_t i = 0; i < raw.frames.size(); ++i) {
        const RawFrame& stored = raw.frames[i];
        if (!isFieldFrameId(stored.id))
            continue;
        const std::optional<ByteVector> content = frameContent(stored, raw);
        std::unique_ptr<Frame> frame = content ? makeFieldFrame(stored.id, *content) : nullptr;
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

int versionToWrite(const RawTag& raw) { return raw.version ? raw.version : kNewTagVersion; }

// The text a field is stored with, in the form the frame holds it.
std::string storedForm(const TagField& field, const std::string& text)
{
    return field.kind == TagFrameKind::Url ? percentEncode(text) : text;
}

SaveFailure tagNotUnderstood(const std::string& problem, bool unsupported)
{
    return {unsupported ? SaveReason::TagUnsupported : SaveReason::TagDamaged, "tag not understood: " + problem};
}

void assign(std::string& member, const std::string& text) noexcept
{
    try {
        member = text;
    } catch (...) {
        // Out of memory: the text stays as it was.
    }
}

}  // namespace

CMp3File::CMp3File(const std::string& path) : m_path(path) {}

CMp3File::~CMp3File() = default;

void CMp3File::Load()
{
    ClearTexts();
    m_loadFailed = true;
    try {
        Mp3FileAccess file;
        SaveFailure error;
        if (!file.open(m_path, false, error))
            return;
        RawTag raw = parseId3v2(file.id3v2Region());
        upgradeV22(raw);
        FieldFrameSet frames;
        collectFieldFrames(raw, frames);
        const Id3v1Texts id3v1 = parseId3v1(file.id3v1Tag());
        const int version = versionToWrite(raw);
        for (const TagField& field : kTagFields) {
            // The other version's year frame stands in when a tag has the wrong one.
            const std::string_view id = field.frameId(version), otherId = field.frameId(version >= 4 ? 3 : 4);
            std::string text;
            if (!ReadFrame(frames.tag, frameIdOf(id), text) &&
                (id == otherId || !ReadFrame(frames.tag, frameIdOf(otherId), text)) && field.id3v1 != Id3v1Slot::None)
                text = id3v1[static_cast<size_t>(field.id3v1)];
            (this->*field.set)(text);
        }
        m_loadFailed = false;
    } catch (...) {
        ClearTexts();
    }
}

bool CMp3File::ReadFrame(const TagLib::ID3v2::Tag& tag, const TagLib::ByteVector& frameId, std::string& text)
{
    const Frame* frame = findFieldFrame(tag, frameId);
    text = frame ? fieldText(*frame) : std::string();
    return frame != nullptr;
}

TagLib::ID3v2::Frame* CMp3File::WriteFrame(TagLib::ID3v2::Tag& tag, const TagLib::ByteVector& frameId,
                                           const std::string& text)
{
    Frame* frame = findFieldFrame(tag, frameId);
    if (!frame) {
        std::unique_ptr<Frame> created = newFieldFrame(frameId);
        frame = created.get();
        tag.addFrame(created.release());
    }
    setFieldText(*frame, text);
    return frame;
}

bool CMp3File::Save()
{
    m_saveFailure.reason = SaveReason::Internal;
    m_saveFailure.systemError = 0;
    try {
        m_saveFailure = SaveTag();
    } catch (const std::exception& e) {
        assign(m_saveFailure.detail, std::string("unexpected failure: ") + e.what());
    } catch (...) {
        assign(m_saveFailure.detail, "unexpected failure");
    }
    return m_saveFailure.reason == SaveReason::None;
}

// Returns why the file was not written, or no reason when it holds the twelve texts.
SaveFailure CMp3File::SaveTag()
{
    Mp3FileAccess file;
    SaveFailure error;
    if (!file.open(m_path, true, error))
        return error;
    if (m_loadFailed)
        return {SaveReason::LoadFailed, "file could not be read when loaded"};
    RawTag raw = parseId3v2(file.id3v2Region());
    if (raw.version == 0 && file.id3v1Tag().isEmpty() && !file.hasMpegAudio())
        return {SaveReason::NotMp3, "neither an ID3 tag nor MPEG audio"};
    if (!raw.problem.empty())
        return tagNotUnderstood(raw.problem, raw.unsupported);
    upgradeV22(raw);
    if (!raw.problem.empty())
        return {raw.unsupported ? SaveReason::TagUnsupported : SaveReason::TagDamaged, raw.problem};
    FieldFrameSet frames;
    collectFieldFrames(raw, frames);
    if (!frames.problem.empty())
        return tagNotUnderstood(frames.problem, frames.unsupported);
    const int version = versionToWrite(raw);

    // Only fields that differ from the file, or whose frame is missing, are written.
    std::vector<Frame*> written;
    std::vector<std::string> expected;  // per field: the text the new tag must hold
    for (const TagField& field : kTagFields) {
        const ByteVector id = frameIdOf(field.frameId(version));
        const std::string& text = (this->*field.get)();
        std::string stored;
        if (ReadFrame(frames.tag, id, stored) && stored == text) {
            expected.push_back(text);
            continue;
        }
        written.push_back(WriteFrame(frames.tag, id, text));
        expected.push_back(storedForm(field, text));
    }
    auto isWritten = [&](const Frame* f) { return std::find(written.begin(), written.end(), f) != written.end(); };

    // Every other frame is copied as stored, in its place; new frames go last.
    RawTag updated;
    updated.version = version;
    updated.unsynchronised = raw.unsynchronised;
    auto rendered = [&](Frame& f, const ByteVector& id) {
        return makeRawFrame(id, renderFieldContent(f, version), version, raw.unsynchronised);
    };
    // A tag may hold a field's text frame twice, which ID3v2 does not allow; the editor shows the first.
    // When that field is written the later ones go, or other readers would go on showing their old texts.
    auto duplicatesWritten = [&](const RawFrame& f) {
        return f.id.startsWith("T") && std::any_of(written.begin(), written.end(), [&](const Frame* w) {
                   return w->frameID() == f.id;
               });
    };
    for (size_t i = 0; i < raw.frames.size(); ++i) {
        Frame* from = frames.fromStored[i];
        if (from && isWritten(from))
            updated.frames.push_back(rendered(*from, raw.frames[i].id));
        else if (!duplicatesWritten(raw.frames[i]))
            updated.frames.push_back(raw.frames[i]);
    }
    for (Frame* f : written)
        if (std::find(frames.fromStored.begin(), frames.fromStored.end(), f) == frames.fromStored.end())
            updated.frames.push_back(rendered(*f, f->frameID()));

    const ByteVector region = renderId3v2(updated, file.id3v2RegionSize(), kGrowPadding);
    if (region.isEmpty())
        return {SaveReason::TagTooLarge, "tag too large"};

    // Before touching the file: the new tag must hold every frame of the old one and the twelve texts.
    RawTag check = parseId3v2(region);
    FieldFrameSet checkFrames;
    collectFieldFrames(check, checkFrames);
    bool readsBack = check.problem.empty() && checkFrames.problem.empty() &&
                     check.frames.size() == updated.frames.size() &&
                     std::equal(check.frames.begin(), check.frames.end(), updated.frames.begin(), sameFrame);
    for (size_t i = 0; i < kTagFields.size(); ++i) {
        std::string stored;
        readsBack = readsBack && ReadFrame(checkFrames.tag, frameIdOf(kTagFields[i].frameId(version)), stored) &&
                    stored == expected[i];
    }
    if (!readsBack)
        return {SaveReason::Internal, "the new tag did not read back as written"};

    Id3v1Texts id3v1Texts;
    for (const TagField& field : kTagFields)
        if (field.id3v1 != Id3v1Slot::None)
            id3v1Texts[static_cast<size_t>(field.id3v1)] = (this->*field.get)();
    ByteVector id3v1 = file.id3v1Tag();
    if (!id3v1.isEmpty() || std::any_of(id3v1Texts.begin(), id3v1Texts.end(), [](auto& t) { return !t.empty(); })) {
        // A tag that already reads as these texts, or as what rendering them reads as, stays byte for
        // byte: a save changes only what differs (rendering again would turn space padding into zeros).
        const ByteVector rendered = renderId3v1(id3v1Texts);
        const Id3v1Texts stored = parseId3v1(id3v1);
        if (id3v1.isEmpty() || (stored != id3v1Texts && stored != parseId3v1(rendered)))
            id3v1 = rendered;
    }

    const bool regionChanges = region != file.id3v2Region();
    const bool id3v1Changes = id3v1 != file.id3v1Tag();
    if (!regionChanges && !id3v1Changes)
        return {};
    // In place only with a single write; two writes could leave half a save behind. A file that cannot
    // be replaced (other hard links, a folder that takes no new file) is still written in place when the
    // tag fits, the ID3v1 tag first: cut short between the writes it holds two whole tags and all its
    // audio, where the alternative is not to save at all.
    const bool fits = region.size() == file.id3v2RegionSize();
    bool ok;
    if (fits && !(regionChanges && id3v1Changes))
        ok = regionChanges ? file.writeRegion(region, error) : file.writeId3v1(id3v1, error);
    else if (fits && !file.canReplace())
        ok = file.writeId3v1(id3v1, error) && file.writeRegion(region, error);
    else
        ok = file.replace(region, id3v1, error);
    return ok ? SaveFailure() : error;
}

void CMp3File::ClearTexts() noexcept
{
    for (const TagField& field : kTagFields)
        (this->*field.set)(std::string());
}

const std::string& CMp3File::GetSaveError() const { return m_saveFailure.detail; }
const SaveFailure& CMp3File::GetSaveFailure() const { return m_saveFailure; }

const std::string& CMp3File::GetTitle() const { return m_title; }
const std::string& CMp3File::GetAlbum() const { return m_album; }
const std::string& CMp3File::GetTrack() const { return m_track; }
const std::string& CMp3File::GetUrl() const { return m_url; }
const std::string& CMp3File::GetArtist() const { return m_artist; }
const std::string& CMp3File::GetGenre() const { return m_genre; }
const std::string& CMp3File::GetYear() const { return m_year; }
const std::string& CMp3File::GetEncodedBy() const { return m_encodedBy; }
const std::string& CMp3File::GetCopyright() const { return m_copyright; }
const std::string& CMp3File::GetOrigArtist() const { return m_origArtist; }
const std::string& CMp3File::GetComposer() const { return m_composer; }
const std::string& CMp3File::GetComment() const { return m_comment; }

void CMp3File::SetTitle(const std::string& text) { assign(m_title, text); }
void CMp3File::SetAlbum(const std::string& text) { assign(m_album, text); }
void CMp3File::SetTrack(const std::string& text) { assign(m_track, text); }
void CMp3File::SetUrl(const std::string& text) { assign(m_url, text); }
void CMp3File::SetArtist(const std::string& text) { assign(m_artist, text); }
void CMp3File::SetGenre(const std::string& text) { assign(m_genre, text); }
void CMp3File::SetYear(const std::string& text) { assign(m_year, text); }
void CMp3File::SetEncodedBy(const std::string& text) { assign(m_encodedBy, text); }
void CMp3File::SetCopyright(const std::string& text) { assign(m_copyright, text); }
void CMp3File::SetOrigArtist(const std::string& text) { assign(m_origArtist, text); }
void CMp3File::SetComposer(const std::string& text) { assign(m_composer, text); }
void CMp3File::SetComment(const std::string& text) { assign(m_comment, text); }
