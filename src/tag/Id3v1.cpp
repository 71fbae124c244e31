#include "tag/Id3v1.h"

#include "tag/SingleByteText.h"

#include <taglib/id3v1genres.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace kestrune::tag {

namespace {

using TagLib::ByteVector;
using TagLib::String;

constexpr unsigned kSize = 128;

struct TextSlot {
    Id3v1Slot slot;
    unsigned offset, size;
};
constexpr TextSlot kTextSlots[] = {
    {Id3v1Slot::Title, 3, 30}, {Id3v1Slot::Artist, 33, 30}, {Id3v1Slot::Album, 63, 30}, {Id3v1Slot::Year, 93, 4}};
constexpr unsigned kCommentOffset = 97, kCommentSize = 30, kV11CommentSize = 28;
constexpr unsigned kTrackMarker = 125, kTrack = 126, kGenre = 127;
constexpr unsigned char kNoGenre = 255;

size_t at(Id3v1Slot s) { return static_cast<size_t>(s); }

unsigned char byteAt(const ByteVector& v, unsigned i) { return static_cast<unsigned char>(v[i]); }

// ID3v1.1 keeps the track in the comment's last byte, after a zero.
unsigned storedTrack(const ByteVector& block) { return byteAt(block, kTrackMarker) == 0 ? byteAt(block, kTrack) : 0; }

unsigned commentSize(const ByteVector& block) { return storedTrack(block) ? kV11CommentSize : kCommentSize; }

std::string slotText(const ByteVector& block, unsigned offset, unsigned size)
{
    std::string bytes(block.data() + offset, size);
    bytes.resize(std::min(bytes.find('\0'), bytes.size()));
    bytes.erase(bytes.find_last_not_of(' ') + 1);
    return decodeSingleByte(bytes);
}

std::string genreName(unsigned char number) { return TagLib::ID3v1::genre(number).to8Bit(true); }

// The number a text starts with ("7/12" gives 7), or 0.
unsigned leadingNumber(const std::string& text)
{
    unsigned n = 0;
    for (size_t i = 0; i < text.size() && i < 9 && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        n = n * 10 + static_cast<unsigned>(text[i] - '0');
    return n;
}

unsigned trackNumber(const std::string& text)
{
    const unsigned n = leadingNumber(text);
    return n <= 255 ? n : 0;
}

// ID3v1 genre number for a genre text: a known name, "(17)" or "17"; 255 for none.
unsigned char genreNumber(const std::string& genre)
{
    const int byName = TagLib::ID3v1::genreIndex(String(genre, String::UTF8));
    if (byName >= 0 && byName < kNoGenre)
        return static_cast<unsigned char>(byName);
    std::string digits = genre;
    if (digits.size() > 2 && digits.front() == '(' && digits.find(')') != std::string::npos)
        digits = digits.substr(1, digits.find(')') - 1);
    if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos)
        return kNoGenre;
    const unsigned n = leadingNumber(digits);
    return TagLib::ID3v1::genre(static_cast<int>(n)).isEmpty() ? kNoGenre : static_cast<unsigned char>(n);
}

// The first `count` characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, unsigned count)
{
    unsigned n = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && n++ == count)
            return text.substr(0, i);
    return text;
}

// Whether a slot of `size` bytes that reads as `stored` holds `text`, allowing for the cut.
bool readsAs(const std::string& stored, const std::string& text, unsigned size)
{
    if (stored == text)
        return true;
    std::string cut = firstCharacters(text, size);
    if (cut == text)
        return false;
    cut.erase(cut.find_last_not_of(' ') + 1);
    return stored == cut;
}

std::optional<std::string> exactForm(const std::string& text)
{
    if (auto latin1 = encodeSingleByte(text, CodePage::Latin1))
        return latin1;
    return encodeSingleByte(text, CodePage::Cp1251);
}

void composeText(ByteVector& block, unsigned offset, unsigned size, const std::string& text, bool keepInexact)
{
    if (readsAs(slotText(block, offset, size), text, size))
        return;
    const std::optional<std::string> exact = exactForm(text);
    if (!exact && keepInexact)
        return;
    const std::string bytes = exact ? *exact : approximateSingleByte(text);
    for (unsigned i = 0; i < size; ++i)
        block[offset + i] = i < bytes.size() ? bytes[i] : '\0';
}

}  // namespace

bool isId3v1(const ByteVector& block) { return block.size() == kSize && block.startsWith("TAG"); }

Id3v1Texts parseId3v1(const ByteVector& block)
{
    Id3v1Texts texts;
    if (!isId3v1(block))
        return texts;
    for (const TextSlot& s : kTextSlots)
        texts[at(s.slot)] = slotText(block, s.offset, s.size);
    texts[at(Id3v1Slot::Comment)] = slotText(block, kCommentOffset, commentSize(block));
    if (const unsigned track = storedTrack(block))
        texts[at(Id3v1Slot::Track)] = std::to_string(track);
    texts[at(Id3v1Slot::Genre)] = genreName(byteAt(block, kGenre));
    return texts;
}

ByteVector composeId3v1(const ByteVector& old, const Id3v1Texts& texts, const Id3v1Flags& unchanged)
{
    const bool hadTag = isId3v1(old);
    if (!hadTag && std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); }))
        return {};
    ByteVector block = old;
    if (!hadTag) {
        block = ByteVector("TAG");
        block.resize(kSize, '\0');
        block[kGenre] = static_cast<char>(kNoGenre);
    }
    // Keeping the bytes of a text ID3v1 cannot hold exactly is for what the file already had.
    auto keepInexact = [&](Id3v1Slot s) { return hadTag && unchanged[at(s)]; };
    for (const TextSlot& s : kTextSlots)
        composeText(block, s.offset, s.size, texts[at(s.slot)], keepInexact(s.slot));

    // The track takes the comment's last two bytes (ID3v1.1), so it goes first.
    const std::string& trackText = texts[at(Id3v1Slot::Track)];
    const unsigned track = trackNumber(trackText);
    const bool trackInexact = track == 0 && !trackText.empty();
    if (track != storedTrack(block) && !(trackInexact && keepInexact(Id3v1Slot::Track))) {
        block[kTrackMarker] = track ? '\0' : block[kTrackMarker];
        block[kTrack] = static_cast<char>(track);
    }
    composeText(block, kCommentOffset, commentSize(block), texts[at(Id3v1Slot::Comment)],
                keepInexact(Id3v1Slot::Comment));

    const std::string& genre = texts[at(Id3v1Slot::Genre)];
    const unsigned char number = genreNumber(genre);
    const bool genreInexact = number == kNoGenre && !genre.empty();
    if (genreName(byteAt(block, kGenre)) != genre && !(genreInexact && keepInexact(Id3v1Slot::Genre)))
        block[kGenre] = static_cast<char>(number);
    return block;
}

}  // namespace kestrune::tag
