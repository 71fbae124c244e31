#pragma once

#include <string>

namespace kestrune {

// Why a save did not write a file: a reason the window can put into the user's words, with the
// technical detail (and the system's error number) kept for the details pane.
enum class SaveReason {
    None,              // the file holds the texts (written, or nothing needed writing)
    NotFound,          // no file at the path
    NotRegularFile,    // a folder, a device or a pipe
    ReadOnly,          // the file, its folder or its file system refuses writing
    Busy,              // another program is saving the file
    ChangedMeanwhile,  // the file was changed or replaced by another program after it was loaded
    LoadFailed,        // the file could not be read when loaded, so its own texts are unknown
    NotMp3,            // neither an ID3 tag nor MPEG audio
    TagDamaged,        // the tag is damaged; rewriting it would lose what cannot be read
    TagUnsupported,    // a valid tag the editor does not rewrite (compressed or encrypted frames, ...)
    TagTooLarge,       // the new tag exceeds what ID3v2 can declare
    HardLinked,        // the file has other hard links and its tag must grow
    DiskFull,          // no space (or quota) left
    ReadFailed,        // an input/output error while reading
    WriteFailed,       // an input/output error while writing
    CannotKeepOwner,   // the new file could not be given the old one's owner, mode or attributes
    Internal,          // the new tag did not read back as built, or an unexpected failure
};

inline constexpr int kSaveReasonCount = static_cast<int>(SaveReason::Internal) + 1;

struct SaveFailure {
    SaveReason reason = SaveReason::None;
    std::string detail;  // technical, in English: which frame, which byte, which call
    int systemError = 0; // errno where the system gave one, else 0
};

}  // namespace kestrune
