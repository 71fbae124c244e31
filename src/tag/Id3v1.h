#pragma once

#include "tag/TagFields.h"

#include <taglib/tbytevector.h>

#include <array>
#include <string>

// The ID3v1 tag at the end of a file: 128 bytes starting with "TAG", Latin-1 texts.
namespace kestrune::tag {

// UTF-8 texts by slot (indexed by Id3v1Slot); empty where the tag holds nothing.
using Id3v1Texts = std::array<std::string, 8>;

// Whether `block` (the last 128 bytes of a file) is an ID3v1 tag.
bool isId3v1(const TagLib::ByteVector& block);

Id3v1Texts parseId3v1(const TagLib::ByteVector& block);

// The tag for these texts. A text that is not Latin-1 is left out, a long one is cut; the genre is
// stored as the number of a known genre name or of a reference like "(17)".
TagLib::ByteVector renderId3v1(const Id3v1Texts& texts);

}  // namespace kestrune::tag
