#pragma once

#include "tag/FieldFrameText.h"
#include "tag/FieldFrames.h"
#include "tag/Id3v2Raw.h"
#include "tag/Mp3FileAccess.h"
#include "tag/TagFields.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A file's tags as one Load read them, kept by the record so that a Save of the same, unchanged file
// neither reads nor parses it again.
namespace kestrune::tag {

// A frame with a field's id, as read; a save that writes it makes a TagLib frame of it.
struct FieldFrame {
    static constexpr size_t kNew = static_cast<size_t>(-1);
    std::string_view id;    // the field table's frame id
    size_t stored = kNew;   // its place among the tag's stored frames; kNew for a frame a save adds
    FieldFrameText read{};
    std::unique_ptr<Frame> written{};  // the frame as a save changes it, once written
};

// The frames of the twelve fields in stored order, each read once; frames a save adds follow.
struct FieldFrameSet {
    const RawTag* raw = nullptr;  // the tag they were read from
    std::vector<FieldFrame> frames;
    std::string problem;       // a field frame that could not be read
    bool unsupported = false;  // ... because it is compressed or encrypted, not damaged
};

// Reads the field frames of `raw` into `set`; `only`, when not empty, limits them to these ids.
void CollectFieldFrames(const RawTag& raw, FieldFrameSet& set, const std::vector<std::string_view>& only = {});

// The frame that holds the field of frame id `id`. For COMM: the first one without a description, else
// the first whose description does not begin with "iTun" (iTunes keeps machine data in such frames).
// For WXXX: the first without a description, else the first. Null when there is none.
FieldFrame* FindFieldFrame(FieldFrameSet& set, std::string_view id);
const FieldFrame* FindFieldFrame(const FieldFrameSet& set, std::string_view id);

// The TagLib frame of `frame` for a save to change: made from its stored content, or new.
Frame& WritableFrame(const FieldFrameSet& set, FieldFrame& frame);

// An ID3v2 region taken apart: its frames as stored and the field frames read.
struct ParsedTag {
    RawTag raw;  // v2.2 already turned into v2.3
    FieldFrameSet frames;
    int version = 0;  // the version a save writes: the tag's own, or v2.3 for a file without one
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
