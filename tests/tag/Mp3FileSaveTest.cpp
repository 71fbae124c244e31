#include "tag/MutagenProbe.h"
#include "tag/TagTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

#define SKIP_WITHOUT_MUTAGEN() \
    if (!mutagenAvailable())   \
    GTEST_SKIP() << "/usr/bin/python3 has no mutagen"

const std::string kCyrillic = "Привет, мир";
const std::string kCjk = "你好世界";
const std::string kEmoji = "Música 🎵🎸";
const std::string kLatin1 = "Café Crème";

bool save(const fs::path& file, const std::map<std::string, std::string>& texts)
{
    CMp3File record(file.string());
    record.Load();
    for (const TagField& field : kTagFields)
        if (auto it = texts.find(std::string(field.name)); it != texts.end())
            (record.*field.set)(it->second);
    const bool saved = record.Save();
    EXPECT_TRUE(saved) << file << ": " << record.GetSaveError();
    return saved;
}

ino_t inodeOf(const fs::path& file)
{
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_ino;
}

class SaveEachVersion : public testing::TestWithParam<int> {};

TEST_P(SaveEachVersion, UnicodeTextsReadBackInTheRecordAndInMutagen)
{
    SKIP_WITHOUT_MUTAGEN();
    const int version = GetParam();
    TempDir dir;
    const auto file = dir.write("song.mp3", makeMp3WithTitle("Old", version));
    const std::map<std::string, std::string> texts = {
        {"title", kCyrillic}, {"artist", kCjk}, {"album", kEmoji}, {"comment", kLatin1}, {"genre", "(17)"}};
    ASSERT_TRUE(save(file, texts));

    auto fields = loadFields(file);
    for (const auto& [name, text] : texts)
        EXPECT_EQ(fields[name], text) << name;

    const auto view = mutagenRead(file);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->version, version == 4 ? "2.4" : "2.3");
    EXPECT_EQ(mutagenText(*view, "TIT2"), kCyrillic);
    EXPECT_EQ(mutagenText(*view, "TPE1"), kCjk);
    EXPECT_EQ(mutagenText(*view, "TALB"), kEmoji);
    EXPECT_EQ(mutagenText(*view, "COMM::eng"), kLatin1);
    EXPECT_EQ(mutagenText(*view, "TCON"), "(17)");
    // Latin-1 where it fits, else the version's Unicode encoding.
    const std::string unicode = version == 4 ? "Encoding.UTF8" : "Encoding.UTF16";
    EXPECT_NE(view->frames.at("TIT2").find(unicode), std::string::npos) << view->frames.at("TIT2");
    EXPECT_NE(view->frames.at("TALB").find(unicode), std::string::npos);
    EXPECT_NE(view->frames.at("COMM::eng").find("Encoding.LATIN1"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Versions, SaveEachVersion, testing::Values(2, 3, 4),
                         [](const auto& info) { return "v2" + std::to_string(info.param); });

TEST(Mp3FileSave, WritesTheId3v1TagAndCarriesItIntoId3v2)
{
    SKIP_WITHOUT_MUTAGEN();
    TempDir dir;
    Mp3Spec mp3;
    mp3.id3v2Version = 0;
    mp3.id3v1 = Id3v1{"Old title", "Old artist", "", "1987", "", 0, 17};
    const auto file = dir.write("v1.mp3", makeMp3(mp3));
    ASSERT_TRUE(save(file, {{"album", kCyrillic}}));

    const auto view = mutagenRead(file);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->version, "2.3");
    EXPECT_EQ(mutagenText(*view, "TIT2"), "Old title");
    EXPECT_EQ(mutagenText(*view, "TPE1"), "Old artist");
    EXPECT_EQ(mutagenText(*view, "TALB"), kCyrillic);
    EXPECT_EQ(mutagenText(*view, "TYER"), "1987");
    EXPECT_EQ(mutagenText(*view, "TCON"), "Rock");

    const std::string bytes = readFile(file);
    const std::string v1 = bytes.substr(bytes.size() - 128);
    EXPECT_EQ(v1.substr(0, 3 + 9), "TAGOld title");
    EXPECT_EQ(v1.substr(63, 30), std::string(30, '\0')) << "a text ID3v1 cannot hold is left out";
    EXPECT_EQ(static_cast<unsigned char>(v1[127]), 17);
}

TEST(Mp3FileSave, MissingFramesAreCreatedEvenForEmptyTexts)
{
    TempDir dir;
    const auto file = dir.write("bare.mp3", mpegAudio(5));
    CMp3File record(file.string());
    record.Load();
    ASSERT_TRUE(record.Save()) << record.GetSaveError();
    const std::string bytes = readFile(file);
    ASSERT_EQ(bytes.substr(0, 4), "ID3\x03");
    for (const TagField& field : kTagFields)
        EXPECT_NE(storedFrame(bytes, std::string(field.frameId23), 3), "") << field.name;
    EXPECT_EQ(audioOf(bytes), mpegAudio(5));
}

TEST(Mp3FileSave, LongTextsAreWrittenWhole)
{
    SKIP_WITHOUT_MUTAGEN();
    TempDir dir;
    const auto file = dir.write("long.mp3", makeMp3WithTitle("x"));
    std::string longText;
    while (longText.size() < 100000)
        longText += "Long comment " + std::to_string(longText.size()) + ". ";
    ASSERT_TRUE(save(file, {{"comment", longText}, {"title", kCyrillic + longText}}));
    EXPECT_EQ(loadFields(file)["comment"], longText);
    EXPECT_EQ(loadFields(file)["title"], kCyrillic + longText);
    EXPECT_EQ(mutagenText(*mutagenRead(file), "COMM::eng"), longText);
}

TEST(Mp3FileSave, UnchangedFieldsKeepTheirFramesAsStored)
{
    TempDir dir;
    Mp3Spec mp3;
    mp3.id3v2Version = 4;
    mp3.frames = {textFrame("TCON", "(17)"), textFrame("TPE1", std::vector<std::string>{"One", "Two"}, Enc::Utf16),
                   textFrame("TALB", "Album", Enc::Utf16BE), textFrame("TIT2", "Old title")};
    mp3.padding = 512;
    const auto file = dir.write("a.mp3", makeMp3(mp3));
    const std::string before = readFile(file);
    ASSERT_TRUE(save(file, {{"title", "New title"}}));
    const std::string after = readFile(file);
    for (const char* id : {"TCON", "TPE1", "TALB"})
        EXPECT_EQ(storedFrame(after, id, 4), storedFrame(before, id, 4)) << id;
    EXPECT_EQ(loadFields(file)["title"], "New title");
}

TEST(Mp3FileSave, CommentAndUrlGoIntoTheFramesTheyWereReadFrom)
{
    SKIP_WITHOUT_MUTAGEN();
    TempDir dir;
    Mp3Spec mp3;
    mp3.frames = {commentFrame(" 0000 0001", "iTunNORM"), commentFrame("notes", "Notes", Enc::Utf16),
                   urlFrame("http://shop", "shop"), urlFrame("http://old")};
    const auto file = dir.write("a.mp3", makeMp3(mp3));
    const auto before = mutagenRead(file);
    ASSERT_TRUE(save(file, {{"comment", "новый"}, {"URL", "http://пример.рф/a b"}}));
    const auto after = mutagenRead(file);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->frames.at("COMM:iTunNORM:eng"), before->frames.at("COMM:iTunNORM:eng"));
    EXPECT_EQ(mutagenText(*after, "COMM:Notes:eng"), "новый");
    EXPECT_EQ(after->frames.at("WXXX:shop"), before->frames.at("WXXX:shop"));
    EXPECT_EQ(mutagenText(*after, "WXXX:"), "http://%D0%BF%D1%80%D0%B8%D0%BC%D0%B5%D1%80.%D1%80%D1%84/a b");
    EXPECT_EQ(after->frames.size(), before->frames.size()) << "no COMM or WXXX frame is added";

    // With only machine data, the comment is a new frame of its own.
    mp3.frames = {commentFrame(" 0000 0001", "iTunNORM")};
    const auto itunes = dir.write("b.mp3", makeMp3(mp3));
    ASSERT_TRUE(save(itunes, {{"comment", "mine"}}));
    const auto view = mutagenRead(itunes);
    EXPECT_EQ(mutagenText(*view, "COMM:iTunNORM:eng"), " 0000 0001");
    EXPECT_EQ(mutagenText(*view, "COMM::eng"), "mine");
}

TEST(Mp3FileSave, OtherFramesAndAudioSurviveUnchanged)
{
    SKIP_WITHOUT_MUTAGEN();
    TempDir dir;
    Mp3Spec mp3;
    mp3.frames = {pictureFrame(), lyricsFrame("la la", Enc::Utf16), userTextFrame("MOOD", "calm"),
                   privateFrame("com.example", std::string("\x00\x01\xFF", 3)), rawFrame("XYZW", "unknown"),
                   rawFrame("RVAD", std::string("\x03\x10\x01\x00\x01\x00", 6)), rawFrame("EQUA", "\x10\x00\x01\x00\x01"),
                   textFrame("TIT2", "Old"), textFrame("TDAT", "1403")};
    mp3.frames.push_back(textFrame("TIT3", "kept with its flags"));
    mp3.frames.back().statusFlags = 0x80;  // discard when the tag is altered
    mp3.frames.push_back(textFrame("TIT1", "grouped"));
    mp3.frames.back().formatFlags = 0x20;
    mp3.frames.back().body.insert(0, 1, '\x07');  // the group byte
    mp3.id3v1 = Id3v1{"Old"};
    mp3.audioFrames = 20;
    const auto file = dir.write("a.mp3", makeMp3(mp3));
    const std::string before = readFile(file);
    const auto mutagenBefore = mutagenRead(file);

    std::map<std::string, std::string> all;
    for (const TagField& field : kTagFields)
        all[std::string(field.name)] = "new " + std::string(field.name) + " " + kCjk;
    ASSERT_TRUE(save(file, all));

    const std::string after = readFile(file);
    EXPECT_EQ(audioOf(after), audioOf(before));
    for (const char* id : {"APIC", "USLT", "TXXX", "PRIV", "XYZW", "RVAD", "EQUA", "TDAT", "TIT3", "TIT1"})
        EXPECT_EQ(storedFrame(after, id, 3), storedFrame(before, id, 3)) << id;
    const auto mutagenAfter = mutagenRead(file);
    ASSERT_TRUE(mutagenAfter);
    for (const auto& [key, repr] : mutagenBefore->frames) {
        if (key != "TIT2") {
            EXPECT_EQ(mutagenFrame(*mutagenAfter, key), repr) << key;
        }
    }
    all["URL"] = "new URL %E4%BD%A0%E5%A5%BD%E4%B8%96%E7%95%8C";  // percent-encoded to fit its Latin-1 frame
    EXPECT_EQ(loadFields(file), all);
}

TEST(Mp3FileSave, WritesInPlaceWhenThePaddingHoldsTheTagElseReplacesTheFileWhole)
{
    TempDir dir;
    Mp3Spec mp3;
    mp3.frames = {textFrame("TIT2", "Old")};
    mp3.padding = 2000;
    mp3.id3v1 = Id3v1{"Old"};
    const auto file = dir.write("a.mp3", makeMp3(mp3));
    ::chmod(file.c_str(), 0640);
    const std::string desktopTags = "favourites,road trip";
    const bool hasAttributes = ::setxattr(file.c_str(), "user.xdg.tags", desktopTags.data(), desktopTags.size(), 0) == 0;
    const std::string original = readFile(file);
    const ino_t inode = inodeOf(file);

    CMp3File record(file.string());
    record.Load();
    record.SetComposer("A composer");
    ASSERT_TRUE(record.Save()) << record.GetSaveError();
    EXPECT_EQ(inodeOf(file), inode) << "a tag that fits its padding is written in place";
    EXPECT_EQ(fs::file_size(file), original.size());

    record.SetComment(std::string(5000, 'c'));
    ASSERT_TRUE(record.Save());
    const ino_t grown = inodeOf(file);
    EXPECT_NE(grown, inode) << "a tag that grows is written to a new file";
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));
    if (hasAttributes) {
        std::string kept(64, '\0');
        kept.resize(static_cast<size_t>(std::max<ssize_t>(0, ::getxattr(file.c_str(), "user.xdg.tags", kept.data(), kept.size()))));
        EXPECT_EQ(kept, desktopTags) << "extended attributes go with the file";
    }
    EXPECT_EQ(audioOf(readFile(file)), audioOf(original));
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        left.push_back(entry.path());
    EXPECT_EQ(left, std::vector<fs::path>{file}) << "no temporary file stays behind";

    record.SetComposer(std::string(1500, 'd'));
    ASSERT_TRUE(record.Save());
    EXPECT_EQ(inodeOf(file), grown) << "the grown tag has room for the next edit";

    // The title is in both tags: two places to write are never written one after the other.
    record.SetTitle("New");
    ASSERT_TRUE(record.Save());
    EXPECT_NE(inodeOf(file), grown);
    EXPECT_EQ(audioOf(readFile(file)), audioOf(original));
}

TEST(Mp3FileSave, KeepsTheVersionOfTheTag)
{
    SKIP_WITHOUT_MUTAGEN();
    TempDir dir;
    for (int version : {3, 4}) {
        Mp3Spec mp3;
        mp3.id3v2Version = version;
        mp3.frames = {textFrame(version == 4 ? "TDRC" : "TYER", "1999"), textFrame("TIT2", "t")};
        const auto file = dir.write("v" + std::to_string(version) + ".mp3", makeMp3(mp3));
        ASSERT_TRUE(save(file, {{"year", "2001"}}));
        const auto view = mutagenRead(file);
        EXPECT_EQ(view->version, "2." + std::to_string(version));
        EXPECT_EQ(mutagenText(*view, version == 4 ? "TDRC" : "TYER"), "2001");
    }
    // A v2.2 tag becomes v2.3 with all its frames, the original artist as TOPE.
    Mp3Spec mp3;
    mp3.id3v2Version = 2;
    mp3.frames = {rawFrame("TT2", textFrame("x", "Title").body), rawFrame("TOA", textFrame("x", "Original").body),
                   rawFrame("TT3", textFrame("x", "Subtitle").body),
                   rawFrame("PIC", std::string("\0PNG\x03\0data", 10)), rawFrame("COM", commentFrame("c").body)};
    const auto file = dir.write("v2.mp3", makeMp3(mp3));
    ASSERT_TRUE(save(file, {{"title", "New"}}));
    const auto view = mutagenRead(file);
    EXPECT_EQ(view->version, "2.3");
    EXPECT_EQ(mutagenText(*view, "TIT2"), "New");
    EXPECT_EQ(mutagenText(*view, "TOPE"), "Original");
    EXPECT_EQ(mutagenText(*view, "TIT3"), "Subtitle");
    EXPECT_EQ(mutagenText(*view, "COMM::eng"), "c");
    ASSERT_TRUE(view->frames.count("APIC:"));
    EXPECT_NE(view->frames.at("APIC:").find("mime='image/png'"), std::string::npos);
    EXPECT_NE(view->frames.at("APIC:").find("data=b'data'"), std::string::npos);
}

}  // namespace
}  // namespace kestrune::test
