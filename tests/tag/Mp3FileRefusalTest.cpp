#include "tag/TagTestSupport.h"

#include <sys/stat.h>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

TEST(Mp3FileRefusal, ATagNotUnderstoodWholeLeavesTheFileByteForByteAndSaysWhy)
{
    const Mp3Spec mp3{.frames = {TextFrame("TIT2", "Title"), PictureFrame(), TextFrame("TALB", "Album")}};
    const std::string normal = MakeMp3(mp3);
    const size_t album = normal.find("TALB");
    auto withByte = [&](size_t at, char value) { return normal.substr(0, at) + value + normal.substr(at + 1); };
    Mp3Spec encrypted = mp3;  // the method byte before the content
    encrypted.frames[0] = {"TIT2", '\x01' + TextFrame("", "Title").body, 0, 0x40};
    const Mp3Spec v22{.id3v2Version = 2, .frames = {TextFrame("TT2", "Title"), AnyFrame("CRM", "owner\0xx")}};

    const std::pair<std::string, std::string> refusals[] = {
        // the bytes, a word the error must contain
        {normal.substr(0, album + 5), "past the end"}, {withByte(album + 4, 0x7F), "TALB"},
        {withByte(album, 't'), "damaged frame"},       {withByte(3, 5), "2.5"},
        {withByte(5, 0x40), "extended header"},        {MakeMp3(encrypted), "TIT2"},
        {MakeMp3(v22), "would lose frame CRM"},        {"This is not music at all, only text.\n", "MPEG"},
    };
    for (const auto& [bytes, reason] : refusals) {
        SCOPED_TRACE(reason);
        TempDir dir;
        const auto file = dir.Write("a.mp3", bytes);
        EXPECT_NE(SaveTexts(file, {{"title", "New title"}}).find(reason), std::string::npos);
        EXPECT_EQ(std::pair(ReadFile(file), EntriesIn(dir.Path())), std::pair(bytes, 1L)) << "left as it was, alone";
    }
}

TEST(Mp3FileRefusal, FilesThatCannotBeWrittenStayAsTheyAre)
{
    TempDir dir;
    const std::string bytes = MakeMp3WithTitle("Title");
    ASSERT_EQ(::mkfifo((dir.Path() / "fifo.mp3").c_str(), 0600), 0);
    // Nothing to read gives empty texts, and nothing to write a defined refusal. (A read-only file: the
    // batched save's test.)
    for (const auto& [file, reason] : {std::pair{dir.Mkdir("folder.mp3"), "not a regular file"},
                                       std::pair{dir.Path() / "fifo.mp3", "not a regular file"},
                                       std::pair{dir.Path() / "missing.mp3", "file not found"}}) {
        EXPECT_EQ(LoadFields(file), FieldsOf(CMp3File(""))) << file;
        EXPECT_EQ(SaveTexts(file, {{"title", "New title"}}), reason) << file;
    }
    // A file that appears (or becomes readable) between Load and Save keeps its tag: the record holds
    // no texts of it for the fields the caller did not set.
    CMp3File record((dir.Path() / "late.mp3").string());
    record.Load();
    const auto late = dir.Write("late.mp3", bytes);
    record.SetComment("New comment");
    EXPECT_FALSE(record.Save());
    EXPECT_EQ(record.GetSaveError(), "file could not be read when loaded");
    EXPECT_EQ(ReadFile(late), bytes);

    // A tag that must grow is written by renaming a new file over the old: not over one of several links.
    const auto linked = dir.Write("linked.mp3", bytes);
    fs::create_hard_link(linked, dir.Path() / "other-link.mp3");
    EXPECT_NE(SaveTexts(linked, {{"comment", std::string(3000, 'x')}}), "");
    EXPECT_EQ(ReadFile(dir.Path() / "other-link.mp3"), bytes);
}

}  // namespace
}  // namespace kestrune::test
