// Files that once broke the tag record or came close (most found by the fuzz target, fuzz/): each is
// saved with every set of texts and must keep the promises of a save. A new finding goes into
// tests/tag/regressions/ as it is; nothing here needs to change.
#include "support/SaveRoundTrip.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

TEST(RegressionFiles, EveryStoredFileIsSavedWholeOrLeftAsItWas)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(KESTRUNE_REGRESSIONS_DIR))
        if (entry.is_regular_file() && entry.path().filename() != "README.md")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());

    for (const fs::path& source : files) {
        const std::string bytes = readFile(source);
        for (size_t set = 0; set < kRoundTripTextSets; ++set) {
            TempDir dir;
            const fs::path file = dir.write("song.mp3", bytes);
            EXPECT_EQ(saveRoundTripProblem(file, set), "") << source.filename() << " with texts " << set;
        }
    }
}

}  // namespace
}  // namespace kestrune::test
