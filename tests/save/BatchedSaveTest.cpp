// The save loop's batches: files that go through a new file are written, flushed together, then
// renamed, and only then reported. A failure, a stop, a kill or a second name for a file in the middle
// of a batch must leave every file old or new and every report true.
#include "save/SaveLoop.h"
#include "save/SaveTestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <vector>

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

// Saves a title into a list of files; `atStep` runs at every step of every file, `atDone` at each report.
class TitleSave : public SaveLoopClient {
public:
    std::vector<std::string> files;
    std::string title = "Saved";
    bool stop = false;
    std::function<void(const std::string& path)> atDone;
    std::vector<std::string> done;

    bool StopRequested() override { return stop; }
    std::optional<std::string> NextFile() override
    {
        return m_next == files.size() ? std::nullopt : std::optional(files[m_next++]);
    }
    const std::string* TextFor(const TagField& field) override { return field.id == TagFieldId::Title ? &title : nullptr; }
    void FileProgress(int) override {}
    void FileDone(const std::string& path, const FileSaveResult&) override
    {
        if (atDone)
            atDone(path);
        done.push_back(path);
    }

private:
    size_t m_next = 0;
};

struct StepHook {
    explicit StepHook(std::function<void(const std::string&, int)> hook) { SetSaveStepHookForTests(std::move(hook)); }
    ~StepHook() { SetSaveStepHookForTests({}); }
};

int TemporariesIn(const fs::path& folder)
{
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.path().filename().string().ends_with(".kestrune-save") ? 1 : 0;
    return count;
}

TEST(BatchedSave, FailuresInABatchLeaveTheirFilesAndTheOthersAreWrittenInTwoFolders)
{
    TempDir dir;
    const std::string a = GrowingFile(dir, "one/a.mp3"), b = GrowingFile(dir, "two/b.mp3");
    const std::string readOnly = GrowingFile(dir, "one/locked.mp3");
    const std::string changed = GrowingFile(dir, "two/changed.mp3");
    const std::string c = GrowingFile(dir, "one/c.mp3");
    ::chmod(readOnly.c_str(), 0444);
    const std::string readOnlyBytes = ReadFile(readOnly);
    TitleSave save;
    save.files = {a, b, readOnly, changed, c};
    // Another program appends to a file whose new file waits in the batch: it must not be replaced.
    StepHook hook([&](const std::string& path, int step) {
        if (path == c && step == 0)
            std::ofstream(changed, std::ios::app) << "appended";
    });
    // A file is reported done only when it holds its texts.
    save.atDone = [&](const std::string& path) {
        if (path == a || path == b || path == c) {
            EXPECT_EQ(FieldsOf(path).at("title"), "Saved") << path;
        }
    };
    const std::string changedBefore = ReadFile(changed) + "appended";

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(save.done, save.files) << "reported in order";
    ASSERT_EQ(run.notWritten.size(), 2u);
    EXPECT_EQ(run.notWritten[0].path, readOnly);
    EXPECT_EQ(run.notWritten[0].failure.reason, SaveReason::ReadOnly);
    EXPECT_EQ(run.notWritten[1].path, changed);
    EXPECT_EQ(run.notWritten[1].failure.reason, SaveReason::ChangedMeanwhile);
    EXPECT_EQ(ReadFile(readOnly), readOnlyBytes);
    EXPECT_EQ(ReadFile(changed), changedBefore);
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, StopCompletesTheFilesInHandAndTouchesNoLaterFile)
{
    TempDir dir;
    TitleSave save;
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"})
        save.files.push_back(GrowingFile(dir, name));
    const std::string fourth = ReadFile(save.files[3]), fifth = ReadFile(save.files[4]);
    StepHook hook([&](const std::string& path, int step) { save.stop = save.stop || (path == save.files[2] && step == 5); });

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(run.files, 3);
    EXPECT_TRUE(run.notWritten.empty());
    EXPECT_EQ(save.done, std::vector<std::string>(save.files.begin(), save.files.begin() + 3));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(FieldsOf(save.files[i]).at("title"), "Saved") << i;
    EXPECT_EQ(ReadFile(save.files[3]), fourth);
    EXPECT_EQ(ReadFile(save.files[4]), fifth);
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, AKillBeforeTheRenamesLeavesTheOriginalsAndTheNextSaveRemovesTheTemporaries)
{
    TempDir dir;
    TitleSave save;
    std::vector<std::string> before;
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3", "4.mp3"}) {
        save.files.push_back(GrowingFile(dir, name));
        before.push_back(ReadFile(save.files.back()));
    }
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

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_TRUE(run.notWritten.empty());
    for (const std::string& file : save.files)
        EXPECT_EQ(FieldsOf(file).at("title"), "Saved") << file;
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

TEST(BatchedSave, AFileAndALinkToItInOneBatchAreBothSaved)
{
    TempDir dir;
    const std::string file = GrowingFile(dir, "a.mp3");
    const std::string link = (dir.Path() / "link.mp3").string();
    fs::create_symlink(file, link);
    TitleSave save;
    save.files = {file, link};

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_TRUE(run.notWritten.empty()) << run.notWritten.front().failure.detail;
    EXPECT_EQ(FieldsOf(file).at("title"), "Saved");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TemporariesIn(dir.Path()), 0);
}

}  // namespace
}  // namespace kestrune::test
