// The save loop on its own: its steps, and its batches. Files that go through a new file are written,
// flushed together, then renamed, and only then reported; a failure, a stop, a kill or a second name for
// a file in the middle of a batch must leave every file old or new and every report true.
#include "save/SaveTestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

// A file whose tag has no room for the missing frames: every save of it goes through a new file.
std::string GrowingFile(const TempDir& dir, const std::string& name)
{
    Mp3Spec mp3;
    mp3.frames = {TextFrame("TIT2", name)};
    return dir.Write(name, MakeMp3(mp3)).string();
}

// Title "Saved" into GrowingFiles of these names.
ListSave TitleSave(const TempDir& dir, const std::vector<std::string>& names)
{
    ListSave save;
    save.title = "Saved";
    for (const std::string& name : names)
        save.files.push_back(GrowingFile(dir, name));
    return save;
}

int TemporariesIn(const fs::path& folder)
{
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.path().filename().string().ends_with(".kestrune-save") ? 1 : 0;
    return count;
}

TEST(SaveLoop, MakesFourteenStepsPerFileInFieldNameOrderAndRewritesFilesEvenWithNothingTicked)
{
    TempDir dir;
    ListSave save;
    save.files = {dir.Write("song.mp3", TaggedMp3("song")).string(), GrowingFile(dir, "partial.mp3")};
    const SaveLoopResult run = RunSaveLoop(save);

    std::vector<int> steps;
    for (int file = 0; file < 2; ++file)
        for (int step = 0; step <= 14; ++step)
            steps.push_back(step);
    EXPECT_EQ(save.steps, steps);
    const std::vector<std::string> alphabetical = {"album", "artist", "comment", "composer", "copyright",
        "encoded by", "genre", "original artist", "title", "track number", "URL", "year"};
    EXPECT_EQ(std::vector<std::string>(save.asked.begin(), save.asked.begin() + 12), alphabetical);
    EXPECT_EQ(save.done, save.files);
    EXPECT_EQ(run.files, 2);
    EXPECT_TRUE(run.notWritten.empty());
    // Nothing ticked: every file keeps its texts and gains the frames it lacked.
    EXPECT_EQ(LoadFields(save.files[1]).at("title"), "partial.mp3");
    for (const std::string& file : save.files)
        EXPECT_EQ(MissingFrames(file), "") << file;
}

TEST(BatchedSave, FailuresInABatchLeaveTheirFilesAndTheOthersAreWrittenInTwoFolders)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"one/a.mp3", "two/b.mp3", "one/locked.mp3", "two/changed.mp3", "one/c.mp3"});
    const std::string &readOnly = save.files[2], &changed = save.files[3];
    ::chmod(readOnly.c_str(), 0444);
    const std::string readOnlyBytes = ReadFile(readOnly), changedBytes = ReadFile(changed) + "appended";
    // Another program appends to a file whose new file waits in the batch: it must not be replaced.
    StepHook hook([&](const std::string& path, int step) {
        if (path == save.files[4] && step == 0)
            std::ofstream(changed, std::ios::app) << "appended";
    });
    // A file is reported done only when it holds its texts.
    save.atDone = [&](const std::string& path) {
        if (path != readOnly && path != changed) {
            EXPECT_EQ(LoadFields(path).at("title"), "Saved") << path;
        }
    };

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(save.done, save.files) << "reported in order";
    ASSERT_EQ(run.notWritten.size(), 2u);
    EXPECT_EQ(run.notWritten[0].path, readOnly);
    EXPECT_EQ(run.notWritten[0].failure.reason, SaveReason::ReadOnly);
    EXPECT_EQ(run.notWritten[1].path, changed);
    EXPECT_EQ(run.notWritten[1].failure.reason, SaveReason::ChangedMeanwhile);
    EXPECT_EQ(ReadFile(readOnly), readOnlyBytes);
    EXPECT_EQ(ReadFile(changed), changedBytes);
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, StopCompletesTheFilesInHandAndTouchesNoLaterFile)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"});
    const std::string fourth = ReadFile(save.files[3]), fifth = ReadFile(save.files[4]);
    StepHook hook([&](const std::string& path, int step) { save.stop = save.stop || (path == save.files[2] && step == 5); });

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(run.files, 3);
    EXPECT_TRUE(run.notWritten.empty());
    EXPECT_EQ(save.done, std::vector<std::string>(save.files.begin(), save.files.begin() + 3));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(LoadFields(save.files[i]).at("title"), "Saved") << i;
    EXPECT_EQ(ReadFile(save.files[3]), fourth);
    EXPECT_EQ(ReadFile(save.files[4]), fifth);
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, AKillBeforeTheRenamesLeavesTheOriginalsAndTheNextSaveRemovesTheTemporaries)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"1.mp3", "2.mp3", "3.mp3", "4.mp3"});
    std::vector<std::string> before;
    for (const std::string& file : save.files)
        before.push_back(ReadFile(file));
    // The child dies as a killed process would: three new files written, none renamed.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SetSaveStepHookForTests([&](const std::string& path, int step) {
            if (path == save.files[3] && step == 0)
                ::_exit(0);
        });
        RunSaveLoop(save);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(TemporariesIn(dir.Path()), 3);
    for (size_t i = 0; i < save.files.size(); ++i)
        EXPECT_EQ(ReadFile(save.files[i]), before[i]) << i;

    EXPECT_TRUE(RunSaveLoop(save).notWritten.empty());
    for (const std::string& file : save.files)
        EXPECT_EQ(LoadFields(file).at("title"), "Saved") << file;
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, AFileAndALinkToItInOneBatchAreBothSaved)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"a.mp3"});
    const std::string link = (dir.Path() / "link.mp3").string();
    fs::create_symlink(save.files[0], link);
    save.files.push_back(link);

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_TRUE(run.notWritten.empty()) << run.notWritten.front().failure.detail;
    EXPECT_EQ(LoadFields(save.files[0]).at("title"), "Saved");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

}  // namespace
}  // namespace kestrune::test
