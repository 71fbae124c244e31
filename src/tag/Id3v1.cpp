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

size_t At(Id3v1Slot s) { return static_cast<size_t>(s); }

unsigned char ByteAt(const ByteVector& v, unsigned i) { return static_cast<unsigned char>(v[i]); }

// ID3v1.1 keeps the track in the comment's last byte, after a zero.
unsigned StoredTrack(const ByteVector& block) { return ByteAt(block, kTrackMarker) == 0 ? ByteAt(block, kTrack) : 0; }

unsigned CommentSize(const ByteVector& block) { return StoredTrack(block) ? kV11CommentSize : kCommentSize; }

std::string SlotText(const ByteVector& block, unsigned offset, unsigned size)
{
    std::string bytes(block.data() + offset, size);
    bytes.resize(std::min(bytes.find('\0'), bytes.size()));
    bytes.erase(bytes.find_last_not_of(' ') + 1);
    return DecodeSingleByte(bytes);
}

std::string GenreName(unsigned char number) { return TagLib::ID3v1::genre(number).to8Bit(true); }

// The number a text starts with ("7/12" gives 7), or 0.
unsigned LeadingNumber(const std::string& text)
{
    unsigned n = 0;
    for (size_t i = 0; i < text.size() && i < 9 && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        n = n * 10 + static_cast<unsigned>(text[i] - '0');
    return n;
}

unsigned TrackNumber(const std::string& text)
{
    const unsigned n = LeadingNumber(text);
    return n <= 255 ? n : 0;
}

// ID3v1 genre number for a genre text: a known name, "(17)" or "17"; 255 for none.
unsigned char GenreNumber(const std::string& genre)
{
    // TagLib compares the text with each of its names; a save writes one genre into many files.
    thread_local std::string lastGenre;
    thread_local int lastByName = -1;
    if (lastByName < 0 || genre != lastGenre) {
        lastByName = TagLib::ID3v1::genreIndex(String(genre, String::UTF8));
        lastGenre = genre;
    }
    const int byName = lastByName;
    if (byName >= 0 && byName < kNoGenre)
        return static_cast<unsigned char>(byName);
    std::string digits = genre;
    if (digits.size() > 2 && digits.front() == '(' && digits.find(')') != std::string::npos)
        digits = digits.substr(1, digits.find(')') - 1);
    if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos)
        return kNoGenre;
    const unsigned n = LeadingNumber(digits);
    return TagLib::ID3v1::genre(static_cast<int>(n)).isEmpty() ? kNoGenre : static_cast<unsigned char>(n);
}

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, unsigned count)
{
    unsigned n = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && n++ == count)
            return text.substr(0, i);
    return text;
}

// Whether a slot of `size` bytes that reads as `stored` holds `text`, allowing for the cut.
bool ReadsAs(const std::string& stored, const std::string& text, unsigned size)
{
    if (stored == text)
        return true;
    std::string cut = FirstCharacters(text, size);
    if (cut == text)
        return false;
    cut.erase(cut.find_last_not_of(' ') + 1);
    return stored == cut;
}

std::optional<std::string> ExactForm(const std::string& text)
{
    if (auto latin1 = EncodeSingleByte(text, CodePage::Latin1))
        return latin1;
    return EncodeSingleByte(text, CodePage::Cp1251);
}

void ComposeText(ByteVector& block, unsigned offset, unsigned size, const std::string& text, bool keepInexact)
{
    if (ReadsAs(SlotText(block, offset, size), text, size))
        return;
    const std::optional<std::string> exact = ExactForm(text);
    if (!exact && keepInexact)
        return;
    const std::string bytes = exact ? *exact : ApproximateSingleByte(text);
    for (unsigned i = 0; i < size; ++i)
        block[offset + i] = i < bytes.size() ? bytes[i] : '\0';
}

}  // namespace

bool IsId3v1(const ByteVector& block) { return block.size() == kSize && block.startsWith("TAG"); }

Id3v1Texts ParseId3v1(const ByteVector& block)
{
    Id3v1Texts texts;
    if (!IsId3v1(block))
        return texts;
    for (const TextSlot& s : kTextSlots)
        texts[At(s.slot)] = SlotText(block, s.offset, s.size);
    texts[At(Id3v1Slot::Comment)] = SlotText(block, kCommentOffset, CommentSize(block));
    if (const unsigned track = StoredTrack(block))
        texts[At(Id3v1Slot::Track)] = std::to_string(track);
    texts[At(Id3v1Slot::Genre)] = GenreName(ByteAt(block, kGenre));
    return texts;
}

ByteVector ComposeId3v1(const ByteVector& old, const Id3v1Texts& texts, const Id3v1Flags& unchanged)
{
    const bool hadTag = IsId3v1(old);
    if (!hadTag && std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); }))
        return {};
    ByteVector block = old;
    if (!hadTag) {
        block = ByteVector("TAG");
        block.resize(kSize, '\0');
        block[kGenre] = static_cast<char>(kNoGenre);
    }
    // Keeping the bytes of a text ID3v1 cannot hold exactly is for what the file already had.
    auto keepInexact = [&](Id3v1Slot s) { return hadTag && unchanged[At(s)]; };
    for (const TextSlot& s : kTextSlots)
        ComposeText(block, s.offset, s.size, texts[At(s.slot)], keepInexact(s.slot));

    // The track takes the comment's last two bytes (ID3v1.1), so it goes first.
    const std::string& trackText = texts[At(Id3v1Slot::Track)];
    const unsigned track = TrackNumber(trackText);
    const bool trackInexact = track == 0 && !trackText.empty();
    if (track != StoredTrack(block) && !(trackInexact && keepInexact(Id3v1Slot::Track))) {
        block[kTrackMarker] = track ? '\0' : block[kTrackMarker];
        block[kTrack] = static_cast<char>(track);
    }
    ComposeText(block, kCommentOffset, CommentSize(block), texts[At(Id3v1Slot::Comment)],
                keepInexact(Id3v1Slot::Comment));

    const std::string& genre = texts[At(Id3v1Slot::Genre)];
    if (GenreName(ByteAt(block, kGenre)) != genre) {
        const unsigned char number = GenreNumber(genre);
        const bool genreInexact = number == kNoGenre && !genre.empty();
        if (!(genreInexact && keepInexact(Id3v1Slot::Genre)))
            block[kGenre] = static_cast<char>(number);
    }
    return block;
}

}  // namespace kestrune::tag
