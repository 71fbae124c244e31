#pragma once

#include "tag/SaveFailure.h"

#include <taglib/tbytevector.h>

#include <sys/stat.h>

#include <string>

// One MP3 file opened for one Load or Save: its tag regions, and the two ways a save writes them.
namespace kestrune::tag {

using TagLib::ByteVector;

class Mp3FileAccess {
public:
    Mp3FileAccess() = default;
    ~Mp3FileAccess();
    Mp3FileAccess(const Mp3FileAccess&) = delete;
    Mp3FileAccess& operator=(const Mp3FileAccess&) = delete;

    // Opens a regular file and reads its tag regions; `error` says why not. Opening for writing also
    // takes an exclusive lock for the time of the save, and refuses read-only files.
    bool open(const std::string& path, bool forWriting, SaveFailure& error);

    // The ID3v2 region at the start (as far as the file holds it), and its size as declared.
    const ByteVector& id3v2Region() const { return m_region; }
    unsigned long long id3v2RegionSize() const { return m_regionSize; }
    // The ID3v1 tag at the end, or empty.
    const ByteVector& id3v1Tag() const { return m_id3v1; }

    // Whether an MPEG audio frame follows the ID3v2 region.
    bool hasMpegAudio() const;

    // Overwrites the ID3v2 region with `region` of the same size, or puts `id3v1` in place of the
    // ID3v1 tag (or after the end). One write: a process killed at any instant leaves the old file or
    // the new one.
    bool writeRegion(const ByteVector& region, SaveFailure& error);
    bool writeId3v1(const ByteVector& id3v1, SaveFailure& error);

    // Writes `region`, the audio and `id3v1` to a temporary file beside the original, flushes it, gives
    // it the original's mode and owner and renames it over the original.
    bool replace(const ByteVector& region, const ByteVector& id3v1, SaveFailure& error);
    // Whether replace can work: the file has no other hard links and its folder takes a new file.
    bool canReplace() const;

private:
    bool readRegions(SaveFailure& error);
    bool keepOwnerAndMode(int fd) const;
    bool keepAttributes(int fd) const;
    std::string tempPath() const;  // where replace writes the new file
    std::string folderPath() const;

    int m_fd = -1;
    struct stat m_stat {};
    std::string m_path;  // with symbolic links resolved when writing, so the link itself stays
    ByteVector m_region;
    unsigned long long m_regionSize = 0;
    ByteVector m_id3v1;
};

}  // namespace kestrune::tag
