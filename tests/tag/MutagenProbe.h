#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// mutagen (the Python tag library in /usr/bin/python3) as an independent reader of the files the
// record writes.
namespace kestrune::test {

struct MutagenView {
    std::string version;                       // "2.3", "2.4", or "none"
    std::map<std::string, std::string> frames; // frame key (mutagen's HashKey) -> repr of the frame
};

bool MutagenAvailable();
// The ID3v2 tag as mutagen reads it, frames as stored (no v2.4 upgrade, no ID3v1 merge); nothing when
// mutagen fails on the file.
std::optional<MutagenView> MutagenRead(const std::filesystem::path& file);
// The whole line of one frame ("" when absent).
std::string MutagenFrame(const MutagenView& view, const std::string& key);
// The text values of one frame, joined with "|" ("" when absent).
std::string MutagenText(const MutagenView& view, const std::string& key);

}  // namespace kestrune::test
