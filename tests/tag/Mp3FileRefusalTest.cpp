#include "tag/TagTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <thread>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

struct Refusal {
    std::string name;
    std::string bytes;
    std::string reason;  // a word the save error must contain
};

std::string withByte(std::string bytes, size_t at, char value)
{
    bytes[at] = value;
    return bytes;
}

std::vector<Refusal> refusals()
{
    Mp3Spec mp3;
    mp3.frames = {textFrame("TIT2", "Title"), pictureFrame(), textFrame("TALB", "Album")};
    const std::string normal = makeMp3(mp3);
    const size_t album = normal.find("TALB");

    Mp3Spec encrypted = mp3;
    encrypted.frames[0].formatFlags = 0x40;
    encrypted.frames[0].body.insert(0, 1, '\x01');

    Mp3Spec v22;
    v22.id3v2Version = 2;
    v22.frames = {rawFrame("TT2", textFrame("x", "Title").body), rawFrame("CRM", "owner\0xx")};

    const std::string tagOnly = makeMp3WithTitle("t");
    return {
        {"SizePastTheEndOfTheFile", normal.substr(0, album + 5), "past the end"},
        {"DamagedFrameSize", withByte(normal, album + 4, 0x7F), "TALB"},
        {"DamagedFrameId", withByte(normal, album, 't'), "damaged frame"},
        {"UnknownVersion", withByte(normal, 3, 5), "2.5"},
        {"DamagedExtendedHeader", withByte(normal, 5, 0x40), "extended header"},
        {"EncryptedFieldFrame", makeMp3(encrypted), "TIT2"},
        {"V22FrameWithoutV23Form", makeMp3(v22), "would lose frame CRM"},
        {"TextFile", "This is not music at all, only text.\n", "MPEG"},
        {"EmptyFile", "", "MPEG"},
        {"LoneTagHeader", tagOnly.substr(0, 10), "past the end"},
    };
}

class RefusedSave : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedSave, LeavesTheFileByteForByteAndSaysWhy)
{
    TempDir dir;
    const auto file = dir.write("a.mp3", GetParam().bytes);
    CMp3File record(file.string());
    record.Load();
    record.SetTitle("New title");
    record.SetComment("New comment");
    EXPECT_FALSE(record.Save());
    EXPECT_NE(record.GetSaveError().find(GetParam().reason), std::string::npos) << record.GetSaveError();
    EXPECT_EQ(readFile(file), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedSave, testing::ValuesIn(refusals()),
                         [](const auto& info) { return info.param.name; });

TEST(Mp3FileRefusal, FilesThatCannotBeWrittenStayAsTheyAre)
{
    TempDir dir;
    const std::string bytes = makeMp3WithTitle("Title");
    const auto readOnly = dir.write("ro.mp3", bytes);
    ::chmod(readOnly.c_str(), 0444);
    CMp3File record(readOnly.string());
    record.Load();
    EXPECT_EQ(record.GetTitle(), "Title");
    record.SetTitle("x");
    EXPECT_FALSE(record.Save());
    EXPECT_EQ(record.GetSaveError(), "read-only");
    EXPECT_EQ(readFile(readOnly), bytes);

    CMp3File folder(dir.mkdir("folder.mp3").string());
    folder.SetTitle("x");
    EXPECT_FALSE(folder.Save());
    EXPECT_EQ(folder.GetSaveError(), "not a regular file");

    ASSERT_EQ(::mkfifo((dir.path() / "fifo.mp3").c_str(), 0600), 0);
    CMp3File fifo((dir.path() / "fifo.mp3").string());
    EXPECT_FALSE(fifo.Save());
    EXPECT_EQ(fifo.GetSaveError(), "not a regular file");

    CMp3File missing((dir.path() / "missing.mp3").string());
    missing.SetTitle("x");
    EXPECT_FALSE(missing.Save());
    EXPECT_EQ(missing.GetSaveError(), "file not found");
    EXPECT_FALSE(fs::exists(dir.path() / "missing.mp3"));

    // A tag that must grow is written by renaming a new file over the old: not over one of several links.
    const auto linked = dir.write("linked.mp3", bytes);
    fs::create_hard_link(linked, dir.path() / "other-link.mp3");
    CMp3File hardLinked(linked.string());
    hardLinked.Load();
    hardLinked.SetComment(std::string(3000, 'x'));
    EXPECT_FALSE(hardLinked.Save());
    EXPECT_EQ(readFile(dir.path() / "other-link.mp3"), bytes);
}

TEST(Mp3FileRefusal, ASymbolicLinkStaysALinkAndItsTargetIsWritten)
{
    TempDir dir;
    const auto target = dir.write("music/real.mp3", makeMp3WithTitle("Old"));
    fs::create_symlink(target, dir.path() / "link.mp3");
    CMp3File record((dir.path() / "link.mp3").string());
    record.Load();
    record.SetTitle("New");
    record.SetComment(std::string(3000, 'x'));
    ASSERT_TRUE(record.Save()) << record.GetSaveError();
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.mp3"));
    EXPECT_EQ(loadFields(target)["title"], "New");
    EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), fs::directory_iterator()), 1);
}

TEST(Mp3FileRefusal, ATemporaryFileLeftByAKilledSaveIsRemovedByTheNext)
{
    TempDir dir;
    const auto file = dir.write("a.mp3", makeMp3WithTitle("Old"));
    // The next save replaces the file (the tag grows), writes in place (the padding holds the change),
    // or finds nothing to write: the leftover goes each time.
    for (const std::string& comment : {std::string(3000, 'x'), std::string(3001, 'x'), std::string(3001, 'x')}) {
        dir.write(".a.mp3.kestrune-save", "half a file");
        CMp3File record(file.string());
        record.Load();
        record.SetComment(comment);
        ASSERT_TRUE(record.Save()) << record.GetSaveError();
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1) << comment.size();
    }
}

TEST(Mp3FileRefusal, LongNamesThatStartAlikeGetTemporaryFilesOfTheirOwn)
{
    TempDir dir;
    const std::string start(220, 'n');
    const auto a = dir.write(start + "-a.mp3", makeMp3WithTitle("A"));
    const auto b = dir.write(start + "-b.mp3", makeMp3WithTitle("B"));
    // Named as if both files shared a cut-down name: not a temporary of either, so it stays.
    const auto shared = dir.write("." + start.substr(0, 200) + ".kestrune-save", "not ours");
    for (const auto& file : {a, b}) {
        CMp3File record(file.string());
        record.Load();
        record.SetComment(std::string(3000, 'x'));
        ASSERT_TRUE(record.Save()) << record.GetSaveError();
    }
    EXPECT_EQ(loadFields(a)["title"], "A");
    EXPECT_EQ(loadFields(b)["title"], "B");
    EXPECT_EQ(readFile(shared), "not ours");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

TEST(Mp3FileRefusal, RecordsOnDifferentFilesWorkFromTwoThreadsAtOnce)
{
    TempDir dir;
    constexpr int kFiles = 40;
    std::vector<fs::path> files;
    for (int i = 0; i < kFiles; ++i)
        files.push_back(dir.write("f" + std::to_string(i) + ".mp3", makeMp3WithTitle("Title " + std::to_string(i))));
    std::vector<std::string> loaded(kFiles);
    std::thread reader([&] {
        for (int i = 0; i < kFiles; i += 2) {
            CMp3File record(files[i].string());
            record.Load();
            loaded[i] = record.GetTitle();
        }
    });
    std::thread writer([&] {
        for (int i = 1; i < kFiles; i += 2) {
            CMp3File record(files[i].string());
            record.Load();
            record.SetTitle("Заголовок " + std::to_string(i));
            record.Save();
        }
    });
    reader.join();
    writer.join();
    for (int i = 0; i < kFiles; ++i)
        EXPECT_EQ(i % 2 ? loadFields(files[i])["title"] : loaded[i],
                  (i % 2 ? "Заголовок " : "Title ") + std::to_string(i));
}

}  // namespace
}  // namespace kestrune::test
