#pragma once

#include <taglib/id3v2frame.h>

#include <memory>
#include <string>
#include <string_view>

// The frames that hold the twelve fields as TagLib frames, for a save that writes them: made from a
// stored frame's content, changed, and rendered as content for a v2.3 or v2.4 tag. (Reading a field
// frame needs none of this: FieldFrameText.h.)
namespace kestrune::tag {

using TagLib::ByteVector;
using TagLib::ID3v2::Frame;

// The field table's frame id equal to `id`, or empty when frames with this id hold no field.
std::string_view FieldFrameId(std::string_view id);

// A TagLib frame from the content of a stored frame (format flags already undone), or null when the
// content is not readable (unknown text encoding). A UTF-16 string without a byte-order mark is read in
// the byte order Utf16ReadsBigEndian gives.
std::unique_ptr<Frame> MakeFieldFrame(std::string_view id, const ByteVector& stored);

// A new frame for a field, with an empty text.
std::unique_ptr<Frame> NewFieldFrame(std::string_view id);

// Replaces the field's text (a single value). The frame stays or becomes Latin-1 only where the text
// fits and the rule reads those bytes back as the same text (and a description stays readable), else
// it becomes Unicode; a Latin-1 description read as CP1251 becomes that text in Unicode. A URL is
// percent-encoded where it is not ASCII.
void SetFieldText(Frame& frame, const std::string& text);

// The frame's content as written into a tag of that version (Unicode text as UTF-16 in v2.3 and as
// UTF-8 in v2.4).
ByteVector RenderFieldContent(Frame& frame, int version);

// Non-ASCII bytes and control characters as %XX, so that a URL survives its Latin-1 frame.
std::string PercentEncode(const std::string& url);

}  // namespace kestrune::tag
