#pragma once

#include <taglib/tbytevector.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An ID3v2 tag as the frames it stores, kept byte for byte. TagLib re-renders every frame of a tag it
// saves and loses some on the way; working on the stored frames lets a save write only the frames it
// changes and copy all others unchanged.
namespace kestrune::tag {

using TagLib::ByteVector;

struct RawFrame {
    ByteVector id;                 // 4 characters; 3 in a v2.2 tag
    unsigned char flags[2] = {};   // status and format flags as stored (always zero in v2.2)
    ByteVector data;               // what follows the frame header, with whole-tag unsynchronisation removed
};

inline std::string_view IdOf(const RawFrame& frame) { return {frame.id.data(), frame.id.size()}; }

struct RawTag {
    int version = 0;               // major version 2, 3 or 4; 0 when the file has no ID3v2 tag
    bool unsynchronised = false;   // header flag; in v2.4 it marks every frame as unsynchronised
    std::vector<RawFrame> frames;
    // Why the tag cannot be rewritten without loss, or empty when it was understood whole. A tag with a
    // problem still lists every frame that could be read.
    std::string problem;
    bool unsupported = false;      // the problem is a valid tag the editor does not rewrite, not damage
};

// Size of the ID3v2 region that starts the file (header, frames, padding, footer), from its first ten
// bytes; 0 when they are no ID3v2 header.
unsigned long long Id3v2RegionSize(const ByteVector& head);

// Reads the tag at the start of `region`. The region may be shorter than the header declares (a
// truncated file): the frames it holds are read and the tag gets a problem.
RawTag ParseId3v2(const ByteVector& region);

// Turns a v2.2 tag into v2.3 frames with the same content; a frame that has no v2.3 form stays as it
// is and gives the tag a problem.
void UpgradeV22(RawTag& tag);

// The content of a frame with its format flags undone (grouping byte, data length, unsynchronisation,
// zlib compression), or nothing when it is encrypted or its compressed data is damaged.
std::optional<ByteVector> FrameContent(const RawFrame& frame, const RawTag& tag);

// Whether the frame's content is its data as stored, with no format flag to undo.
bool ContentIsData(const RawFrame& frame, const RawTag& tag);

// A frame with the given content and no flags, as stored in a tag of that version (unsynchronised,
// with the flag set, when the tag is).
RawFrame MakeRawFrame(const ByteVector& id, const ByteVector& content, int version, bool unsynchronised);

// The tag as bytes: header, frames, then zero padding up to `regionSize` (when they fit) or else
// `growPadding` bytes of padding.
ByteVector RenderId3v2(const RawTag& tag, unsigned long long regionSize, unsigned growPadding);

bool SameFrame(const RawFrame& a, const RawFrame& b);

}  // namespace kestrune::tag
