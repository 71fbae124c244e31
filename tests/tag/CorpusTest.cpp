#include "tag/MutagenProbe.h"
#include "tag/TagTestSupport.h"

#include <gtest/gtest.h>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> corpusNames()
{
    std::vector<std::string> names;
    const fs::path folder(KESTRUNE_CORPUS_DIR);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Corpus, ReadsTheFieldsOfRealFilesInEachTagVersion)
{
    if (corpusFile("id3v22-test.mp3").empty())
        GTEST_SKIP() << "corpus not present";
    auto v22 = loadFields(corpusFile("id3v22-test.mp3"));
    EXPECT_EQ(v22["title"], "cosmic american");
    EXPECT_EQ(v22["artist"], "Anais Mitchell");
    EXPECT_EQ(v22["track number"], "3/11");
    EXPECT_EQ(v22["encoded by"], "iTunes v4.6");
    auto v23 = loadFields(corpusFile("silence-44-s.mp3"));
    EXPECT_EQ(v23["album"], "Quod Libet Test Data");
    EXPECT_EQ(v23["track number"], "02/10");
    EXPECT_EQ(v23["genre"], "Silence");
    auto v1 = loadFields(corpusFile("silence-44-s-v1.mp3"));
    EXPECT_EQ(v1["title"], "Silence");
    EXPECT_EQ(v1["genre"], "Darkwave");
    EXPECT_EQ(loadFields(corpusFile("bad-POPM-frame.mp3"))["comment"], "häst");
}

class CorpusFile : public testing::TestWithParam<std::string> {};
// Without the corpus beside the checkout there is nothing to instantiate.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusFile);

// Real files with odd and damaged tags: a save either writes them with every frame and all audio kept,
// or leaves them byte for byte.
TEST_P(CorpusFile, SaveKeepsEveryFrameAndTheAudioOrChangesNothing)
{
    const fs::path source = corpusFile(GetParam());
    if (source.empty())
        GTEST_SKIP() << "corpus not present";
    TempDir dir;
    const auto file = dir.write(GetParam(), readFile(source));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    const std::string before = readFile(file);
    const auto mutagenBefore = mutagenAvailable() ? mutagenRead(file) : std::nullopt;

    CMp3File record(file.string());
    record.Load();
    const auto loaded = fieldsOf(record);
    record.SetTitle("Kestrune title");
    const bool saved = record.Save();
    const std::string after = readFile(file);
    if (!saved) {
        EXPECT_EQ(after, before) << record.GetSaveError();
        return;
    }
    EXPECT_EQ(audioOf(after), audioOf(before));
    auto fields = loadFields(file);
    EXPECT_EQ(fields["title"], "Kestrune title");
    fields["title"] = loaded.at("title");
    EXPECT_EQ(fields, loaded) << "every other field reads as before";

    if (!mutagenBefore || mutagenBefore->version == "none" || mutagenBefore->version == "2.2")
        return;
    const auto mutagenAfter = mutagenRead(file);
    ASSERT_TRUE(mutagenAfter);
    EXPECT_EQ(mutagenAfter->version, mutagenBefore->version);
    EXPECT_EQ(mutagenText(*mutagenAfter, "TIT2"), "Kestrune title");
    for (const auto& [key, repr] : mutagenBefore->frames) {
        if (key != "TIT2") {
            EXPECT_EQ(mutagenFrame(*mutagenAfter, key), repr) << key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RealWorld, CorpusFile, testing::ValuesIn(corpusNames()), [](const auto& info) {
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

}  // namespace
}  // namespace kestrune::test
