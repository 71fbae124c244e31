#pragma once

#include <taglib/id3v2frame.h>
#include <taglib/id3v2tag.h>

#include <memory>
#include <string>

// The frames that hold the twelve fields, as TagLib frames: made from a stored frame's content, read
// as UTF-8, changed, and rendered as content for a v2.3 or v2.4 tag.
namespace kestrune::tag {

using TagLib::ByteVector;
using TagLib::ID3v2::Frame;

// Whether frames with this id can hold a field (the ids of the field table).
bool IsFieldFrameId(const ByteVector& id);

// A TagLib frame from the content of a stored frame (format flags already undone), or null when the
// content is not readable (unknown text encoding). A UTF-16 string without a byte-order mark is read in
// the byte order Utf16ReadsBigEndian gives.
std::unique_ptr<Frame> MakeFieldFrame(const ByteVector& id, const ByteVector& stored);

// A new frame for a field, with an empty text.
std::unique_ptr<Frame> NewFieldFrame(const ByteVector& id);

// The frame of `tag` that holds the field of frame id `id`. For COMM: the first one with an empty
// description, else the first whose description does not begin with "iTun" (iTunes keeps machine data
// in such frames). For WXXX: the first with an empty description, else the first.
Frame* FindFieldFrame(const TagLib::ID3v2::Tag& tag, const ByteVector& id);

// The field's text: several values of one frame joined with "; ". Single-byte text (a Latin-1 frame,
// a URL) is read by the rule of SingleByteText.h, so CP1251 bytes read as Cyrillic.
std::string FieldText(const Frame& frame);

// Whether the field's text is stored as single-byte text that is not plain ASCII: a legacy frame that
// other readers may show wrongly, which writing the field turns into a standard encoding.
bool HoldsLegacyText(const Frame& frame);

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
