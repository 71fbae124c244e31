// The save loop on its own: the order of its steps, what it writes into the files, how it stops and
// how it passes over files it cannot write.
#include "save/SaveLoop.h"
#include "save/SaveTestFiles.h"
#include "tag/MutagenProbe.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <vector>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

// A client over a fixed list of files, with texts by field name, that records what it is asked.
class ListSave : public SaveLoopClient {
public:
    std::vector<std::string> files;
    std::map<std::string, std::string> texts;  // ticked fields
    std::function<void(size_t file, int step)> onStep;
    bool stop = false;

    std::vector<std::string> askedFields;
    std::vector<int> steps;
    std::vector<std::string> done;
    int stopChecks = 0;

    bool StopRequested() override
    {
        ++stopChecks;
        return stop;
    }
    std::optional<std::string> NextFile() override
    {
        if (m_next == files.size())
            return std::nullopt;
        return files[m_next++];
    }
    const std::string* TextFor(const TagField& field) override
    {
        askedFields.emplace_back(field.name);
        auto it = texts.find(std::string(field.name));
        return it == texts.end() ? nullptr : &it->second;
    }
    void FileProgress(int step) override
    {
        steps.push_back(step);
        if (onStep)
            onStep(m_next - 1, step);
    }
    void FileDone(const std::string& path, const FileSaveResult&) override { done.push_back(path); }

private:
    size_t m_next = 0;
};

std::vector<std::string> pathsIn(const TempDir& dir, int count)
{
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) {
        const std::string name = "song" + std::to_string(i);
        paths.push_back(dir.write(name + ".mp3", taggedMp3(name)).string());
    }
    return paths;
}

TEST(SaveLoopSteps, FieldsRunAlphabeticallyAndEachFileMakesFourteenSteps)
{
    TempDir dir;
    ListSave save;
    save.files = pathsIn(dir, 2);
    const SaveLoopResult run = RunSaveLoop(save);

    const std::vector<std::string> alphabetical = {"album",     "artist",          "comment", "composer",
                                                   "copyright", "encoded by",      "genre",   "original artist",
                                                   "title",     "track number",    "URL",     "year"};
    ASSERT_EQ(save.askedFields.size(), 24u);
    EXPECT_EQ(std::vector<std::string>(save.askedFields.begin(), save.askedFields.begin() + 12), alphabetical);
    EXPECT_EQ(std::vector<std::string>(save.askedFields.begin() + 12, save.askedFields.end()), alphabetical);

    std::vector<int> oneFile;
    for (int step = 0; step <= 14; ++step)
        oneFile.push_back(step);
    std::vector<int> twoFiles = oneFile;
    twoFiles.insert(twoFiles.end(), oneFile.begin(), oneFile.end());
    EXPECT_EQ(save.steps, twoFiles);
    EXPECT_EQ(kSaveStepsPerFile, 14);

    EXPECT_EQ(save.done, save.files);
    EXPECT_EQ(run.files, 2);
    EXPECT_TRUE(run.notWritten.empty());
    EXPECT_EQ(save.stopChecks, 3) << "asked before each file and before finding there is none";
}

TEST(SaveLoopWrites, TickedFieldsReplaceUntickedKeepAndEveryFrameExists)
{
    TempDir dir;
    ListSave save;
    save.files = pathsIn(dir, 2);
    // A file with a title only: the frames it lacks are added.
    Mp3Spec sparse;
    sparse.frames = {textFrame("TIT2", "Only a title")};
    save.files.push_back(dir.write("sparse.mp3", makeMp3(sparse)).string());
    save.texts = {{"title", "Новое название"}, {"artist", "Artist 歌手"}, {"year", "2024"}};

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(run.files, 3);
    EXPECT_TRUE(run.notWritten.empty());

    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(save.files[i]);
        const std::string name = "song" + std::to_string(i + 1);
        const auto fields = fieldsOf(save.files[i]);
        for (const TagField& field : kTagFields) {
            const std::string key(field.name);
            const auto ticked = save.texts.find(key);
            EXPECT_EQ(fields.at(key), ticked != save.texts.end() ? ticked->second : originalText(name, field.name))
                << key;
        }
        EXPECT_TRUE(containsAll(frameIdsOf(save.files[i]), twelveFrameIds()));
    }
    const auto sparseFields = fieldsOf(save.files[2]);
    EXPECT_EQ(sparseFields.at("title"), "Новое название");
    EXPECT_EQ(sparseFields.at("album"), "");
    EXPECT_TRUE(containsAll(frameIdsOf(save.files[2]), twelveFrameIds()));

    if (mutagenAvailable()) {
        const auto view = mutagenRead(save.files[0]);
        ASSERT_TRUE(view);
        EXPECT_EQ(mutagenText(*view, "TIT2"), "Новое название");
        EXPECT_EQ(mutagenText(*view, "TPE1"), "Artist 歌手");
        EXPECT_EQ(mutagenText(*view, "TALB"), "song1 album");
    }
}

TEST(SaveLoopWrites, WithNothingTickedEveryFileIsRewrittenWithItsOwnTexts)
{
    TempDir dir;
    Mp3Spec partial;
    partial.frames = {textFrame("TIT2", "Keep me"), textFrame("TPE1", "And me")};
    ListSave save;
    save.files = {dir.write("partial.mp3", makeMp3(partial)).string()};

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_TRUE(run.notWritten.empty());
    const auto fields = fieldsOf(save.files[0]);
    EXPECT_EQ(fields.at("title"), "Keep me");
    EXPECT_EQ(fields.at("artist"), "And me");
    EXPECT_TRUE(containsAll(frameIdsOf(save.files[0]), twelveFrameIds()));
}

TEST(SaveLoopWrites, AnEmptyTickedTextEmptiesItsField)
{
    TempDir dir;
    ListSave save;
    save.files = pathsIn(dir, 1);
    save.texts = {{"title", ""}, {"comment", ""}};

    RunSaveLoop(save);
    const auto fields = fieldsOf(save.files[0]);
    EXPECT_EQ(fields.at("title"), "");
    EXPECT_EQ(fields.at("comment"), "");
    EXPECT_EQ(fields.at("album"), "song1 album");
    const auto ids = frameIdsOf(save.files[0]);
    EXPECT_TRUE(ids.count("TIT2") && ids.count("COMM")) << "the emptied frames stay";
}

TEST(SaveLoopStop, AStopDuringFileKCompletesItAndLeavesTheRestUntouched)
{
    TempDir dir;
    ListSave save;
    save.files = pathsIn(dir, 5);
    save.texts = {{"title", "Written"}};
    std::vector<std::string> before;
    for (const std::string& f : save.files)
        before.push_back(readFile(f));
    // The stop comes while file 3 is in hand, right after its load.
    save.onStep = [&](size_t file, int step) {
        if (file == 2 && step == 1)
            save.stop = true;
    };

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(run.files, 3);
    EXPECT_EQ(save.done.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(fieldsOf(save.files[i]).at("title"), "Written") << save.files[i];
    for (size_t i = 3; i < 5; ++i)
        EXPECT_EQ(readFile(save.files[i]), before[i]) << save.files[i];
    EXPECT_EQ(save.steps.size(), 3u * 15u) << "file 3 made all its steps";
}

TEST(SaveLoopFailures, FilesThatCannotBeWrittenAreReportedAndPassedOver)
{
    TempDir dir;
    ListSave save;
    const std::vector<std::string> good = pathsIn(dir, 2);
    const fs::path readOnly = dir.write("locked.mp3", taggedMp3("locked"));
    ::chmod(readOnly.c_str(), 0444);
    const std::string readOnlyBytes = readFile(readOnly);
    const fs::path folder = dir.mkdir("Album.mp3");
    const fs::path missing = dir.path() / "gone.mp3";
    save.files = {good[0], readOnly.string(), folder.string() + "/", missing.string(), good[1]};
    save.texts = {{"title", "Written"}};

    const SaveLoopResult run = RunSaveLoop(save);
    EXPECT_EQ(run.files, 5) << "every file counts, written or not";
    ASSERT_EQ(run.notWritten.size(), 3u);
    EXPECT_EQ(run.notWritten[0].path, readOnly.string());
    EXPECT_EQ(run.notWritten[0].error, "read-only");
    EXPECT_EQ(run.notWritten[1].path, folder.string() + "/");
    EXPECT_EQ(run.notWritten[1].error, "not a regular file");
    EXPECT_EQ(run.notWritten[2].path, missing.string());
    EXPECT_EQ(run.notWritten[2].error, "file not found");

    EXPECT_EQ(fieldsOf(good[0]).at("title"), "Written");
    EXPECT_EQ(fieldsOf(good[1]).at("title"), "Written");
    EXPECT_EQ(readFile(readOnly), readOnlyBytes);
    EXPECT_FALSE(fs::exists(missing)) << "a missing file is not created";
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4)
        << "no stray files";
}

}  // namespace
}  // namespace kestrune::test
