#include "tag/TagTestSupport.h"

namespace kestrune::test {
namespace {

TEST(Mp3FileRead, ReadsEveryFieldInTheFramesOwnEncodingInEachVersion)
{
    struct Case { int version; Enc enc; std::string sample; };
    const Case cases[] = {{2, Enc::Latin1, "Café"}, {2, Enc::Utf16, "Кофе"}, {3, Enc::Latin1, "Café"},
                          {3, Enc::Utf16, "Кофе 咖啡"}, {4, Enc::Utf8, "Кофе 咖啡 ☕🎵"}, {4, Enc::Utf16BE, "咖啡"}};
    const std::map<std::string, std::string> v22 = {{"TIT2", "TT2"}, {"TALB", "TAL"}, {"TPE1", "TP1"},
        {"TRCK", "TRK"}, {"TYER", "TYE"}, {"TCON", "TCO"}, {"COMM", "COM"}, {"TCOM", "TCM"}, {"TOPE", "TOA"},
        {"TCOP", "TCR"}, {"WXXX", "WXX"}, {"TENC", "TEN"}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + " " + c.sample);
        Mp3Spec mp3{.id3v2Version = c.version};
        std::map<std::string, std::string> expected;
        for (const TagField& field : kTagFields) {
            const std::string name(field.name);
            expected[name] = name == "year" ? "1999" : name == "URL" ? "http://x.org/" : name + " " + c.sample;
            mp3.frames.push_back(FieldFrame(field, expected[name], c.version, c.enc));
            if (c.version == 2)
                mp3.frames.back().id = v22.at(mp3.frames.back().id);
        }
        EXPECT_EQ(LoadFields(dir.Write("song.mp3", MakeMp3(mp3))), expected);
    }
}

TEST(Mp3FileRead, Id3v1FillsTheFieldsTheId3v2TagLacks)
{
    TempDir dir;
    // Stored texts ID3v1 shows oddly are texts all the same: a year "0000" reads, and a save keeps it.
    Mp3Spec mp3{.id3v2Version = 0,
                .id3v1 = Id3v1{"Old title", "Old artist", "Old album", "0000", "Old comment", 7, 17}};
    std::map<std::string, std::string> expected = {
        {"title", "Old title"},     {"artist", "Old artist"}, {"album", "Old album"}, {"year", "0000"},
        {"comment", "Old comment"}, {"track number", "7"},    {"genre", "Rock"}};
    expected.merge(FieldsOf(CMp3File("")));  // the fields ID3v1 lacks, empty
    const auto v1 = dir.Write("v1.mp3", MakeMp3(mp3));
    EXPECT_EQ(LoadFields(v1), expected);
    EXPECT_EQ(SaveTexts(v1, {{"composer", "Someone"}}), "");
    EXPECT_EQ(PartsOf(ReadFile(v1)).id3v1, PartsOf(MakeMp3(mp3)).id3v1);

    mp3.id3v2Version = 3;
    mp3.id3v1->title = "Caf\xE9";  // Latin-1 in ID3v1
    mp3.frames = {TextFrame("TALB", "New album"), TextFrame("TPE1", "")};
    // An empty frame (the artist) is still the ID3v2 tag's value.
    const auto fields = LoadFields(dir.Write("both.mp3", MakeMp3(mp3)));
    EXPECT_EQ((std::vector{fields.at("album"), fields.at("artist"), fields.at("title")}),
              (std::vector<std::string>{"New album", "", "Café"}));
}

TEST(Mp3FileRead, ReadsTheFramesTagLibMisses)
{
    TempDir dir;
    // v2.3 extended header with CRC: TagLib sizes it by v2.4 rules and reads no frame.
    std::string bytes = MakeMp3WithTitle("After the extended header");
    bytes.insert(10, std::string("\0\0\0\x0A\x80\0", 6) + std::string(8, '\0'));  // 14 bytes, the flags first
    bytes[5] = 0x40;
    bytes[9] = static_cast<char>(bytes[9] + 14);
    EXPECT_EQ(LoadFields(dir.Write("ext.mp3", bytes))["title"], "After the extended header");

    // v2.4 with frame sizes written as plain integers (old iTunes), a frame larger than 127 bytes.
    // Read as synchsafe, the size would end the frame among the zeros of the lyrics.
    const std::string lyrics = std::string(250, '\0') + std::string(50, 'l');
    bytes = MakeMp3({.id3v2Version = 4, .frames = {LyricsFrame(lyrics), TextFrame("TIT2", "After the lyrics")}});
    const unsigned size = 300 + 4 + 1;
    bytes.replace(bytes.find("USLT") + 4, 4, std::string{0, 0, char(size >> 8), char(size & 0xFF)});
    const auto itunes = dir.Write("itunes.mp3", bytes);
    EXPECT_EQ(LoadFields(itunes).at("title"), "After the lyrics");
    ASSERT_EQ(SaveTexts(itunes, {{"title", "New"}}), "");
    EXPECT_NE(ReadFile(itunes).find(LyricsFrame(lyrics).body), std::string::npos) << "the lyrics are kept whole";
}

}  // namespace
}  // namespace kestrune::test
