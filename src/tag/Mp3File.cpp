#include "tag/Mp3File.h"

#include "tag/FieldFrames.h"
#include "tag/Id3v1.h"
#include "tag/Id3v2Raw.h"
#include "tag/LoadedTag.h"
#include "tag/Mp3FileAccess.h"
#include "tag/TagFields.h"
#include "tag/TagLayout.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

namespace kestrune {
namespace {

using namespace tag;

constexpr unsigned kGrowPadding = 2048;  // room for later edits, so that they are written in place
constexpr unsigned long long kId3v1Size = 128;

static_assert(kTagFieldCount == CMp3File::kFieldCount);

ByteVector BytesOf(std::string_view id) { return ByteVector(id.data(), static_cast<unsigned>(id.size())); }

// One field of a save: what the file holds, what the record holds, and what is written.
struct FieldWrite {
    const TagField* field = nullptr;
    std::string_view frameId;            // in the tag version written
    std::string text{};                  // the record's text
    bool inFile = false;                 // the tag has the field's frame...
    std::string stored{};                // ... holding this text
    bool setSinceLoad = false;           // a setter was called since the last Load
    bool legacyText = false;             // the frame holds non-ASCII text in a single-byte code page
    bool write = false;                  // the field's frame is written
    const FieldFrame* frame = nullptr;   // the frame written, once written
    std::optional<RawFrame> rendered{};  // ... and as stored in the new tag
    std::string expected{};              // the text the new tag must read as
};
using SavePlan = std::vector<FieldWrite>;  // in kTagFields order

// Whether the field's frame holds its text as it stands.
bool HoldsText(const FieldWrite& f) { return f.inFile && f.stored == f.text; }

// The one rule for whether a field's frame is written: when the tag lacks it or it holds another text;
// and when the field was set and its frame holds legacy single-byte text, which the write converts to a
// standard encoding every reader can read.
bool MustWrite(const FieldWrite& f) { return !HoldsText(f) || (f.setSinceLoad && f.legacyText); }

// The text a field is stored with, in the form the frame holds it.
std::string StoredForm(const TagField& field, const std::string& text)
{
    return field.kind == TagFrameKind::Url ? PercentEncode(text) : text;
}

SaveFailure TagNotUnderstood(const std::string& problem, bool unsupported)
{
    return {unsupported ? SaveReason::TagUnsupported : SaveReason::TagDamaged, "tag not understood: " + problem};
}

// Why the tag cannot be rewritten without loss, or no reason.
SaveFailure RefusalFor(const ParsedTag& parsed, const Mp3FileAccess& file)
{
    if (parsed.raw.version == 0 && file.Id3v1Tag().isEmpty() && !file.HasMpegAudio())
        return {SaveReason::NotMp3, "neither an ID3 tag nor MPEG audio"};
    if (!parsed.raw.problem.empty())
        return TagNotUnderstood(parsed.raw.problem, parsed.raw.unsupported);
    if (!parsed.frames.problem.empty())
        return TagNotUnderstood(parsed.frames.problem, parsed.frames.unsupported);
    return {};
}

// Save step: what each field holds in the file and in the record, and whether its frame is written.
SavePlan PlanFields(CMp3File& record, const ParsedTag& parsed, const std::array<bool, CMp3File::kFieldCount>& set)
{
    SavePlan plan;
    plan.reserve(kTagFields.size());
    for (size_t i = 0; i < kTagFields.size(); ++i) {
        FieldWrite& f =
            plan.emplace_back(FieldWrite{.field = &kTagFields[i], .frameId = kTagFields[i].FrameId(parsed.version)});
        f.text = (record.*f.field->get)();
        const FieldFrame* stored = FindFieldFrame(parsed.frames, f.frameId);
        f.inFile = stored != nullptr;
        f.stored = stored ? stored->read.text : std::string();
        f.setSinceLoad = set[i];
        // Only a set field's frame is converted for holding legacy text (see MustWrite).
        f.legacyText = f.inFile && f.setSinceLoad && stored->read.legacy;
        f.write = MustWrite(f);
        f.expected = f.write ? StoredForm(*f.field, f.text) : f.stored;
    }
    return plan;
}

// Save step: the new texts into the decoded frames (created where missing), rendered as stored frames.
void WriteFields(CMp3File& record, ParsedTag& parsed, SavePlan& plan)
{
    for (const FieldWrite& f : plan)
        if (f.write)
            record.WriteFrame(parsed.frames, f.frameId, f.text);
    // Found once all are written: a frame a write adds may move the others in memory.
    for (FieldWrite& f : plan) {
        if (!f.write)
            continue;
        FieldFrame& frame = *FindFieldFrame(parsed.frames, f.frameId);
        f.frame = &frame;
        f.rendered = MakeRawFrame(BytesOf(f.frameId), RenderFieldContent(WritableFrame(parsed.frames, frame), parsed.version),
                                  parsed.version, parsed.raw.unsynchronised);
    }
}

// How the frames of a new tag are ordered.
enum class Layout {
    KeepPlaces,       // every frame where it was, new frames last: the tag fits where it fits
    FieldFramesLast,  // the frames with the ids of the twelve fields last, those written now at the very
                      // end; frames of one id keep their order, so each field still shows the same frame
};

// The plan's field written into the stored frame `index`, or null.
const FieldWrite* WrittenFrom(const SavePlan& plan, size_t index)
{
    for (const FieldWrite& f : plan)
        if (f.frame && f.frame->stored == index)
            return &f;
    return nullptr;
}

// Save step: the frames of the new tag. Every other frame is copied as stored.
RawTag ComposeFrames(const ParsedTag& parsed, const SavePlan& plan, Layout layout)
{
    const RawTag& raw = parsed.raw;
    // 0: not a field's id; 1: an unwritten field's; 2: a written field's.
    auto group = [&](std::string_view id) {
        const auto f = std::find_if(plan.begin(), plan.end(), [&](const FieldWrite& w) { return w.frameId == id; });
        return f == plan.end() ? 0 : f->write ? 2 : 1;
    };
    RawTag updated;
    updated.version = parsed.version;
    updated.unsynchronised = raw.unsynchronised;
    updated.frames.reserve(raw.frames.size() + plan.size());
    for (int pass = 0; pass < (layout == Layout::KeepPlaces ? 1 : 3); ++pass) {
        for (size_t i = 0; i < raw.frames.size(); ++i) {
            const RawFrame& stored = raw.frames[i];
            const int g = group(IdOf(stored));
            if (layout == Layout::FieldFramesLast && g != pass)
                continue;
            if (const FieldWrite* written = WrittenFrom(plan, i))
                updated.frames.push_back(*written->rendered);
            // A tag may hold a field's text frame twice, which ID3v2 does not allow; the editor shows the
            // first. When that field is written the later ones go, or other readers would go on showing
            // their old texts.
            else if (!(g == 2 && stored.id.startsWith("T")))
                updated.frames.push_back(stored);
        }
    }
    for (const FieldWrite& f : plan)
        if (f.write && f.frame->stored == FieldFrame::kNew)
            updated.frames.push_back(*f.rendered);  // a new frame
    return updated;
}

unsigned long long FramesSize(const RawTag& tag)
{
    unsigned long long size = 10;  // the tag header
    for (const RawFrame& f : tag.frames)
        size += 10 + f.data.size();
    return size;
}

// Save step: whether the new region reads back with every frame it was composed of and, for the fields
// written, their texts. The fields not written keep their frames byte for byte, so they read as before.
bool ReadsBack(CMp3File& record, const ByteVector& region, const RawTag& updated, const SavePlan& plan)
{
    if (region.isEmpty())
        return false;
    const RawTag check = ParseId3v2(region);
    if (!check.problem.empty() || check.frames.size() != updated.frames.size() ||
        !std::equal(check.frames.begin(), check.frames.end(), updated.frames.begin(), SameFrame))
        return false;
    std::vector<std::string_view> writtenIds;
    for (const FieldWrite& f : plan)
        if (f.write)
            writtenIds.push_back(f.frameId);
    if (writtenIds.empty())
        return true;
    FieldFrameSet frames;
    CollectFieldFrames(check, frames, writtenIds);
    std::string text;
    return frames.problem.empty() && std::all_of(plan.begin(), plan.end(), [&](const FieldWrite& f) {
               return !f.write || (record.ReadFrame(frames, f.frameId, text) && text == f.expected);
           });
}

// Save step: the ID3v1 tag the file is to end with, from the stored one (empty when the file has none)
// and the texts of the plan; empty for no ID3v1 tag. Only the slots whose fields do not hold their texts
// change (see ComposeId3v1).
ByteVector Id3v1For(const ByteVector& stored, const SavePlan& plan)
{
    Id3v1Texts texts;
    Id3v1Flags unchanged{};
    for (const FieldWrite& f : plan) {
        const auto slot = static_cast<size_t>(f.field->id3v1);
        if (f.field->id3v1 == Id3v1Slot::None)
            continue;
        texts[slot] = f.text;
        unchanged[slot] = HoldsText(f);
    }
    return ComposeId3v1(stored, texts, unchanged);
}

// What changes at the file's end: the ID3v1 bytes that differ, or a whole tag appended.
ByteRun Id3v1Run(const Mp3FileAccess& file, const ByteVector& id3v1)
{
    if (file.Id3v1Tag().isEmpty())
        return {file.FileSize(), id3v1};
    return ChangedRun(file.Id3v1Tag(), id3v1, file.FileSize() - kId3v1Size);
}

// The new ID3v2 tag and how it goes into the file.
struct NewTag {
    RawTag frames;
    ByteVector region;  // empty when the tag is too large for ID3v2
    bool inPlace = false;
    ByteRun id3v2Run, id3v1Run;  // in place: the bytes that change
};

// Save step: the new tag, and the way to write it. In place when it fits its region and each tag's
// changed bytes lie within one page of the file (a kill stops a write only between pages); for a file
// that cannot be replaced, in place whenever it fits. Otherwise a new file, laid out so that the next
// save of these fields changes only a short run before the padding and a picture does not move when a
// text grows.
NewTag ComposeTag(const ParsedTag& parsed, const SavePlan& plan, const Mp3FileAccess& file, const ByteVector& id3v1)
{
    NewTag tag;
    tag.frames = ComposeFrames(parsed, plan, Layout::KeepPlaces);
    tag.region = RenderId3v2(tag.frames, file.Id3v2RegionSize(), kGrowPadding);
    if (tag.region.size() == file.Id3v2RegionSize()) {
        tag.id3v2Run = ChangedRun(file.Id3v2Region(), tag.region, 0);
        tag.id3v1Run = Id3v1Run(file, id3v1);
        tag.inPlace = (tag.id3v2Run.WithinOnePage() && tag.id3v1Run.WithinOnePage()) || !file.CanReplace();
    }
    if (tag.inPlace || tag.region.isEmpty())
        return tag;
    tag.frames = ComposeFrames(parsed, plan, Layout::FieldFramesLast);
    const unsigned long long audio =
        file.FileSize() - std::min(file.FileSize(), file.Id3v2RegionSize() + file.Id3v1Tag().size());
    const unsigned long long size =
        RewrittenRegionSize(FramesSize(tag.frames), file.Id3v2RegionSize(), kGrowPadding, audio, !id3v1.isEmpty());
    tag.region = RenderId3v2(tag.frames, size, 0);
    return tag;
}

// Save step: the write: in place, ID3v2 then ID3v1, each a run within one page (but for the exception
// above); or the new file.
bool WriteTag(Mp3FileAccess& file, const NewTag& tag, const ByteVector& id3v1, SaveFailure& error)
{
    if (!tag.inPlace)
        return file.Replace(tag.region, id3v1, error);
    if (tag.id3v2Run.Empty() && tag.id3v1Run.Empty())
        return true;
    return (tag.id3v2Run.Empty() || file.WriteInPlace(tag.id3v2Run, error)) &&
           (tag.id3v1Run.Empty() || file.WriteInPlace(tag.id3v1Run, error)) && file.StillAtPath(error);
}

void Assign(std::string& member, const std::string& text) noexcept
{
    try {
        member = text;
    } catch (...) {
        // Out of memory: the text stays as it was.
    }
}

}  // namespace

// A new file written for a staged save, and the tags it holds.
struct CMp3File::StagedWrite {
    std::unique_ptr<Mp3FileAccess> file;  // open and locked until the rename
    ByteVector region, id3v1;
};

CMp3File::CMp3File(const std::string& path) : m_path(path) {}

CMp3File::~CMp3File() = default;

void CMp3File::Load()
{
    ClearTexts();
    m_loadFailed = true;
    m_loaded.reset();
    try {
        Mp3FileAccess file;
        SaveFailure error;
        if (file.Open(m_path, false, error) && file.ReadRegions(error)) {
            auto loaded = std::make_unique<LoadedTag>(LoadedFrom(file));
            ParsedTag& parsed = *loaded->parsed;
            const Id3v1Texts id3v1 = ParseId3v1(loaded->id3v1);
            for (const TagField& field : kTagFields) {
                // The other version's year frame stands in when a tag has the wrong one.
                const std::string_view id = field.FrameId(parsed.version);
                const std::string_view otherId = field.FrameId(parsed.version >= 4 ? 3 : 4);
                std::string text;
                if (!ReadFrame(parsed.frames, id, text) && (id == otherId || !ReadFrame(parsed.frames, otherId, text)) &&
                    field.id3v1 != Id3v1Slot::None)
                    text = id3v1[static_cast<size_t>(field.id3v1)];
                (this->*field.set)(text);
            }
            m_loaded = std::move(loaded);
            m_loadFailed = false;
        }
    } catch (...) {
        ClearTexts();
        m_loaded.reset();
    }
    m_setSinceLoad.fill(false);
}

bool CMp3File::ReadFrame(const FieldFrameSet& tag, std::string_view frameId, std::string& text)
{
    const FieldFrame* frame = FindFieldFrame(tag, frameId);
    text = frame ? frame->read.text : std::string();
    return frame != nullptr;
}

void CMp3File::WriteFrame(FieldFrameSet& tag, std::string_view frameId, const std::string& text)
{
    FieldFrame* frame = FindFieldFrame(tag, frameId);
    if (!frame && FieldFrameId(frameId).empty())
        return;  // no frame of the editor's
    if (!frame)
        frame = &tag.frames.emplace_back(FieldFrame{.id = FieldFrameId(frameId)});
    SetFieldText(WritableFrame(tag, *frame), text);
}

bool CMp3File::Save() { return RunSave(false); }

bool CMp3File::StageSave() { return RunSave(true); }

bool CMp3File::IsStaged() const { return m_staged != nullptr; }

unsigned long long CMp3File::StagedBytes() const { return m_staged ? m_staged->file->ReplacementSize() : 0; }

bool CMp3File::RunSave(bool stage)
{
    m_staged.reset();
    m_saveFailure.reason = SaveReason::Internal;
    m_saveFailure.systemError = 0;
    try {
        m_saveFailure = SaveTag(stage);
    } catch (const std::exception& e) {
        Assign(m_saveFailure.detail, std::string("unexpected failure: ") + e.what());
    } catch (...) {
        Assign(m_saveFailure.detail, "unexpected failure");
    }
    if (m_saveFailure.reason != SaveReason::None && m_loaded)
        m_loaded->parsed.reset();  // the decoded frames may hold texts the file does not
    return m_saveFailure.reason == SaveReason::None;
}

// The tags of the opened file: those the last Load or Save found, when the file is still the one they
// were found in (same inode, size and times to the nanosecond), else read afresh.
bool CMp3File::TakeLoadedTag(Mp3FileAccess& file, SaveFailure& error)
{
    if (m_loaded && m_loaded->identity == file.Identity()) {
        file.UseRegions(m_loaded->region, m_loaded->regionSize, m_loaded->id3v1);
        if (!m_loaded->parsed)
            m_loaded->parsed = ParseTag(m_loaded->region);
        return true;
    }
    m_loaded.reset();
    if (!file.ReadRegions(error))
        return false;
    m_loaded = std::make_unique<LoadedTag>(LoadedFrom(file));
    return true;
}

// Returns why the file was not written, or no reason when it holds the twelve texts. The steps: plan
// each field, compose the tags, check the new ID3v2 tag reads back, choose the way to write, write.
SaveFailure CMp3File::SaveTag(bool stage)
{
    auto opened = std::make_unique<Mp3FileAccess>();
    Mp3FileAccess& file = *opened;
    SaveFailure error;
    if (!file.Open(m_path, true, error))
        return error;
    if (m_loadFailed)
        return {SaveReason::LoadFailed, "file could not be read when loaded"};
    if (!TakeLoadedTag(file, error))
        return error;
    const std::unique_ptr<ParsedTag> parsed = std::move(m_loaded->parsed);  // the save changes its frames
    if (SaveFailure refusal = RefusalFor(*parsed, file); refusal.reason != SaveReason::None)
        return refusal;

    SavePlan plan = PlanFields(*this, *parsed, m_setSinceLoad);
    WriteFields(*this, *parsed, plan);
    const ByteVector id3v1 = Id3v1For(file.Id3v1Tag(), plan);
    const NewTag tag = ComposeTag(*parsed, plan, file, id3v1);
    if (tag.region.isEmpty())
        return {SaveReason::TagTooLarge, "tag too large"};
    // Before touching the file: the new tag must hold every frame of the old one and the new texts.
    if (!ReadsBack(*this, tag.region, tag.frames, plan))
        return {SaveReason::Internal, "the new tag did not read back as written"};
    if (stage && !tag.inPlace) {
        if (!file.WriteReplacement(tag.region, id3v1, error))
            return error;
        m_staged = std::make_unique<StagedWrite>(StagedWrite{std::move(opened), tag.region, id3v1});
        return {};
    }
    if (!WriteTag(file, tag, id3v1, error))
        return error;
    KeepWritten(file, tag.region, id3v1);
    return {};
}

// What a save left in the file, for the next save of the same record.
void CMp3File::KeepWritten(const Mp3FileAccess& file, const ByteVector& region, const ByteVector& id3v1)
{
    m_loaded->identity = file.Identity();
    m_loaded->region = region;
    m_loaded->regionSize = region.size();
    m_loaded->id3v1 = id3v1;
}

void CMp3File::CommitStaged(const std::vector<CMp3File*>& records)
{
    // Every new file is flushed before any is renamed: the disk writes them together, and a power
    // cut never finds a renamed file that is not on the disk.
    for (CMp3File* record : records)
        if (record->m_staged && !record->m_staged->file->FlushReplacement(record->m_saveFailure))
            record->m_staged.reset();
    std::vector<std::string> folders;
    for (CMp3File* record : records) {
        if (!record->m_staged)
            continue;
        const std::unique_ptr<StagedWrite> staged = std::move(record->m_staged);  // its end unlocks the file
        if (!staged->file->CommitReplacement(record->m_saveFailure))
            continue;
        try {
            record->KeepWritten(*staged->file, staged->region, staged->id3v1);
            if (std::string folder = staged->file->FolderPath();
                std::find(folders.begin(), folders.end(), folder) == folders.end())
                folders.push_back(std::move(folder));
        } catch (...) {
            record->m_loaded.reset();  // out of memory: the next save reads the file afresh
        }
    }
    for (const std::string& folder : folders)
        FlushFolder(folder);  // the renames are done; a failed flush of the folder does not undo them
}

void CMp3File::ClearTexts() noexcept
{
    for (const TagField& field : kTagFields)
        (this->*field.set)(std::string());
}

void CMp3File::Set(size_t fieldIndex, std::string& member, const std::string& text) noexcept
{
    Assign(member, text);
    m_setSinceLoad[fieldIndex] = true;
}

bool CMp3File::IsSetSinceLoad(size_t fieldIndex) const
{
    return fieldIndex < m_setSinceLoad.size() && m_setSinceLoad[fieldIndex];
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

void CMp3File::SetTitle(const std::string& text) { Set(Index(TagFieldId::Title), m_title, text); }
void CMp3File::SetAlbum(const std::string& text) { Set(Index(TagFieldId::Album), m_album, text); }
void CMp3File::SetTrack(const std::string& text) { Set(Index(TagFieldId::Track), m_track, text); }
void CMp3File::SetUrl(const std::string& text) { Set(Index(TagFieldId::Url), m_url, text); }
void CMp3File::SetArtist(const std::string& text) { Set(Index(TagFieldId::Artist), m_artist, text); }
void CMp3File::SetGenre(const std::string& text) { Set(Index(TagFieldId::Genre), m_genre, text); }
void CMp3File::SetYear(const std::string& text) { Set(Index(TagFieldId::Year), m_year, text); }
void CMp3File::SetEncodedBy(const std::string& text) { Set(Index(TagFieldId::EncodedBy), m_encodedBy, text); }
void CMp3File::SetCopyright(const std::string& text) { Set(Index(TagFieldId::Copyright), m_copyright, text); }
void CMp3File::SetOrigArtist(const std::string& text) { Set(Index(TagFieldId::OrigArtist), m_origArtist, text); }
void CMp3File::SetComposer(const std::string& text) { Set(Index(TagFieldId::Composer), m_composer, text); }
void CMp3File::SetComment(const std::string& text) { Set(Index(TagFieldId::Comment), m_comment, text); }

}  // namespace kestrune
