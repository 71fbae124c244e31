#include "res/ResourceIds.h"
#include "res/Version.h"
#include "settings/SettingsInfoList.h"
#include "settings/StatusTable.h"
#include "settings/StringResources.h"
#include "tag/SaveFailure.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <cctype>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace kestrune {
namespace {

TEST(StringResources, MissingIdentifierLoadsEmpty)
{
    // Next to each range of the table, and past its end.
    for (unsigned id : {0u, 100u, 105u, 113u, 119u, SaveReasonTextId(kSaveReasonCount), 205u, 55006u, 56126u,
                        60006u, 61126u, 65534u, 65536u})
        EXPECT_EQ(LoadString(id), "") << id;
}

TEST(StringResources, EachStatusKeyIsUniqueAndFindsItsOwnTextInTheFilledTable)
{
    CSettingsInfoList table;
    FillStatusTable(table);
    EXPECT_EQ(table.GetCount(), 1 + kStatusCount);
    std::set<std::string> keys;
    for (unsigned keyId = IDS_STATUS_FIRST_KEY; keyId < IDS_STATUS_FIRST_KEY + kStatusCount; ++keyId) {
        const std::string key = LoadString(keyId);
        EXPECT_EQ(key.rfind("STATUS_", 0), 0u) << key;
        EXPECT_TRUE(keys.insert(key).second) << key;
        CSettingsInfo out;
        ASSERT_TRUE(table.Lookup(key.c_str(), out)) << key;
        EXPECT_EQ(out.GetText(), LoadString(keyId - 5000)) << key;
        EXPECT_FALSE(out.GetText().empty()) << key;
    }
    // The status line starts with the template's "Готов"; the ready status must show the same text.
    CSettingsInfo ready;
    ASSERT_TRUE(table.Lookup("STATUS_READY", ready));
    EXPECT_EQ(ready.GetText(), "Готов");
}

TEST(StringResources, EachGenreKeyIsUniqueAndNamedAfterItsText)
{
    std::set<std::string> keys;
    for (unsigned n = 0; n < kGenreCount; ++n) {
        const std::string key = LoadString(IDS_GENRE_FIRST_KEY + n);
        const std::string text = LoadString(IDS_GENRE_FIRST_TEXT + n);
        EXPECT_FALSE(text.empty()) << key;
        EXPECT_TRUE(keys.insert(key).second) << key;
        // "GENRE_" and the name in capitals, "&" written as "AND", spaces and other punctuation dropped.
        std::string named = "GENRE_";
        for (unsigned char c : text) {
            if (c == '&')
                named += "AND";
            else if (std::isalnum(c))
                named += static_cast<char>(std::toupper(c));
        }
        if (key != "GENRE_GRUNDLE" && key != "GENRE_RHYTMICSOUL") {
            EXPECT_EQ(key, named) << n;
        }
    }
    // The ends of the range, and the two keys that keep their old spelling.
    struct Genre { unsigned n; const char* key; const char* text; };
    for (const Genre& g : {Genre{0, "GENRE_BLUES", "Blues"}, Genre{6, "GENRE_GRUNDLE", "Grunde"},
                           Genre{118, "GENRE_RHYTMICSOUL", "Rhythmic Soul"},
                           Genre{125, "GENRE_DANCEHALL", "Dance Hall"}}) {
        EXPECT_EQ(LoadString(IDS_GENRE_FIRST_KEY + g.n), g.key);
        EXPECT_EQ(LoadString(IDS_GENRE_FIRST_TEXT + g.n), g.text);
    }
    EXPECT_EQ(LoadString(IDS_PRODUCT_VERSION), std::string(kProductName) + " " + kProductVersion);
}

TEST(StringResources, EverySaveFailureReasonHasItsOwnRussianSentence)
{
    std::set<std::string> texts;
    for (int reason = 1; reason < kSaveReasonCount; ++reason) {
        const std::string text = LoadString(SaveReasonTextId(reason));
        EXPECT_TRUE(QString::fromStdString(text).contains(QRegularExpression("^[А-ЯЁ].*[а-яё]+\\.$")))
            << reason << ": " << text;
        EXPECT_TRUE(texts.insert(text).second) << reason << ": " << text;
    }
}

TEST(StringResources, LoadsFromSeveralThreadsAtOnce)
{
    const std::string expected = LoadString(IDS_STATUS_SAVING_TEXT);
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (int& count : mismatches)
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i)
                count += LoadString(IDS_STATUS_SAVING_TEXT) != expected;
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace kestrune
