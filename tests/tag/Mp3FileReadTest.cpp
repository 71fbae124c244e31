#include "tag/TagTestSupport.h"

namespace kestrune::test {
namespace {

TEST(Mp3FileRead, ReadsEveryFieldInTheFramesOwnEncodingInEachVersion)
{
    struct Case { int version; Enc enc; std::string sample; };
    const Case cases[] = {{2, Enc::Latin1, "Café"}, {2, Enc::Utf16, "Кофе"}, {3, Enc::Latin1, "Café"},
                          {3, Enc::Utf16, "Кофе 咖啡"}, {4, Enc::Utf8, "Кофе 咖啡 ☕🎵"}, {4, Enc::Utf16BE, "咖啡"}};
    // The v2.2 frame of each field, in the field table's order.
    const char* const v22[] = {"TT2", "TAL", "TP1", "TRK", "TYE", "TCO", "COM", "TCM", "TOA", "TCR", "WXX", "TEN"};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + " " + c.sample);
        Mp3Spec mp3{.id3v2Version = c.version};
        std::map<std::string, std::string> expected;
        for (size_t i = 0; i < kTagFields.size(); ++i) {
            const std::string name(kTagFields[i].name);
            expected[name] = name == "year" ? "1999" : name == "URL" ? "http://x.org/" : name + " " + c.sample;
            mp3.frames.push_back(FieldFrame(kTagFields[i], expected[name], c.version, c.enc));
            if (c.version == 2)
                mp3.frames.back().id = v22[i];
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

// Two of the regression files hold tags TagLib reads no frame of: a v2.3 extended header with CRC
// (TagLib sizes it by v2.4 rules), and v2.4 frame sizes stored as plain integers (old iTunes), a
// picture larger than 127 bytes among them. The frame named is kept whole by a save.
TEST(Mp3FileRead, ReadsTheFramesTagLibMisses)
{
    TempDir dir;
    for (const auto& [name, kept] :
         {std::pair{"v23-extended-header-crc.mp3", "TPE1"}, std::pair{"v24-plain-frame-sizes.mp3", "APIC"}}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadFile(std::filesystem::path(KESTRUNE_REGRESSIONS_DIR) / name);
        const auto file = dir.Write(name, bytes);
        EXPECT_EQ(LoadFields(file).at("title"), "Title");
        ASSERT_EQ(SaveTexts(file, {{"title", "New"}}), "");
        const std::string body = StoredFrame(bytes, kept, 3).substr(10);  // sizes read as plain integers
        EXPECT_NE(ReadFile(file).find(body), std::string::npos) << body.size() << " bytes";
    }
}

}  // namespace
}  // namespace kestrune::test
