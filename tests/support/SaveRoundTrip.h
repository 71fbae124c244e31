#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// One load-edit-save of an MP3 file, checked for what a user relies on whatever the file holds.
// Shared by the regression test of hostile files and the tag record's fuzz target.
namespace kestrune::test {

// The number of text sets the save may be given: Unicode texts with a comment long enough to make any
// small tag grow, short Latin-1 texts that usually fit in place, and all empty.
inline constexpr size_t kRoundTripTextSets = 3;

// Loads `file` (alone in its folder), sets the texts of `set`, saves, and checks:
//  - a refused save leaves the file byte for byte as it was and says why;
//  - a successful save keeps every audio byte, the file reads back with the texts set, and saving
//    those texts again changes nothing;
//  - no other file is left in the folder.
// Returns what broke, or empty; *refused (when given) tells whether the save was refused.
std::string SaveRoundTripProblem(const std::filesystem::path& file, size_t set, bool* refused = nullptr);

}  // namespace kestrune::test
