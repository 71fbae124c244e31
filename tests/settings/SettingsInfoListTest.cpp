#include "settings/SettingsInfoList.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace kestrune {
namespace {

std::vector<std::string> KeysOf(const CSettingsInfoList& table)
{
    std::vector<std::string> keys;
    for (const CSettingsInfo& entry : table)
        keys.push_back(entry.GetKey());
    return keys;
}

std::string TextOf(const CSettingsInfoList& table, const char* key)
{
    CSettingsInfo out;
    return table.Lookup(key, out) ? out.GetText() : "<none>";
}

TEST(SettingsInfoList, LookupFindsWholeKeysByteForByteNearestTheHeadAndLeavesTheOutputAloneOnFailure)
{
    CSettingsInfoList table;
    table.AddTail(CSettingsInfo("STATUS_READY", "Готов"));
    table.AddTail(CSettingsInfo("КЛЮЧ", "first"));
    table.AddTail(CSettingsInfo("КЛЮЧ", "second"));
    CSettingsInfo out("CALLER_KEY", "caller text");
    for (const char* miss :
         {"status_ready", "STATUS_READ", "STATUS_READY ", "ключ", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(table.Lookup(miss, out)) << (miss ? miss : "null");
    EXPECT_EQ(out.GetKey() + "|" + out.GetText(), "CALLER_KEY|caller text");

    EXPECT_EQ(TextOf(table, "SETTINGS_NAME"), "") << "a new table holds the name entry";
    EXPECT_EQ(TextOf(table, "КЛЮЧ"), "first");
    table.AddHead(CSettingsInfo("КЛЮЧ", "head"));
    EXPECT_EQ(TextOf(table, "КЛЮЧ"), "head");

    // A null pointer stands for the empty string, as a key and as a text.
    CSettingsInfo nulls("K", "t");
    nulls.SetKey(nullptr);
    nulls.SetText(nullptr);
    table.AddTail(CSettingsInfo(nullptr, "first empty"));
    table.AddTail(nulls);
    EXPECT_EQ(TextOf(table, nullptr), "first empty");
    EXPECT_EQ(KeysOf(table),
              (std::vector<std::string>{"КЛЮЧ", "SETTINGS_NAME", "STATUS_READY", "КЛЮЧ", "КЛЮЧ", "", ""}));
    EXPECT_EQ(std::prev(table.end())->GetText(), "");
}

TEST(SettingsInfoList, SetNameNeedsANameEntryWhichCopyTakesOverOnlyIfPresent)
{
    CSettingsInfoList table;
    ASSERT_TRUE(table.SetName("Профиль"));
    EXPECT_EQ(TextOf(table, "SETTINGS_NAME"), "Профиль");

    CSettingsInfoList withoutName;
    withoutName.RemoveAll();
    withoutName.AddTail(CSettingsInfo("A", "a"));
    table.Copy(withoutName);
    EXPECT_FALSE(table.SetName("x"));
    EXPECT_EQ(KeysOf(table), std::vector<std::string>{"A"});

    table.Copy(CSettingsInfoList());
    ASSERT_TRUE(table.SetName(nullptr));
    EXPECT_EQ(TextOf(table, "SETTINGS_NAME"), "");
    // Copying or appending a table to itself loses nothing.
    table.Copy(table);
    table.AddTail(table);
    EXPECT_EQ(KeysOf(table), (std::vector<std::string>{"SETTINGS_NAME", "SETTINGS_NAME"}));
}

}  // namespace
}  // namespace kestrune
