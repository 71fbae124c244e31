#include "tag/Id3v1.h"

#include <taglib/id3v1genres.h>
#include <taglib/id3v1tag.h>

#include <cctype>

namespace kestrune::tag {

namespace {

using TagLib::String;

// TagLib parses ID3v1 bytes only from a file; this opens its parser to a block already read.
class Id3v1Block : public TagLib::ID3v1::Tag {
public:
    explicit Id3v1Block(const TagLib::ByteVector& block) { parse(block); }
};

std::string& slot(Id3v1Texts& texts, Id3v1Slot s) { return texts[static_cast<size_t>(s)]; }
const std::string& slot(const Id3v1Texts& texts, Id3v1Slot s) { return texts[static_cast<size_t>(s)]; }

// The number a text starts with ("7/12" gives 7), or 0.
unsigned leadingNumber(const std::string& text)
{
    unsigned n = 0;
    for (size_t i = 0; i < text.size() && i < 9 && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        n = n * 10 + static_cast<unsigned>(text[i] - '0');
    return n;
}

// ID3v1 genre number for a genre text: a known name, "(17)" or "17"; 255 for none.
unsigned genreNumber(const std::string& genre)
{
    const int byName = TagLib::ID3v1::genreIndex(String(genre, String::UTF8));
    if (byName >= 0 && byName < 255)
        return static_cast<unsigned>(byName);
    std::string digits = genre;
    if (digits.size() > 2 && digits.front() == '(' && digits.find(')') != std::string::npos)
        digits = digits.substr(1, digits.find(')') - 1);
    if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos)
        return 255;
    const unsigned n = leadingNumber(digits);
    return TagLib::ID3v1::genre(static_cast<int>(n)).isEmpty() ? 255 : n;
}

}  // namespace

bool isId3v1(const TagLib::ByteVector& block) { return block.size() == 128 && block.startsWith("TAG"); }

Id3v1Texts parseId3v1(const TagLib::ByteVector& block)
{
    Id3v1Texts texts;
    if (!isId3v1(block))
        return texts;
    const Id3v1Block tag(block);
    slot(texts, Id3v1Slot::Title) = tag.title().to8Bit(true);
    slot(texts, Id3v1Slot::Artist) = tag.artist().to8Bit(true);
    slot(texts, Id3v1Slot::Album) = tag.album().to8Bit(true);
    slot(texts, Id3v1Slot::Comment) = tag.comment().to8Bit(true);
    slot(texts, Id3v1Slot::Genre) = tag.genre().to8Bit(true);
    if (tag.year() > 0)
        slot(texts, Id3v1Slot::Year) = std::to_string(tag.year());
    if (tag.track() > 0)
        slot(texts, Id3v1Slot::Track) = std::to_string(tag.track());
    return texts;
}

TagLib::ByteVector renderId3v1(const Id3v1Texts& texts)
{
    TagLib::ID3v1::Tag tag;
    tag.setTitle(String(slot(texts, Id3v1Slot::Title), String::UTF8));
    tag.setArtist(String(slot(texts, Id3v1Slot::Artist), String::UTF8));
    tag.setAlbum(String(slot(texts, Id3v1Slot::Album), String::UTF8));
    tag.setComment(String(slot(texts, Id3v1Slot::Comment), String::UTF8));
    const unsigned year = leadingNumber(slot(texts, Id3v1Slot::Year));
    tag.setYear(year <= 9999 ? year : 0);
    const unsigned track = leadingNumber(slot(texts, Id3v1Slot::Track));
    tag.setTrack(track <= 255 ? track : 0);
    tag.setGenreNumber(genreNumber(slot(texts, Id3v1Slot::Genre)));
    TagLib::ByteVector block = tag.render();
    // TagLib always writes ID3v1.1, whose comment ends at 28 bytes to make room for the track. Without
    // a track the comment keeps all 30 bytes, as ID3v1.0 has them.
    constexpr unsigned kCommentOffset = 97, kCommentSize = 30;
    const TagLib::ByteVector comment = TagLib::ID3v1::StringHandler().render(tag.comment());  // as render() has it
    if (tag.track() == 0 && comment.size() > kCommentSize - 2)
        for (unsigned i = 0; i < kCommentSize; ++i)
            block[kCommentOffset + i] = i < comment.size() ? comment[i] : '\0';
    return block;
}

}  // namespace kestrune::tag
