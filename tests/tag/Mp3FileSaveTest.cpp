#include "tag/MutagenProbe.h"
#include "tag/TagTestSupport.h"

#include <QByteArray>

namespace kestrune::test {
namespace {

// A tag of each version as other tools leave it, and what mutagen must show besides the texts written
// (a v2.2 tag becomes v2.3 with all its frames): its keys and a part of what it shows for them.
struct VersionCase {
    int version;
    std::vector<Id3Frame> frames;
    std::vector<std::pair<std::string, std::string>> shown;
};

std::vector<VersionCase> VersionCases()
{
    // Flagged "discard when the tag is altered", and grouped (the group byte first).
    const Id3Frame discarded{"TIT3", TextFrame("", "kept with its flags").body, 0x80},
        grouped{"TIT1", '\x07' + TextFrame("", "grouped").body, 0, 0x20};
    const std::vector<Id3Frame> texts = {TextFrame("TIT2", "Old"), TextFrame("TRCK", "03/12"),
                                         TextFrame("TPE1", std::vector<std::string>{"One", "Two"}, Enc::Utf16)};
    VersionCase v3{3, texts, {}}, v4{4, texts, {}};
    v3.frames.insert(v3.frames.end(),
                     {TextFrame("TALB", "Album", Enc::Utf16), PictureFrame(), LyricsFrame("la la", Enc::Utf16),
                      UserTextFrame("MOOD", "calm"), PrivateFrame("com.example", std::string("\x00\x01\xFF", 3)),
                      AnyFrame("XYZW", "unknown"), AnyFrame("RVAD", std::string("\x03\x10\x01\x00\x01\x00", 6)),
                      AnyFrame("EQUA", "\x10\x00\x01\x00\x01"), TextFrame("TDAT", "1403"), discarded, grouped});
    v4.frames.push_back(TextFrame("TALB", "Album", Enc::Utf16BE));
    const VersionCase v2{
        2,
        {TextFrame("TT2", "Old"), TextFrame("TOA", "Original"), TextFrame("TT3", "Subtitle"),
         AnyFrame("PIC", std::string("\0PNG\x03\0data", 10)), AnyFrame("COM", CommentFrame("c").body)},
        {{"TOPE", "Original"}, {"TIT3", "Subtitle"}, {"APIC:", "mime='image/png'"}, {"APIC:", "data=b'data'"}}};
    return {v2, v3, v4};
}

// Each version: the texts read back in the record and in mutagen, in Latin-1 where they fit, else the
// version's Unicode encoding; the audio and the other frames stay byte for byte.
TEST(Mp3FileSave, WritesUnicodeAndLongTextsAndKeepsEverythingElseInEachTagVersion)
{
    std::string longText;
    while (longText.size() < 100000)
        longText += "Длинный текст " + std::to_string(longText.size()) + ". ";
    const std::map<std::string, std::string> texts = {
        {"title", "Привет, мир"},  {"composer", "你好世界"}, {"copyright", "Música 🎵🎸"},
        {"comment", "Café Crème"}, {"genre", "(17)"},        {"encoded by", longText},
        {"year", "2001"}};
    for (const VersionCase& c : VersionCases()) {
        SCOPED_TRACE(c.version);
        const std::map<std::string, std::string> keys = {{"title", "TIT2"}, {"composer", "TCOM"},
            {"copyright", "TCOP"}, {"comment", "COMM::eng"}, {"genre", "TCON"}, {"encoded by", "TENC"},
            {"year", c.version == 4 ? "TDRC" : "TYER"}};
        TempDir dir;
        const std::string before = MakeMp3({.id3v2Version = c.version, .frames = c.frames, .padding = 512});
        const auto file = dir.Write("song.mp3", before);
        ASSERT_EQ(SaveTexts(file, texts), "");
        const std::string after = ReadFile(file);
        EXPECT_EQ(AudioOf(after), AudioOf(before));
        for (const Id3Frame& frame : c.frames)  // all as stored but the title written and a v2.2 tag's
            EXPECT_TRUE(frame.id == "TIT2" || c.version == 2 ||
                        StoredFrame(after, frame.id, c.version) == StoredFrame(before, frame.id, c.version))
                << frame.id << " changed";

        const auto fields = LoadFields(file);
        const auto view = MutagenRead(file);
        ASSERT_TRUE(view) << "mutagen did not read the file; is python3-mutagen installed?";
        EXPECT_EQ(view->version, c.version == 4 ? "2.4" : "2.3");
        for (const auto& [name, text] : texts) {
            EXPECT_EQ(fields.at(name), text) << name;
            EXPECT_EQ(view->Text(keys.at(name)), text) << name;
        }
        const std::string unicode = c.version == 4 ? "Encoding.UTF8" : "Encoding.UTF16";
        EXPECT_NE(view->Frame("TIT2").find(unicode), std::string::npos) << view->Frame("TIT2");
        EXPECT_NE(view->Frame("COMM::eng").find("Encoding.LATIN1"), std::string::npos);
        for (const auto& [key, part] : c.shown)
            EXPECT_NE(view->Frame(key).find(part), std::string::npos) << key << ": " << view->Frame(key);
    }
}

// Other readers show every copy of a text frame a tag holds twice; the editor shows and writes the first.
TEST(Mp3FileSave, ATextFrameHeldTwiceIsKeptUntilItsFieldIsWrittenThenOnlyTheNewTextRemains)
{
    TempDir dir;
    const auto file = dir.Write("a.mp3", MakeMp3({.frames = {TextFrame("TIT2", "First"), TextFrame("TPE1", "Artist"),
                                                             TextFrame("TIT2", "Second")}, .padding = 500}));
    auto titles = [&] { return QByteArray::fromStdString(ReadFile(file)).count("TIT2"); };
    ASSERT_EQ(SaveTexts(file, {{"artist", "Other"}}), "");
    EXPECT_EQ(titles(), 2) << "an unwritten field keeps its frames";
    ASSERT_EQ(SaveTexts(file, {{"title", ""}}), "");
    EXPECT_EQ(titles(), 1);
}

TEST(Mp3FileSave, CommentAndUrlAreReadFromAndWrittenToTheFrameTheEditorShows)
{
    const Id3Frame norm = CommentFrame(" 0000 0001", "iTunNORM");  // iTunes data, never the comment
    const Id3Frame notes = CommentFrame("described", "Notes", Enc::Utf16);
    const Id3Frame shop = UrlFrame("http://a", "shop");
    // The frames; the comment and URL loaded; the keys of the frames written.
    struct Case {
        std::vector<Id3Frame> frames;
        std::string comment, url, commentKey, urlKey;
    } const cases[] = {
        {{norm, notes, CommentFrame("plain"), shop, UrlFrame("http://b")}, "plain", "http://b", "COMM::eng", "WXXX:"},
        {{norm, notes, shop, UrlFrame("http://c", "band")}, "described", "http://a", "COMM:Notes:eng", "WXXX:shop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("loaded comment '" + c.comment + "'");
        TempDir dir;
        const auto file = dir.Write("a.mp3", MakeMp3({.frames = c.frames}));
        const auto loaded = LoadFields(file);
        EXPECT_EQ(loaded.at("comment") + " " + loaded.at("URL"), c.comment + " " + c.url);
        const auto before = MutagenRead(file);
        ASSERT_EQ(SaveTexts(file, {{"comment", "новый"}, {"URL", "http://пример.рф/a b"}}), "");
        const auto after = MutagenRead(file);
        ASSERT_TRUE(before && after) << "mutagen did not read the file; is python3-mutagen installed?";
        EXPECT_EQ(after->Text(c.commentKey), "новый");
        EXPECT_EQ(after->Text(c.urlKey), "http://%D0%BF%D1%80%D0%B8%D0%BC%D0%B5%D1%80.%D1%80%D1%84/a b");
        for (const auto& [key, repr] : before->frames)
            EXPECT_TRUE(key == c.commentKey || key == c.urlKey || after->Frame(key) == repr) << after->Frame(key);
    }
}

}  // namespace
}  // namespace kestrune::test
