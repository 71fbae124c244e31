#include "tag/TagTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kestrune::test {
namespace {

// A tag with every field, its texts chosen to need the encoding under test.
struct TagCase {
    int version;
    Enc enc;
    std::string sample;  // a text that needs that encoding
};

std::map<std::string, std::string> expectedTexts(const std::string& sample)
{
    return {{"title", "Title " + sample}, {"album", "Album " + sample}, {"artist", "Artist " + sample},
            {"track number", "3/12"},     {"year", "1999"},             {"genre", "Genre " + sample},
            {"comment", "Comment " + sample}, {"composer", "Composer " + sample},
            {"original artist", "Original " + sample}, {"copyright", "(C) " + sample},
            {"URL", "http://example.com/x"}, {"encoded by", "Encoder " + sample}};
}

std::string fileWithAllFields(const TagCase& c)
{
    const auto texts = expectedTexts(c.sample);
    Mp3Spec mp3;
    mp3.id3v2Version = c.version;
    for (const TagField& field : kTagFields) {
        const std::string& text = texts.at(std::string(field.name));
        const std::string id(field.frameId(c.version));
        Id3Frame frame = field.kind == TagFrameKind::Comment ? commentFrame(text, "", c.enc)
                         : field.kind == TagFrameKind::Url   ? urlFrame(text, "", c.enc)
                                                             : textFrame(id, text, c.enc);
        if (c.version == 2) {
            static const std::map<std::string, std::string> v22 = {
                {"TIT2", "TT2"}, {"TALB", "TAL"}, {"TPE1", "TP1"}, {"TRCK", "TRK"}, {"TYER", "TYE"}, {"TCON", "TCO"},
                {"COMM", "COM"}, {"TCOM", "TCM"}, {"TOPE", "TOA"}, {"TCOP", "TCR"}, {"WXXX", "WXX"}, {"TENC", "TEN"}};
            frame.id = v22.at(frame.id);
        }
        mp3.frames.push_back(frame);
    }
    return makeMp3(mp3);
}

class ReadEachVersion : public testing::TestWithParam<TagCase> {};

TEST_P(ReadEachVersion, ReadsEveryFieldInTheFramesOwnEncoding)
{
    TempDir dir;
    const auto file = dir.write("song.mp3", fileWithAllFields(GetParam()));
    EXPECT_EQ(loadFields(file), expectedTexts(GetParam().sample));
}

INSTANTIATE_TEST_SUITE_P(Tags, ReadEachVersion,
                         testing::Values(TagCase{2, Enc::Latin1, "Café"}, TagCase{2, Enc::Utf16, "Кофе"},
                                         TagCase{3, Enc::Latin1, "Café"}, TagCase{3, Enc::Utf16, "Кофе 咖啡"},
                                         TagCase{4, Enc::Utf8, "Кофе 咖啡 ☕🎵"}, TagCase{4, Enc::Utf16BE, "咖啡"}),
                         [](const auto& info) {
                             return "v2" + std::to_string(info.param.version) + "_enc" +
                                    std::to_string(static_cast<int>(info.param.enc));
                         });

TEST(Mp3FileRead, Id3v1FillsTheFieldsTheId3v2TagLacks)
{
    TempDir dir;
    Mp3Spec onlyV1;
    onlyV1.id3v2Version = 0;
    onlyV1.id3v1 = Id3v1{"Old title", "Old artist", "Old album", "1987", "Old comment", 7, 17};
    auto fields = loadFields(dir.write("v1.mp3", makeMp3(onlyV1)));
    EXPECT_EQ(fields["title"], "Old title");
    EXPECT_EQ(fields["artist"], "Old artist");
    EXPECT_EQ(fields["album"], "Old album");
    EXPECT_EQ(fields["year"], "1987");
    EXPECT_EQ(fields["comment"], "Old comment");
    EXPECT_EQ(fields["track number"], "7");
    EXPECT_EQ(fields["genre"], "Rock");
    EXPECT_EQ(fields["composer"], "");

    Mp3Spec both = onlyV1;
    both.id3v2Version = 3;
    both.id3v1->title = "Caf\xE9";  // Latin-1 in ID3v1
    both.frames = {textFrame("TALB", "New album"), textFrame("TPE1", "")};
    fields = loadFields(dir.write("both.mp3", makeMp3(both)));
    EXPECT_EQ(fields["album"], "New album");
    EXPECT_EQ(fields["artist"], "") << "an empty frame is still the ID3v2 tag's value";
    EXPECT_EQ(fields["title"], "Café");
}

TEST(Mp3FileRead, GenreTrackAndYearAreTextsAsStored)
{
    TempDir dir;
    Mp3Spec mp3;
    mp3.frames = {textFrame("TCON", "(17)"), textFrame("TRCK", "03/12"), textFrame("TYER", "0999")};
    auto fields = loadFields(dir.write("a.mp3", makeMp3(mp3)));
    EXPECT_EQ(fields["genre"], "(17)");
    EXPECT_EQ(fields["track number"], "03/12");
    EXPECT_EQ(fields["year"], "0999");

    mp3.id3v2Version = 4;
    mp3.frames = {textFrame("TCON", std::vector<std::string>{"Rock", "Jazz"}, Enc::Utf8),
                   textFrame("TDRC", "2019-03-14")};
    fields = loadFields(dir.write("b.mp3", makeMp3(mp3)));
    EXPECT_EQ(fields["genre"], "Rock; Jazz");
    EXPECT_EQ(fields["year"], "2019-03-14");
}

TEST(Mp3FileRead, ReadsTheYearFrameOfTheOtherVersionWhenTheRightOneIsMissing)
{
    TempDir dir;
    Mp3Spec mp3;
    mp3.frames = {textFrame("TDRC", "2001")};
    EXPECT_EQ(loadFields(dir.write("a.mp3", makeMp3(mp3)))["year"], "2001");
}

TEST(Mp3FileRead, LongTextsAreReadWhole)
{
    TempDir dir;
    std::string longText;
    while (longText.size() < 100000)
        longText += "Длинный комментарий " + std::to_string(longText.size()) + ". ";
    Mp3Spec mp3;
    mp3.frames = {commentFrame(longText, "", Enc::Utf16)};
    EXPECT_EQ(loadFields(dir.write("a.mp3", makeMp3(mp3)))["comment"], longText);
}

TEST(Mp3FileRead, CommentIsThePlainCommentFrameNeverITunesData)
{
    TempDir dir;
    const Id3Frame norm = commentFrame(" 00000A2B 00000A2B", "iTunNORM");
    const Id3Frame described = commentFrame("described", "Notes");
    const Id3Frame plain = commentFrame("plain");
    auto commentOf = [&](std::vector<Id3Frame> frames) {
        Mp3Spec mp3;
        mp3.frames = std::move(frames);
        return loadFields(dir.write("c.mp3", makeMp3(mp3)))["comment"];
    };
    EXPECT_EQ(commentOf({norm, described, plain}), "plain");
    EXPECT_EQ(commentOf({norm, described}), "described");
    EXPECT_EQ(commentOf({norm}), "");

    auto urlOf = [&](std::vector<Id3Frame> frames) {
        Mp3Spec mp3;
        mp3.frames = std::move(frames);
        return loadFields(dir.write("u.mp3", makeMp3(mp3)))["URL"];
    };
    EXPECT_EQ(urlOf({urlFrame("http://a", "shop"), urlFrame("http://b")}), "http://b");
    EXPECT_EQ(urlOf({urlFrame("http://a", "shop"), urlFrame("http://c", "band")}), "http://a");
}

TEST(Mp3FileRead, ReadsTheFramesTagLibMisses)
{
    TempDir dir;
    // v2.3 extended header with CRC: TagLib sizes it by v2.4 rules and reads no frame.
    std::string bytes = makeMp3WithTitle("After the extended header");
    const std::string extended = std::string("\0\0\0\x0A", 4) + std::string("\x80\0", 2) + std::string(8, '\0');
    bytes.insert(10, extended);
    bytes[5] = 0x40;
    bytes[9] = static_cast<char>(bytes[9] + extended.size());
    EXPECT_EQ(loadFields(dir.write("ext.mp3", bytes))["title"], "After the extended header");

    // v2.4 with frame sizes written as plain integers (old iTunes), a frame larger than 127 bytes.
    Mp3Spec mp3;
    mp3.id3v2Version = 4;
    // Read as synchsafe, the size would end the frame among the zeros of the lyrics.
    const std::string lyrics = std::string(250, '\0') + std::string(50, 'l');
    mp3.frames = {lyricsFrame(lyrics), textFrame("TIT2", "After the lyrics")};
    bytes = makeMp3(mp3);
    const size_t uslt = bytes.find("USLT");
    const unsigned size = 300 + 4 + 1;
    bytes.replace(uslt + 4, 4, std::string{0, 0, static_cast<char>(size >> 8), static_cast<char>(size & 0xFF)});
    const auto itunes = dir.write("itunes.mp3", bytes);
    EXPECT_EQ(loadFields(itunes)["title"], "After the lyrics");
    CMp3File record(itunes.string());
    record.Load();
    record.SetTitle("New");
    ASSERT_TRUE(record.Save()) << record.GetSaveError();
    EXPECT_NE(readFile(itunes).find(lyricsFrame(lyrics).body), std::string::npos) << "the lyrics are kept whole";

    // A damaged frame ends the tag; the frames before it are read.
    mp3.id3v2Version = 3;
    mp3.frames = {textFrame("TIT2", "Before the damage"), rawFrame("TALB", "\0Album"), textFrame("TPE1", "x")};
    bytes = makeMp3(mp3);
    bytes[bytes.find("TALB") + 4] = 0x7F;
    const auto fields = loadFields(dir.write("damaged.mp3", bytes));
    EXPECT_EQ(fields.at("title"), "Before the damage");
    EXPECT_EQ(fields.at("album"), "");
}

TEST(Mp3FileRead, FilesWithoutATagOrThatCannotBeReadGiveEmptyTexts)
{
    TempDir dir;
    const std::map<std::string, std::string> empty = fieldsOf(CMp3File(""));
    EXPECT_EQ(loadFields(dir.path() / "missing.mp3"), empty);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing.mp3"));
    EXPECT_EQ(loadFields(dir.mkdir("folder.mp3")), empty);
    ASSERT_EQ(::mkfifo((dir.path() / "fifo.mp3").c_str(), 0600), 0);
    EXPECT_EQ(loadFields(dir.path() / "fifo.mp3"), empty);
    EXPECT_EQ(loadFields(dir.write("empty.mp3", "")), empty);
    EXPECT_EQ(loadFields(dir.write("text.mp3", "Just some text, not music.\n")), empty);
    EXPECT_EQ(loadFields(dir.write("ID3.mp3", "ID3")), empty);
    EXPECT_EQ(loadFields(dir.write("notag.mp3", mpegAudio(3))), empty);

    CMp3File record(dir.write("t.mp3", makeMp3WithTitle("T")).string());
    record.SetTitle("set, then loaded over");
    record.Load();
    EXPECT_EQ(record.GetTitle(), "T");
}

}  // namespace
}  // namespace kestrune::test
