#pragma once

#include "tag/FieldFrames.h"
#include "tag/Id3v2Raw.h"
#include "tag/Mp3FileAccess.h"
#include "tag/TagFields.h"

#include <taglib/id3v2tag.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A file's tags as one Load read them, kept by the record so that a Save of the same, unchanged file
// neither reads nor parses it again.
namespace kestrune::tag {

// The frames of the twelve fields, decoded into a TagLib tag; each one remembers the stored frame it
// was made from.
struct FieldFrameSet {
    TagLib::ID3v2::Tag tag;
    std::vector<Frame*> fromStored;  // per stored frame: the frame made from it, or null
    std::string problem;             // a field frame that could not be decoded
    bool unsupported = false;        // ... because it is compressed or encrypted, not damaged
};

// Decodes the field frames of `raw` into `set`; `only`, when not empty, limits them to these ids.
void CollectFieldFrames(const RawTag& raw, FieldFrameSet& set, const std::vector<ByteVector>& only = {});

// What the frame of a field holds in the version a save writes, as read from the decoded frames.
struct StoredField {
    bool read = false;    // not yet read: the rest says nothing
    bool inFile = false;  // the tag has the field's frame...
    std::string text;     // ... holding this text
};

// An ID3v2 region taken apart: its frames as stored and the field frames decoded.
struct ParsedTag {
    RawTag raw;  // v2.2 already turned into v2.3
    FieldFrameSet frames;
    int version = 0;  // the version a save writes: the tag's own, or v2.3 for a file without one
    // Per field (kTagFields order), what Load read from `frames`, so that a save does not decode the
    // same texts again.
    std::array<StoredField, kTagFieldCount> stored{};
};

std::unique_ptr<ParsedTag> ParseTag(const ByteVector& region);

struct LoadedTag {
    FileIdentity identity;
    ByteVector region;
    unsigned long long regionSize = 0;
    ByteVector id3v1;
    // Null until needed. A save changes the field frames it writes, so it consumes this; the next
    // save parses the region again.
    std::unique_ptr<ParsedTag> parsed;
};

// The regions `file` has read, parsed.
LoadedTag LoadedFrom(const Mp3FileAccess& file);

}  // namespace kestrune::tag
