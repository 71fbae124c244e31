// The save loop on its own: its steps and what it writes with nothing ticked. Ticked fields, stopping
// and files it cannot write are tested through the window (SaveCommandTest).
#include "save/SaveLoop.h"
#include "save/SaveTestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrune::test {
namespace {

// A client over a fixed list of files, with nothing ticked, that records what it is asked.
class ListSave : public SaveLoopClient {
public:
    std::vector<std::string> files;

    std::vector<std::string> done, asked;  // files done; fields asked for, by name
    std::vector<int> steps;

    bool StopRequested() override { return false; }
    std::optional<std::string> NextFile() override
    {
        return m_next == files.size() ? std::nullopt : std::optional(files[m_next++]);
    }
    const std::string* TextFor(const TagField& field) override
    {
        asked.emplace_back(field.name);
        return nullptr;
    }
    void FileProgress(int step) override { steps.push_back(step); }
    void FileDone(const std::string& path, const FileSaveResult&) override { done.push_back(path); }

private:
    size_t m_next = 0;
};

TEST(SaveLoop, MakesFourteenStepsPerFileAndRewritesFilesEvenWithNothingTicked)
{
    TempDir dir;
    ListSave save;
    Mp3Spec partial;
    partial.frames = {TextFrame("TIT2", "Keep me")};
    save.files = {dir.Write("song.mp3", TaggedMp3("song")).string(), dir.Write("partial.mp3", MakeMp3(partial)).string()};
    const SaveLoopResult run = RunSaveLoop(save);

    std::vector<int> steps;
    for (int file = 0; file < 2; ++file)
        for (int step = 0; step <= 14; ++step)
            steps.push_back(step);
    EXPECT_EQ(save.steps, steps);
    // The field steps run in the order of the fields' English names, ignoring case.
    const std::vector<std::string> alphabetical = {"album", "artist", "comment", "composer", "copyright",
        "encoded by", "genre", "original artist", "title", "track number", "URL", "year"};
    EXPECT_EQ(std::vector<std::string>(save.asked.begin(), save.asked.begin() + 12), alphabetical);
    EXPECT_EQ(save.done, save.files);
    EXPECT_EQ(run.files, 2);
    EXPECT_TRUE(run.notWritten.empty());

    // Nothing ticked: every file keeps its texts and gains the frames it lacked.
    EXPECT_EQ(FieldsOf(save.files[1]).at("title"), "Keep me");
    for (const std::string& file : save.files)
        EXPECT_EQ(MissingFrames(file), "") << file;
}

}  // namespace
}  // namespace kestrune::test
