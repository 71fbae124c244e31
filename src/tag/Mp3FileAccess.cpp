#include "tag/Mp3FileAccess.h"

#include "tag/Id3v1.h"
#include "tag/Id3v2Raw.h"

#include <taglib/mpegfile.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <utility>

namespace kestrune::tag {

namespace {

constexpr unsigned kFirstRead = 4096;  // most tags without pictures fit in one read
constexpr unsigned kId3v1Size = 128;
constexpr size_t kMaxTempBase = 200;   // with the hash of a longer name, keeps the temporary within NAME_MAX

// A failed system call: the reason from its error number, `otherwise` when the number says nothing
// the user can act on.
SaveFailure SystemFailure(SaveReason otherwise, const char* what)
{
    const int number = errno;
    SaveReason reason = otherwise;
    if (number == ENOSPC || number == EDQUOT)
        reason = SaveReason::DiskFull;
    else if (number == EACCES || number == EROFS || number == EPERM)
        reason = SaveReason::ReadOnly;
    else if (number == ENOENT)
        reason = SaveReason::NotFound;
    return {reason, std::string(what) + ": " + std::strerror(number), number};
}

// Up to `size` bytes at `offset`; fewer at the end of the file.
bool ReadAt(int fd, unsigned long long offset, unsigned long long size, ByteVector& out)
{
    out.resize(static_cast<unsigned>(size));
    unsigned long long done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out.data() + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += static_cast<unsigned long long>(n);
    }
    out.resize(static_cast<unsigned>(done));
    return true;
}

bool WriteAll(int fd, const char* data, size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

// Copies [from, to) of `in` to the end of `out` at `outOffset`.
bool CopyRange(int in, off_t from, off_t to, int out, off_t outOffset)
{
    while (from < to) {
        const ssize_t n = ::copy_file_range(in, &from, out, &outOffset, static_cast<size_t>(to - from), 0);
        if (n > 0)
            continue;
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            return false;  // the file got shorter under us
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            return false;
        // No kernel copy between these files: copy through a buffer.
        std::string buffer(1 << 20, '\0');
        while (from < to) {
            const ssize_t r = ::pread(in, buffer.data(), std::min<off_t>(to - from, buffer.size()), from);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0 || !WriteAll(out, buffer.data(), static_cast<size_t>(r), outOffset))
                return false;
            from += r;
            outOffset += r;
        }
    }
    return true;
}

std::function<bool(unsigned long long, size_t)> g_inPlaceWriteHookForTests;

}  // namespace

void SetInPlaceWriteHookForTests(std::function<bool(unsigned long long offset, size_t size)> hook)
{
    g_inPlaceWriteHookForTests = std::move(hook);
}

FileIdentity FileIdentity::Of(const struct stat& st)
{
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
    return device == other.device && inode == other.inode && size == other.size && same(modified, other.modified) &&
           same(changed, other.changed);
}

bool Mp3FileAccess::KeepOwnerAndMode(int fd) const
{
    if (::fchown(fd, m_stat.st_uid, m_stat.st_gid) != 0) {
        // Only the superuser may give a file away; it is enough when the new file has the owner already.
        struct stat st {};
        if (::fstat(fd, &st) != 0 || st.st_uid != m_stat.st_uid || st.st_gid != m_stat.st_gid)
            return false;
    }
    return ::fchmod(fd, m_stat.st_mode & 07777) == 0;  // after chown, which may clear set-id bits
}

bool Mp3FileAccess::KeepAttributes(int fd) const
{
    // Extended attributes carry what other programs know of the file (desktop tags and ratings,
    // access lists); a new file must not shed them.
    ssize_t size = ::flistxattr(m_fd, nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP;  // a file system without attributes: nothing to keep
    std::string names(static_cast<size_t>(size), '\0');
    size = ::flistxattr(m_fd, names.data(), names.size());
    if (size < 0)
        return false;
    names.resize(static_cast<size_t>(size));
    std::string value;
    for (size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t length = ::fgetxattr(m_fd, name, nullptr, 0);
        value.resize(length > 0 ? static_cast<size_t>(length) : 0);
        const bool copied = length >= 0 && ::fgetxattr(m_fd, name, value.data(), value.size()) == length &&
                            ::fsetxattr(fd, name, value.data(), value.size(), 0) == 0;
        // Security labels belong to the system, which gives the new file the folder's.
        if (!copied && std::strncmp(name, "security.", 9) != 0)
            return false;
    }
    return true;
}

bool FlushFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

Mp3FileAccess::~Mp3FileAccess()
{
    DiscardReplacement();
    if (m_fd >= 0)
        ::close(m_fd);  // also releases the lock
}

std::string Mp3FileAccess::TempPath() const
{
    // A fixed name per file: a temporary left by a killed save is found and removed by the next one.
    const size_t slash = m_path.rfind('/');
    const std::string base = m_path.substr(slash + 1);
    std::string name = base.substr(0, kMaxTempBase);
    if (base.size() > kMaxTempBase) {
        // Long names sharing their start must not share a temporary: the whole name's hash tells them apart.
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (unsigned char c : base)
            hash = (hash ^ c) * 1099511628211ull;
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
        name += std::string("~") + hex;
    }
    return m_path.substr(0, slash + 1) + "." + name + ".kestrune-save";
}

bool Mp3FileAccess::Open(const std::string& path, bool forWriting, SaveFailure& error)
{
    // Look before opening: opening a FIFO or a device can block or act; a directory would make TagLib spin.
    // A symbolic link is followed to what it names.
    struct stat st {};
    const bool found = ::lstat(path.c_str(), &st) == 0;
    const bool isLink = found && S_ISLNK(st.st_mode);
    if ((!found || isLink) && ::stat(path.c_str(), &st) != 0) {
        error = errno == ENOENT ? SaveFailure{SaveReason::NotFound, "file not found", ENOENT}
                                : SystemFailure(SaveReason::ReadFailed, "cannot read the file");
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = {SaveReason::NotRegularFile, "not a regular file"};
        return false;
    }
    m_path = path;
    if (forWriting) {
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            error = {SaveReason::ReadOnly, "read-only"};
            return false;
        }
        // Only a link as the last part of the path would be replaced by the rename; links among the
        // folders lead to the same folder either way.
        char resolved[PATH_MAX];
        if (isLink && !::realpath(path.c_str(), resolved)) {
            error = SystemFailure(SaveReason::ReadFailed, "cannot resolve the path");
            return false;
        }
        if (isLink)
            m_path = resolved;
    }
    m_fd = ::open(m_path.c_str(), (forWriting ? O_RDWR : O_RDONLY) | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        error = SystemFailure(SaveReason::ReadFailed, "cannot open the file");
        return false;
    }
    if (::fstat(m_fd, &m_stat) != 0 || !S_ISREG(m_stat.st_mode)) {
        error = {SaveReason::NotRegularFile, "not a regular file"};
        return false;
    }
    if (forWriting) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            error = {SaveReason::Busy, "file is being saved by another program"};
            return false;
        }
        // A save that finished while we waited may have replaced the file by a new one.
        if (!PathNames(m_stat)) {
            error = {SaveReason::ChangedMeanwhile, "file changed while saving"};
            return false;
        }
        // A temporary left by a killed save goes now, whichever way this save writes, or if it writes
        // nothing; the lock keeps other savers of this file away from it.
        ::unlink(TempPath().c_str());
    }
    m_identity = FileIdentity::Of(m_stat);
    return true;
}

void Mp3FileAccess::UseRegions(const ByteVector& region, unsigned long long regionSize, const ByteVector& id3v1)
{
    m_region = region;
    m_regionSize = regionSize;
    m_id3v1 = id3v1;
}

bool Mp3FileAccess::ReadRegions(SaveFailure& error)
{
    const auto fileSize = static_cast<unsigned long long>(m_stat.st_size);
    ByteVector head;
    if (!ReadAt(m_fd, 0, std::min<unsigned long long>(kFirstRead, fileSize), head)) {
        error = SystemFailure(SaveReason::ReadFailed, "cannot read the file");
        return false;
    }
    m_regionSize = kestrune::tag::Id3v2RegionSize(head);
    if (m_regionSize > head.size() && head.size() == kFirstRead) {
        if (!ReadAt(m_fd, 0, std::min(m_regionSize, fileSize), m_region)) {
            error = SystemFailure(SaveReason::ReadFailed, "cannot read the file");
            return false;
        }
    } else
        m_region = head.mid(0, static_cast<unsigned>(std::min<unsigned long long>(m_regionSize, head.size())));

    // An ID3v1 tag sits in the last 128 bytes, after the ID3v2 region.
    if (fileSize >= m_regionSize + kId3v1Size) {
        ByteVector tail;
        if (!ReadAt(m_fd, fileSize - kId3v1Size, kId3v1Size, tail)) {
            error = SystemFailure(SaveReason::ReadFailed, "cannot read the file");
            return false;
        }
        if (IsId3v1(tail))
            m_id3v1 = tail;
    }
    return true;
}

bool Mp3FileAccess::HasMpegAudio() const
{
    // TagLib knows the MPEG frame header and checks that a second frame follows the first.
    TagLib::MPEG::File file(m_path.c_str(), false);
    return file.isValid() && file.firstFrameOffset() >= 0;
}

bool Mp3FileAccess::WriteInPlace(const ByteRun& run, SaveFailure& error)
{
    unsigned long long at = run.offset;
    const char* data = run.bytes.data();
    size_t left = run.bytes.size();
    while (left > 0) {
        const size_t piece = static_cast<size_t>(std::min<unsigned long long>(left, kFilePage - at % kFilePage));
        if (g_inPlaceWriteHookForTests && !g_inPlaceWriteHookForTests(at, piece)) {
            error = {SaveReason::WriteFailed, "write interrupted"};
            return false;
        }
        if (!WriteAll(m_fd, data, piece, static_cast<off_t>(at))) {
            error = SystemFailure(SaveReason::WriteFailed, "write failed");
            return false;
        }
        at += piece;
        data += piece;
        left -= piece;
    }
    if (::fstat(m_fd, &m_stat) != 0) {
        error = SystemFailure(SaveReason::WriteFailed, "write failed");
        return false;
    }
    m_identity = FileIdentity::Of(m_stat);
    return true;
}

bool Mp3FileAccess::PathNames(const struct stat& file) const
{
    struct stat atPath {};
    return ::stat(m_path.c_str(), &atPath) == 0 && atPath.st_ino == file.st_ino && atPath.st_dev == file.st_dev;
}

bool Mp3FileAccess::StillAtPath(SaveFailure& error)
{
    if (!PathNames(m_stat)) {
        error = {SaveReason::ChangedMeanwhile, "file replaced by another program while saving"};
        return false;
    }
    return true;
}

bool Mp3FileAccess::UnchangedSinceRead(SaveFailure& error) const
{
    struct stat now {};
    if (::fstat(m_fd, &now) != 0 || !(FileIdentity::Of(now) == m_identity)) {
        error = {SaveReason::ChangedMeanwhile, "file changed by another program while saving"};
        return false;
    }
    if (!PathNames(now)) {
        error = {SaveReason::ChangedMeanwhile, "file replaced by another program while saving"};
        return false;
    }
    return true;
}

std::string Mp3FileAccess::FolderPath() const
{
    const size_t slash = m_path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : m_path.substr(0, slash);
}

bool Mp3FileAccess::CanReplace() const
{
    return m_stat.st_nlink <= 1 && ::access(FolderPath().c_str(), W_OK) == 0;
}

bool Mp3FileAccess::Replace(const ByteVector& region, const ByteVector& id3v1, SaveFailure& error)
{
    if (!WriteReplacement(region, id3v1, error) || !FlushReplacement(error) || !CommitReplacement(error))
        return false;
    FlushFolder(FolderPath());  // the rename is done; a failed flush of the folder does not undo it
    return true;
}

bool Mp3FileAccess::WriteReplacement(const ByteVector& region, const ByteVector& id3v1, SaveFailure& error)
{
    if (m_stat.st_nlink > 1) {
        // Renaming a new file over one of several links would part it from the others.
        error = {SaveReason::HardLinked, "file has other hard links and its tag must grow"};
        return false;
    }
    const off_t audioStart = static_cast<off_t>(m_regionSize);
    const off_t audioEnd = m_stat.st_size - static_cast<off_t>(m_id3v1.size());
    if (audioEnd < audioStart) {
        // The old tag's region runs past the file's end: there is no audio to place after the new one.
        error = {SaveReason::TagDamaged, "tag size past the end of the file"};
        return false;
    }
    DiscardReplacement();
    const std::string temp = TempPath();
    ::unlink(temp.c_str());
    m_tempFd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_tempFd < 0) {
        error = SystemFailure(SaveReason::WriteFailed, "cannot create a temporary file");
        return false;
    }
    const off_t regionSize = static_cast<off_t>(region.size());
    m_tempSize = region.size() + static_cast<unsigned long long>(audioEnd - audioStart) + id3v1.size();
    bool ok = WriteAll(m_tempFd, region.data(), region.size(), 0) &&
              CopyRange(m_fd, audioStart, audioEnd, m_tempFd, regionSize) &&
              WriteAll(m_tempFd, id3v1.data(), id3v1.size(), regionSize + (audioEnd - audioStart));
    if (!ok)
        error = SystemFailure(SaveReason::WriteFailed, "write failed");
    if (ok && !KeepOwnerAndMode(m_tempFd)) {
        ok = false;
        error = {SaveReason::CannotKeepOwner, "cannot keep the file's owner and mode"};
    }
    if (ok && !KeepAttributes(m_tempFd)) {
        ok = false;
        error = {SaveReason::CannotKeepOwner, "cannot keep the file's extended attributes"};
    }
    if (!ok) {
        DiscardReplacement();
        return false;
    }
    // Start the disk on it now: the flush then waits less, and flushes of several files overlap.
    ::sync_file_range(m_tempFd, 0, 0, SYNC_FILE_RANGE_WRITE);
    return true;
}

bool Mp3FileAccess::FlushReplacement(SaveFailure& error)
{
    if (m_tempFd >= 0 && ::fsync(m_tempFd) == 0)
        return true;
    error = SystemFailure(SaveReason::WriteFailed, "write failed");
    DiscardReplacement();
    return false;
}

bool Mp3FileAccess::CommitReplacement(SaveFailure& error)
{
    // Another program may have renamed a file of its own over the path, or written into this one: a
    // file built from what was read before would undo its work.
    if (m_tempFd < 0 || !UnchangedSinceRead(error)) {
        DiscardReplacement();
        return false;
    }
    if (::rename(TempPath().c_str(), m_path.c_str()) != 0) {
        error = SystemFailure(SaveReason::WriteFailed, "cannot replace the file");
        DiscardReplacement();
        return false;
    }
    struct stat written {};
    if (::fstat(m_tempFd, &written) == 0) {  // after the rename, which sets the change time
        m_stat = written;
        m_identity = FileIdentity::Of(written);
    }
    ::close(m_tempFd);  // after fsync, a failing close says nothing about the data
    m_tempFd = -1;
    return true;
}

void Mp3FileAccess::DiscardReplacement()
{
    if (m_tempFd < 0)
        return;
    ::close(m_tempFd);
    m_tempFd = -1;
    ::unlink(TempPath().c_str());
}

}  // namespace kestrune::tag
