#pragma once

#include "tag/TagFields.h"

#include <taglib/tbytevector.h>

#include <array>
#include <string>

// The ID3v1 tag at the end of a file: 128 bytes starting with "TAG", single-byte texts read by the
// rule of SingleByteText.h.
namespace kestrune::tag {

// UTF-8 texts by slot (indexed by Id3v1Slot); empty where the tag holds nothing.
using Id3v1Texts = std::array<std::string, 8>;
// A flag per slot (indexed by Id3v1Slot).
using Id3v1Flags = std::array<bool, 8>;

// Whether `block` (the last 128 bytes of a file) is an ID3v1 tag.
bool IsId3v1(const TagLib::ByteVector& block);

// The texts of the tag: each text slot up to its first zero byte and without trailing spaces (a year
// "0000" too), the track of an ID3v1.1 tag, the genre's name.
Id3v1Texts ParseId3v1(const TagLib::ByteVector& block);

// The tag to write for `texts`, given the file's tag `old` (empty when it has none). Each slot keeps
// its bytes when they read as its text (for a text longer than the slot, as the text cut to the slot);
// so does a slot whose text has no exact ID3v1 form (not Latin-1 nor CP1251, a genre without a number)
// when `unchanged` says the field holds the text the file already had. Any other slot gets its text:
// Latin-1 where every character fits, else CP1251, else the closest form of ApproximateSingleByte, cut
// to the slot; the genre as the number of a known name or of a reference like "(17)", else 255.
// Returns `old` itself when nothing differs, and empty for a file without a tag when every text is.
TagLib::ByteVector ComposeId3v1(const TagLib::ByteVector& old, const Id3v1Texts& texts, const Id3v1Flags& unchanged);

}  // namespace kestrune::tag
