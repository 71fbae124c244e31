#pragma once

#include "tag/SaveFailure.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::tag {
struct FieldFrameSet;
struct LoadedTag;
class Mp3FileAccess;
}  // namespace kestrune::tag

namespace TagLib {
class ByteVector;
}  // namespace TagLib

namespace kestrune {

// The tag of one MP3 file as the twelve texts the editor shows, in UTF-8.
//
// A record is short-lived: construct it on a path, Load, read or set texts, Save. No file stays open
// between calls (but for a staged save, see StageSave), and nothing throws out of it.
//
// Save is lossless or does nothing: only changed fields and fields whose frame is missing are written,
// every other frame and every audio byte stays as it was (but for a second copy of a written field's
// text frame, which would go on showing the old text), and a file whose tag is not understood whole, or
// that would lose a frame, is left untouched with the reason in GetSaveError.
//
// What a save promises when the process dies at any instant (killed, crashed, logged out) or the power
// fails. After a kill at any instant the file is at its path with its old length or its new one; its
// ID3v2 tag is wholly the old or wholly the new one, and so is its ID3v1 tag (or absent where it was
// absent); every other byte is unchanged; the next save removes any temporary file. An old ID3v2 tag
// with a new ID3v1 tag, or the reverse, may be left: both are whole, and the next save makes them
// agree. A save keeps this by writing in place only what stays within one 4096-byte page of the file
// (the bytes that differ, ID3v2 first, then ID3v1), and otherwise by writing a new file that is
// flushed before it is renamed over the old one. Against a power cut: a replaced file is never lost,
// and an in-place write touches one page, which the disk writes whole or not at all; no more.
// One exception: a file that cannot be replaced (other hard links, a folder that takes no new file)
// whose change is not within one page is still written in place, the alternative being no save at
// all; a kill during that write can leave a torn tag.
class CMp3File {
public:
    explicit CMp3File(const std::string& path);
    virtual ~CMp3File();

    // Replaces all twelve texts with the file's tag: the ID3v2 frames, and the ID3v1 tag for fields
    // the ID3v2 tag lacks. A file that cannot be read gives empty texts. Never writes.
    virtual void Load();

    // The text of the frame `frameId` of `tag`, or empty; for COMM and WXXX the frame the editor shows
    // (the one without a description first; never iTunes machine data). Returns whether there is one.
    virtual bool ReadFrame(const kestrune::tag::FieldFrameSet& tag, std::string_view frameId, std::string& text);
    // Puts `text` into the frame `frameId` of `tag`, creating the frame when the tag lacks it (even for
    // an empty text).
    virtual void WriteFrame(kestrune::tag::FieldFrameSet& tag, std::string_view frameId, const std::string& text);

    virtual const std::string& GetTitle() const;
    virtual const std::string& GetAlbum() const;
    virtual const std::string& GetTrack() const;
    virtual const std::string& GetUrl() const;
    virtual const std::string& GetArtist() const;
    virtual const std::string& GetGenre() const;
    virtual const std::string& GetYear() const;
    virtual const std::string& GetEncodedBy() const;
    virtual const std::string& GetCopyright() const;
    virtual const std::string& GetOrigArtist() const;
    virtual const std::string& GetComposer() const;
    virtual const std::string& GetComment() const;

    // Writes the twelve texts into the file's ID3v2 tag (a missing frame is created even for an empty
    // text) and its ID3v1 tag. Returns true when the file holds them afterwards; otherwise the file is
    // unchanged and GetSaveError says why. A file that the last Load could not read is not written.
    virtual bool Save();

    // Save for a loop over many files that flushes their new files together. Like Save, but a file
    // that is to be replaced by a new file is left with the new file written, neither flushed nor
    // renamed, and the file open and locked: IsStaged() is then true, and CommitStaged completes the
    // save. Returns false when the file is not written (GetSaveFailure says why). A record that is
    // destroyed staged leaves its file as it was.
    bool StageSave();
    bool IsStaged() const;
    unsigned long long StagedBytes() const;  // the size of the new file waiting for its flush
    // Completes the staged saves of `records`: flushes every new file, then renames each over its
    // original (with Save's checks), then flushes each folder once. Afterwards each record is as after
    // Save: GetSaveFailure says whether its file holds the texts.
    static void CommitStaged(const std::vector<CMp3File*>& records);

    virtual void SetTitle(const std::string& text);
    virtual void SetAlbum(const std::string& text);
    virtual void SetTrack(const std::string& text);
    virtual void SetUrl(const std::string& text);
    virtual void SetArtist(const std::string& text);
    virtual void SetGenre(const std::string& text);
    virtual void SetYear(const std::string& text);
    virtual void SetEncodedBy(const std::string& text);
    virtual void SetCopyright(const std::string& text);
    virtual void SetOrigArtist(const std::string& text);
    virtual void SetComposer(const std::string& text);
    virtual void SetComment(const std::string& text);

    // Why the last Save did not write the file: a reason, and its technical detail in a few English
    // words ("read-only", "tag not understood: ..."); no reason and an empty detail after a successful
    // Save.
    const SaveFailure& GetSaveFailure() const;
    const std::string& GetSaveError() const;

    // Whether the setter of the field kTagFields[fieldIndex] has been called since the last Load (or
    // since construction), whatever the text.
    bool IsSetSinceLoad(size_t fieldIndex) const;

    static constexpr size_t kFieldCount = 12;

private:
    void ClearTexts() noexcept;
    void Set(size_t fieldIndex, std::string& member, const std::string& text) noexcept;
    struct StagedWrite;
    bool RunSave(bool stage);
    SaveFailure SaveTag(bool stage);
    void KeepWritten(const kestrune::tag::Mp3FileAccess& file, const TagLib::ByteVector& region,
                     const TagLib::ByteVector& id3v1);
    bool TakeLoadedTag(kestrune::tag::Mp3FileAccess& file, SaveFailure& error);

    std::string m_title;
    std::string m_album;
    std::string m_artist;
    std::string m_track;
    std::string m_year;
    std::string m_genre;
    std::string m_comment;
    std::string m_composer;
    std::string m_origArtist;
    std::string m_copyright;
    std::string m_url;
    std::string m_encodedBy;
    std::string m_path;
    SaveFailure m_saveFailure;
    // The last Load could not read the file: its texts are empty stand-ins, not the file's, and a
    // Save would write them over the fields the caller did not set.
    bool m_loadFailed = false;
    std::array<bool, kFieldCount> m_setSinceLoad{};
    // The file's tags as the last Load or Save found or left them, so that a Save of the same,
    // unchanged file reads and parses nothing again; null when there is nothing to go by.
    std::unique_ptr<kestrune::tag::LoadedTag> m_loaded;
    std::unique_ptr<StagedWrite> m_staged;  // a save waiting for CommitStaged
};

}  // namespace kestrune
