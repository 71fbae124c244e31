#pragma once

#include <optional>
#include <string>
#include <string_view>

// Single-byte texts as they are found in tags: ID3v1 fields and ID3v2 frames of encoding 0, which the
// standard calls Latin-1 but which Windows programs in Russia filled with code page 1251. The rule that
// tells the two apart is written down once, in SingleByteText.cpp.
namespace kestrune::tag {

// The code pages a single-byte text is read in. Reading Latin1 takes bytes 0x80-0x9F as the
// punctuation Windows-1252 puts there (Latin-1 has only control characters there); writing Latin1 is
// strict Latin-1.
enum class CodePage { Latin1, Cp1251 };

// Whether the bytes are plain ASCII, the same text in both code pages (as most texts are).
bool IsAscii(std::string_view bytes);

// The code page the rule reads these bytes in (Latin1 for plain ASCII).
CodePage CodePageOf(std::string_view bytes);

// The bytes as UTF-8 text: read in `page`, or in the code page the rule gives.
std::string DecodeSingleByte(std::string_view bytes, CodePage page);
std::string DecodeSingleByte(std::string_view bytes);

// The UTF-8 text's bytes in `page`, or nothing when a character has no byte there.
std::optional<std::string> EncodeSingleByte(std::string_view utf8, CodePage page);

// Whether the text can be stored as Latin-1 bytes that the rule reads back as the same text.
bool Latin1ReadsBack(std::string_view utf8);

// The most readable single-byte form of a text that neither code page holds whole: in the code page
// that holds more of its characters, a character it lacks by its base letters ("é" as "e"), by a
// plain ASCII stand-in for a dash or quote, else as "?".
std::string ApproximateSingleByte(std::string_view utf8);

// For UTF-16 without a byte-order mark: whether the text reads better big-endian, having more
// characters in the Basic Latin, Latin-1 and Cyrillic blocks that way (a tie is little-endian).
bool Utf16ReadsBigEndian(std::string_view bytes);

}  // namespace kestrune::tag
