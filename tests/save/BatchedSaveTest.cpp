// The save loop on its own: its steps, and its batches. Files that go through a new file are written,
// flushed together, then renamed, and only then reported; a failure, a stop, a kill or a second name for
// a file in the middle of a batch must leave every file old or new and every report true.
#include "save/SaveTestFiles.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// Title "Saved" into files of these names whose tag has no room for the missing frames: every save of
// them goes through a new file.
ListSave TitleSave(const TempDir& dir, const Texts& names)
{
    ListSave save;
    save.title = "Saved";
    for (const std::string& name : names)
        save.files.push_back(dir.Write(name, MakeMp3WithTitle(name)).string());
    return save;
}

// What each file holds: its bytes, or its title.
Texts Each(const Texts& files, bool titles = false)
{
    Texts out;
    for (const std::string& file : files)
        out.push_back(titles ? LoadFields(file).at("title") : ReadFile(file));
    return out;
}

long TemporariesIn(const fs::path& folder)
{
    return std::count_if(fs::recursive_directory_iterator(folder), {},
                         [](const auto& entry) { return entry.path().extension() == ".kestrune-save"; });
}

TEST(SaveLoop, MakesFourteenStepsPerFileInFieldNameOrderAndRewritesFilesEvenWithNothingTicked)
{
    TempDir dir;
    ListSave save;
    save.files = {dir.Write("song.mp3", TaggedMp3("song")).string(),
                  dir.Write("partial.mp3", MakeMp3WithTitle("partial.mp3")).string()};
    const SaveLoopResult run = RunSaveLoop(save);

    std::vector<int> steps;  // 0 to 14 for each file
    for (int i = 0; i < 30; ++i)
        steps.push_back(i % 15);
    EXPECT_EQ(save.steps, steps);
    EXPECT_EQ(Texts(save.asked.begin(), save.asked.begin() + 12),
              (Texts{"album", "artist", "comment", "composer", "copyright", "encoded by", "genre", "original artist",
                     "title", "track number", "URL", "year"}));
    EXPECT_EQ(save.done, save.files);
    EXPECT_TRUE(run.files == 2 && run.notWritten.empty());
    // Nothing ticked: every file keeps its texts and gains the frames it lacked.
    EXPECT_EQ(Each(save.files, true), (Texts{"song title", "partial.mp3"}));
    for (const std::string& file : save.files)
        for (const TagField& field : kTagFields)  // the texts written never spell a frame id
            EXPECT_NE(PartsOf(ReadFile(file)).id3v2.find(field.frameId23), std::string::npos) << field.frameId23;
}

TEST(BatchedSave, FailuresInABatchLeaveTheirFilesAndTheOthersAreWrittenInTwoFolders)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"one/a.mp3", "two/b.mp3", "one/locked.mp3", "two/changed.mp3", "one/c.mp3"});
    const std::string &readOnly = save.files[2], &changed = save.files[3];
    ::chmod(readOnly.c_str(), 0444);
    const Texts unwritten = {ReadFile(readOnly), ReadFile(changed) + "appended"};
    // Another program appends to a file whose new file waits in the batch: it must not be replaced.
    StepHook hook([&](const std::string& path, int step) {
        if (path == save.files[4] && step == 0)
            std::ofstream(changed, std::ios::app) << "appended";
    });
    // A file is reported done only when it holds its texts.
    save.atDone = [&](const std::string& path) {
        EXPECT_TRUE(path == readOnly || path == changed || Each({path}, true)[0] == "Saved") << path;
    };

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(save.done, save.files) << "reported in order";
    std::vector<std::pair<std::string, SaveReason>> failures;
    for (const NotWrittenFile& file : run.notWritten)
        failures.emplace_back(file.path, file.failure.reason);
    EXPECT_EQ(failures,
              (decltype(failures){{readOnly, SaveReason::ReadOnly}, {changed, SaveReason::ChangedMeanwhile}}));
    EXPECT_EQ(Each({readOnly, changed}), unwritten);
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, StopCompletesTheFilesInHandAndTouchesNoLaterFile)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"});
    const Texts later = Each({save.files[3], save.files[4]});
    StepHook hook([&](const std::string& path, int step) { save.stop |= path == save.files[2] && step == 5; });

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_TRUE(run.files == 3 && run.notWritten.empty());
    EXPECT_EQ(save.done, Texts(save.files.begin(), save.files.begin() + 3));
    EXPECT_EQ(Each(save.done, true), Texts(3, "Saved"));
    EXPECT_EQ(Each({save.files[3], save.files[4]}), later);
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, AKillBeforeTheRenamesLeavesTheOriginalsAndTheNextSaveRemovesTheTemporaries)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"1.mp3", "2.mp3", "3.mp3", "4.mp3"});
    const Texts before = Each(save.files);
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
    EXPECT_EQ(Each(save.files), before);

    EXPECT_TRUE(RunSaveLoop(save).notWritten.empty());
    EXPECT_EQ(Each(save.files, true), Texts(4, "Saved"));
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, AFileAndALinkToItInOneBatchAreBothSaved)
{
    TempDir dir;
    ListSave save = TitleSave(dir, {"a.mp3"});
    save.files.push_back((dir.Path() / "link.mp3").string());
    fs::create_symlink(save.files[0], save.files[1]);

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_TRUE(run.notWritten.empty()) << run.notWritten.front().failure.detail;
    EXPECT_EQ(Each(save.files, true), Texts(2, "Saved"));
    EXPECT_TRUE(fs::is_symlink(save.files[1]));
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

}  // namespace
}  // namespace kestrune::test
