#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// mutagen (the Python tag library in /usr/bin/python3) as an independent reader of the files the
// record writes.
namespace kestrune::test {

struct MutagenView {
    std::string version;                        // "2.3", "2.4", or "none"
    std::map<std::string, std::string> frames;  // frame key (mutagen's HashKey) -> repr, a tab, text values

    // The whole line of one frame ("" when absent).
    std::string Frame(const std::string& key) const { return frames.count(key) ? frames.at(key) : std::string(); }
    // The text values of one frame, joined with "|" ("" when absent).
    std::string Text(const std::string& key) const { return Frame(key).substr(Frame(key).rfind('\t') + 1); }
};

// The ID3v2 tag as mutagen reads it, frames as stored (no v2.4 upgrade, no ID3v1 merge); nothing when
// mutagen fails on the file or is missing (python3-mutagen is a test dependency: the checks that use it
// fail without it rather than pass unchecked).
std::optional<MutagenView> MutagenRead(const std::filesystem::path& file);

}  // namespace kestrune::test
