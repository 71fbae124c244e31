#pragma once

#include "tag/SaveFailure.h"

#include <taglib/tbytevector.h>

#include <sys/stat.h>

#include <cstddef>
#include <functional>
#include <string>

// One MP3 file opened for one Load or Save: its tag regions, and the two ways a save writes them.
namespace kestrune::tag {

using TagLib::ByteVector;

// The page of the file an in-place write must stay within. The kernel copies a write into the file
// page by page and a process killed meanwhile stops between pages, never inside one; a disk writes a
// page whole or not at all on a power cut.
inline constexpr unsigned long long kFilePage = 4096;

// Bytes to put at an offset of the file.
struct ByteRun {
    unsigned long long offset = 0;
    ByteVector bytes;

    bool Empty() const { return bytes.isEmpty(); }
    // Whether a kill cannot split it: empty, or inside one page of the file.
    bool WithinOnePage() const { return Empty() || offset / kFilePage == (offset + bytes.size() - 1) / kFilePage; }
};

// What tells a file from the same file changed, or from another file at the same path: a change of
// content moves the modification or change time (nanoseconds) or the size, a new file the inode.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    static FileIdentity Of(const struct stat& st);
    bool operator==(const FileIdentity& other) const;
};

class Mp3FileAccess {
public:
    Mp3FileAccess() = default;
    ~Mp3FileAccess();
    Mp3FileAccess(const Mp3FileAccess&) = delete;
    Mp3FileAccess& operator=(const Mp3FileAccess&) = delete;

    // Opens a regular file; `error` says why not. Opening for writing also takes an exclusive lock for
    // the time of the save, refuses read-only files and removes a temporary left by a killed save.
    bool Open(const std::string& path, bool forWriting, SaveFailure& error);
    // The opened file as it was when opened (or when last written by this object).
    const FileIdentity& Identity() const { return m_identity; }

    // Reads the tag regions of the opened file; or takes them as read before from this same file.
    bool ReadRegions(SaveFailure& error);
    void UseRegions(const ByteVector& region, unsigned long long regionSize, const ByteVector& id3v1);

    // The ID3v2 region at the start (as far as the file holds it), and its size as declared.
    const ByteVector& Id3v2Region() const { return m_region; }
    unsigned long long Id3v2RegionSize() const { return m_regionSize; }
    // The ID3v1 tag at the end, or empty.
    const ByteVector& Id3v1Tag() const { return m_id3v1; }
    unsigned long long FileSize() const { return static_cast<unsigned long long>(m_stat.st_size); }

    // Whether an MPEG audio frame follows the ID3v2 region.
    bool HasMpegAudio() const;

    // Writes `run` into the file in place, one write per page of the file it touches (a run within
    // one page is a single write).
    bool WriteInPlace(const ByteRun& run, SaveFailure& error);
    // Whether the path still names the opened file: after writing in place, so that a write into a
    // file another program has renamed away or replaced meanwhile is not taken for a save.
    bool StillAtPath(SaveFailure& error);

    // Writes `region`, the audio and `id3v1` to a temporary file beside the original, flushes it, gives
    // it the original's mode, owner and attributes and renames it over the original, unless the path
    // no longer names the file that was read or that file has changed since; then flushes the folder.
    bool Replace(const ByteVector& region, const ByteVector& id3v1, SaveFailure& error);
    // Replace in three steps, so that the flushes of many new files can be made together before their
    // renames: write the new file (its flush to the disk started, not waited for), flush it, rename it.
    // Until the rename the original stays whole and locked; a failed step, or this object's end before
    // the rename, removes the new file. The folder is not flushed: see FlushFolder.
    bool WriteReplacement(const ByteVector& region, const ByteVector& id3v1, SaveFailure& error);
    bool FlushReplacement(SaveFailure& error);
    bool CommitReplacement(SaveFailure& error);
    // The size of the new file written and not yet renamed, or 0.
    unsigned long long ReplacementSize() const { return m_tempFd >= 0 ? m_tempSize : 0; }
    // The folder of the file, whose entries a rename changes.
    std::string FolderPath() const;
    // Whether Replace can work: the file has no other hard links and its folder takes a new file.
    bool CanReplace() const;

private:
    bool KeepOwnerAndMode(int fd) const;
    bool KeepAttributes(int fd) const;
    bool UnchangedSinceRead(SaveFailure& error) const;
    bool PathNames(const struct stat& file) const;  // whether the path names that file now
    std::string TempPath() const;  // where Replace writes the new file
    void DiscardReplacement();

    int m_fd = -1;
    struct stat m_stat {};
    FileIdentity m_identity;
    std::string m_path;  // with symbolic links resolved when writing, so the link itself stays
    ByteVector m_region;
    unsigned long long m_regionSize = 0;
    ByteVector m_id3v1;
    int m_tempFd = -1;  // the new file, written and not yet renamed
    unsigned long long m_tempSize = 0;
};

// Flushes a folder's entries to the disk after renames in it; whether it worked.
bool FlushFolder(const std::string& folder);

// A seam for tests of interrupted saves: called before each write of an in-place save (each within
// one page of the file) with its offset and size; returning false stops the save there, leaving the
// file as a process killed at that instant would. Set or clear it only while no save is going on.
void SetInPlaceWriteHookForTests(std::function<bool(unsigned long long offset, size_t size)> hook);

}  // namespace kestrune::tag
