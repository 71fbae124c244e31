#pragma once

#include <string_view>

namespace kestrune {

// Name comparisons of the folder browser. Texts are UTF-8 and compared character by character after Unicode
// case folding ("SONG.MP3" equals "song.mp3", "МУЗЫКА" equals "музыка"); bytes that are not well-formed UTF-8
// compare only with the same byte.

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// True when name matches pattern, without regard to case. "*" in the pattern stands for any run of characters,
// the empty run included; every other character stands for itself ("*" matches every name, "Mu*.mp3" matches
// "music.MP3").
bool MatchesNamePattern(std::string_view name, std::string_view pattern);

}  // namespace kestrune
