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
bool isFieldFrameId(const ByteVector& id);

// A TagLib frame from the content of a stored frame (format flags already undone), or null when the
// content is not readable (unknown text encoding).
std::unique_ptr<Frame> makeFieldFrame(const ByteVector& id, const ByteVector& content);

// A new frame for a field, with an empty text.
std::unique_ptr<Frame> newFieldFrame(const ByteVector& id);

// The frame of `tag` that holds the field of frame id `id`. For COMM: the first one with an empty
// description, else the first whose description does not begin with "iTun" (iTunes keeps machine data
// in such frames). For WXXX: the first with an empty description, else the first.
Frame* findFieldFrame(const TagLib::ID3v2::Tag& tag, const ByteVector& id);

// The field's text: several values of one frame joined with "; ".
std::string fieldText(const Frame& frame);

// Replaces the field's text (a single value); the encoding becomes Latin-1 where every character of
// the frame fits, else Unicode. A URL is percent-encoded where it is not ASCII.
void setFieldText(Frame& frame, const std::string& text);

// The frame's content as written into a tag of that version (Unicode text as UTF-16 in v2.3 and as
// UTF-8 in v2.4).
ByteVector renderFieldContent(Frame& frame, int version);

// Non-ASCII bytes and control characters as %XX, so that a URL survives its Latin-1 frame.
std::string percentEncode(const std::string& url);

}  // namespace kestrune::tag
