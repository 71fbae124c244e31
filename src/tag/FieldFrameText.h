#pragma once

#include <optional>
#include <string>
#include <string_view>

// What a field frame (a text frame, COMM or WXXX) holds, read from its content without building a
// TagLib frame: a load reads twelve of them per file, and TagLib's frame objects cost most of that.
// The texts are the ones TagLib's frame classes give for the same content (a text frame's values
// joined with "; "; a string that is not valid in its encoding reads as empty), with two rules of
// our own: single-byte text read by the rule of SingleByteText.h, and UTF-16 without a byte-order
// mark in the byte order Utf16ReadsBigEndian gives.
namespace kestrune::tag {

struct FieldFrameText {
    std::string text;              // the field's text, UTF-8
    bool described = false;        // COMM, WXXX: the description is not empty...
    bool machineComment = false;   // ... COMM: it starts with "iTun" (iTunes machine data)
    bool legacy = false;           // the text is single-byte and not plain ASCII
};

// The frame `id`'s content (format flags undone) read, or nothing when its text encoding is unknown.
std::optional<FieldFrameText> ReadFieldFrame(std::string_view id, std::string_view content);

// The content with a byte-order mark before each UTF-16 string that lacks one, in the byte order it
// reads better in: some writers leave the marks out, and TagLib then reads no text at all.
std::string WithByteOrderMarks(std::string_view id, std::string_view content);

}  // namespace kestrune::tag
