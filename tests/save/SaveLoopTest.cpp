// The save loop on its own: its steps, what it writes with nothing ticked and how it passes over files
// it cannot write. Ticked fields and stopping are tested through the window (SaveCommandTest).
#include "save/SaveLoop.h"
#include "save/SaveTestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <vector>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

// A client over a fixed list of files, with texts by field name, that records what it is asked.
class ListSave : public SaveLoopClient {
public:
    std::vector<std::string> files;
    std::map<std::string, std::string> texts;  // ticked fields

    std::vector<std::string> done;
    std::vector<int> steps;

    bool StopRequested() override { return false; }
    std::optional<std::string> NextFile() override
    {
        return m_next == files.size() ? std::nullopt : std::optional(files[m_next++]);
    }
    const std::string* TextFor(const TagField& field) override
    {
        auto it = texts.find(std::string(field.name));
        return it == texts.end() ? nullptr : &it->second;
    }
    void FileProgress(int step) override { steps.push_back(step); }
    void FileDone(const std::string& path, const FileSaveResult&) override { done.push_back(path); }

private:
    size_t m_next = 0;
};

std::vector<std::string> SongsIn(const TempDir& dir, int count)
{
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) {
        const std::string name = "song" + std::to_string(i);
        paths.push_back(dir.Write(name + ".mp3", TaggedMp3(name)).string());
    }
    return paths;
}

std::string TitleOnlyFile(const TempDir& dir, const std::string& name, const std::string& title)
{
    Mp3Spec mp3;
    mp3.frames = {TextFrame("TIT2", title)};
    return dir.Write(name, MakeMp3(mp3)).string();
}

TEST(SaveLoop, MakesFourteenStepsPerFileAndRewritesFilesEvenWithNothingTicked)
{
    TempDir dir;
    ListSave save;
    save.files = {SongsIn(dir, 1)[0], TitleOnlyFile(dir, "partial.mp3", "Keep me")};
    const SaveLoopResult run = RunSaveLoop(save);

    std::vector<int> steps;
    for (int file = 0; file < 2; ++file)
        for (int step = 0; step <= 14; ++step)
            steps.push_back(step);
    EXPECT_EQ(save.steps, steps);
    EXPECT_EQ(save.done, save.files);
    EXPECT_EQ(run.files, 2);
    EXPECT_TRUE(run.notWritten.empty());

    // Nothing ticked: every file keeps its texts and gains the frames it lacked.
    EXPECT_EQ(FieldsOf(save.files[1]).at("title"), "Keep me");
    for (const std::string& file : save.files)
        EXPECT_EQ(MissingFrames(file), "") << file;
}

TEST(SaveLoop, FilesThatCannotBeWrittenAreReportedAndPassedOver)
{
    TempDir dir;
    const std::vector<std::string> good = SongsIn(dir, 2);
    const fs::path readOnly = dir.Write("locked.mp3", TaggedMp3("locked"));
    ::chmod(readOnly.c_str(), 0444);
    const std::string readOnlyBytes = ReadFile(readOnly);
    const fs::path folder = dir.Mkdir("Album.mp3");
    const fs::path missing = dir.Path() / "gone.mp3";
    ListSave save;
    save.files = {good[0], readOnly.string(), folder.string() + "/", missing.string(), good[1]};
    save.texts = {{"title", "Written"}};

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(run.files, 5) << "every file counts, written or not";
    const std::vector<std::pair<std::string, std::string>> expected = {{readOnly.string(), "read-only"},
                                                                       {folder.string() + "/", "not a regular file"},
                                                                       {missing.string(), "file not found"}};
    std::vector<std::pair<std::string, std::string>> reported;
    for (const NotWrittenFile& f : run.notWritten)
        reported.emplace_back(f.path, f.failure.detail);
    EXPECT_EQ(reported, expected);

    EXPECT_EQ(FieldsOf(good[0]).at("title"), "Written");
    EXPECT_EQ(FieldsOf(good[1]).at("title"), "Written");
    EXPECT_EQ(ReadFile(readOnly), readOnlyBytes);
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 4)
        << "no stray file, no missing file created";
}

}  // namespace
}  // namespace kestrune::test
