#pragma once

#include <string>

// The path and name rules of the folder browser. Texts are UTF-8 with "/" as the separator; "/" and "." are
// ASCII and never occur inside a multi-byte character, so plain byte searches are safe.
namespace kestrune {

// The text up to and including its last "/"; empty when it has none ("/music/Mu" gives "/music/").
std::string GetFolderPart(const std::string& text);

// The folder one level up. A text of at most one character is its own parent; otherwise the text is cut after
// the last "/" before its final character, so "/music/rock/" and "/music/rock" both give "/music/", "/" gives
// "/" and a text without such a "/" is its own parent.
std::string GetParentFolder(const std::string& text);

// The text from its last "." to its end; empty when it has none. The search covers the whole text, folder
// components included ("Live.Vol1/track" gives ".Vol1/track").
std::string GetExtension(const std::string& text);

// True when the extension of text equals ext without regard to case ("SONG.MP3" has ".mp3").
bool HasExtension(const std::string& text, const std::string& ext);

// True when a list entry names a folder: its text ends in "/".
bool IsFolderEntry(const std::string& text);

}  // namespace kestrune
