#include "res/ResourceIds.h"
#include "res/Version.h"
#include "settings/SettingsInfoList.h"
#include "settings/StatusTable.h"
#include "settings/StringResources.h"
#include "tag/SaveFailure.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <set>
#include <string>

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

// Genre n is ID3v1 genre n: the ends of the range and the two keys that keep their old spelling
// catch a table shifted, cut short or respelt.
TEST(StringResources, GenreNumbersKeepTheirKeysAndTexts)
{
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

}  // namespace
}  // namespace kestrune
