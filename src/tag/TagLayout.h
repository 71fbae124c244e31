#pragma once

#include "tag/Mp3FileAccess.h"

// Where a save's bytes go in the file: what differs from what is there, and how large a rewritten tag
// region is.
namespace kestrune::tag {

// The bytes of `after` from its first to its last byte that differs from `before` (of the same size),
// placed at `offset`; empty when both are equal.
ByteRun ChangedRun(const ByteVector& before, const ByteVector& after, unsigned long long offset);

// The size of an ID3v2 region written into a new file: the old size when the tag (`tagSize` bytes
// without padding) fits it, else the tag with `growPadding` bytes of padding; then, when the file
// ends in an ID3v1 tag after `audioSize` bytes of audio, up to a page more, so that the ID3v1 tag lies
// within one page of the file and later saves can change it in place.
unsigned long long RewrittenRegionSize(unsigned long long tagSize, unsigned long long oldSize, unsigned growPadding,
                                       unsigned long long audioSize, bool endsInId3v1);

}  // namespace kestrune::tag
