#include "res/ResourceIds.h"
#include "settings/SettingsInfoList.h"
#include "settings/StringResources.h"
#include "tag/SaveFailure.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <set>
#include <string>

namespace kestrune {
namespace {

std::string TextOf(const CSettingsInfoList& table, const char* key)
{
    CSettingsInfo out("CALLER_KEY", "caller text");
    return table.Lookup(key, out) ? out.GetText() : out.GetKey() + "|" + out.GetText();
}

// The status line looks its texts up here: whole keys, byte for byte, the entry nearest the head.
TEST(SettingsInfoList, LookupFindsWholeKeysNearestTheHeadAndTheNameEntryFollowsCopies)
{
    CSettingsInfoList table;
    table.AddTail(CSettingsInfo("STATUS_READY", "Готов"));
    table.AddTail(CSettingsInfo("КЛЮЧ", "first"));
    table.AddTail(CSettingsInfo("КЛЮЧ", "second"));
    for (const char* miss : {"status_ready", "STATUS_READ", "STATUS_READY ", "ключ", ""})
        EXPECT_EQ(TextOf(table, miss), "CALLER_KEY|caller text") << miss;
    EXPECT_EQ(TextOf(table, "SETTINGS_NAME"), "") << "a new table holds the name entry";
    EXPECT_EQ(TextOf(table, "КЛЮЧ"), "first");
    table.AddHead(CSettingsInfo("КЛЮЧ", "head"));
    EXPECT_EQ(TextOf(table, "КЛЮЧ"), "head");
    table.AddTail(CSettingsInfo(nullptr, "null key"));  // a null pointer stands for the empty string
    EXPECT_EQ(TextOf(table, nullptr), "null key");

    ASSERT_TRUE(table.SetName("Профиль"));
    EXPECT_EQ(TextOf(table, "SETTINGS_NAME"), "Профиль");
    CSettingsInfoList withoutName;
    withoutName.RemoveAll();
    withoutName.AddTail(CSettingsInfo("A", "a"));
    table.Copy(withoutName);
    EXPECT_FALSE(table.SetName("x"));
    EXPECT_TRUE(table.GetCount() == 1 && TextOf(table, "A") == "a");
    // Copying or appending a table to itself loses nothing.
    table.Copy(table);
    table.AddTail(table);
    EXPECT_TRUE(table.GetCount() == 2 && TextOf(table, "A") == "a");
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
