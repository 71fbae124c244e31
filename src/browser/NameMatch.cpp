#include "browser/NameMatch.h"

#include <QChar>

#include <cstddef>

namespace kestrune {
namespace {

// A byte that does not belong to a well-formed UTF-8 sequence stands for itself as a value beyond Unicode.
constexpr char32_t kRawByteBase = 0x110000;

// Decodes the character at pos and moves pos past it.
char32_t DecodeAt(std::string_view text, std::size_t& pos)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byteAt(pos);
    std::size_t length = 0;
    char32_t ch = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte; narrower after some lead bytes
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        ch = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        ch = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        else if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        ch = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;  // nothing beyond U+10FFFF
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kRawByteBase + lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byteAt(pos + i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
            ++pos;
            return kRawByteBase + lead;
        }
        ch = (ch << 6) | (next & 0x3F);
    }
    pos += length;
    return ch;
}

constexpr unsigned char FoldAscii(unsigned char byte)
{
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

// The case-folded character at pos; moves pos past it.
char32_t FoldedAt(std::string_view text, std::size_t& pos)
{
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {
        ++pos;
        return FoldAscii(byte);
    }
    const char32_t ch = DecodeAt(text, pos);
    return ch < kRawByteBase ? QChar::toCaseFolded(ch) : ch;
}

// Whether the characters at a[i] and b[j] are equal without regard to case. On true, moves i and j past them;
// on false, leaves them anywhere.
bool SameCharacterAt(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j)
{
    const auto byteA = static_cast<unsigned char>(a[i]);
    const auto byteB = static_cast<unsigned char>(b[j]);
    if (byteA < 0x80 && byteB < 0x80) {
        ++i;
        ++j;
        return FoldAscii(byteA) == FoldAscii(byteB);
    }
    // Only two characters beyond ASCII fold into ASCII: the long s into "s" and the Kelvin sign into "k". So a
    // Cyrillic name meets ".mp3" at nearly every position without a table lookup.
    if (byteA < 0x80 || byteB < 0x80) {
        const unsigned char ascii = FoldAscii(byteA < 0x80 ? byteA : byteB);
        if (ascii != 's' && ascii != 'k')
            return false;
    }
    return FoldedAt(a, i) == FoldedAt(b, j);
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (!SameCharacterAt(a, i, b, j))
            return false;
    }
    return i == a.size() && j == b.size();
}

bool MatchesNamePattern(std::string_view name, std::string_view pattern)
{
    constexpr auto none = std::string_view::npos;
    std::size_t n = 0, p = 0;
    // Where to resume after a mismatch: the pattern just past the last "*", and the name position that "*"
    // has swallowed up to.
    std::size_t starP = none, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            if (p + 1 == pattern.size())
                return true;  // a final "*" takes the rest of the name
            starP = ++p;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            std::size_t nextN = n, nextP = p;
            if (SameCharacterAt(name, nextN, pattern, nextP)) {
                n = nextN;
                p = nextP;
                continue;
            }
        }
        if (starP == none)
            return false;
        DecodeAt(name, starN);  // let the last "*" swallow one more character
        n = starN;
        p = starP;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace kestrune
