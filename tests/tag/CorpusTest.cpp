#include "tag/MutagenProbe.h"
#include "tag/TagTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

// Real files with odd and damaged tags: a save writes them with every frame and all audio kept. Only
// the files named here may instead be left byte for byte: a change that makes real files "not
// understood" fails.
const std::set<std::string> kMayBeRefused = {"emptyfile.mp3"};

TEST(Corpus, SavingARealFileKeepsEveryFrameAndTheAudioOrChangesNothing)
{
    std::vector<fs::path> sources;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(KESTRUNE_CORPUS_DIR, ec))
        sources.push_back(entry.path());
    if (sources.empty())
        GTEST_SKIP() << "corpus not present";
    for (const fs::path& source : sources) {
        SCOPED_TRACE(source.filename());
        TempDir dir;
        const auto file = dir.Write(source.filename().string(), ReadFile(source));
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
        const std::string before = ReadFile(file);
        const auto mutagenBefore = MutagenAvailable() ? MutagenRead(file) : std::nullopt;

        CMp3File record(file.string());
        record.Load();
        auto expected = FieldsOf(record);
        record.SetTitle("Kestrune title");
        if (!record.Save()) {
            EXPECT_TRUE(kMayBeRefused.count(source.filename().string())) << "refused: " << record.GetSaveError();
            EXPECT_EQ(ReadFile(file), before) << record.GetSaveError();
            continue;
        }
        EXPECT_EQ(AudioOf(ReadFile(file)), AudioOf(before));
        expected["title"] = "Kestrune title";
        EXPECT_EQ(LoadFields(file), expected) << "every other field reads as before";

        if (!mutagenBefore || mutagenBefore->version == "none" || mutagenBefore->version == "2.2")
            continue;
        const auto mutagenAfter = MutagenRead(file);
        ASSERT_TRUE(mutagenAfter);
        EXPECT_EQ(mutagenAfter->version, mutagenBefore->version);
        EXPECT_EQ(MutagenText(*mutagenAfter, "TIT2"), "Kestrune title");
        for (const auto& [key, repr] : mutagenBefore->frames)
            if (key != "TIT2") {
                EXPECT_EQ(MutagenFrame(*mutagenAfter, key), repr) << key;
            }
    }
}

}  // namespace
}  // namespace kestrune::test
