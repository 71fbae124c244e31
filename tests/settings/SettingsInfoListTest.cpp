#include "settings/SettingsInfoList.h"

#include <gtest/gtest.h>

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

TEST(SettingsInfo, NullPointersStoreEmptyStrings)
{
    CSettingsInfo entry("KEY", "text");
    entry.SetKey(nullptr);
    entry.SetText(nullptr);
    EXPECT_EQ(entry.GetKey() + entry.GetText(), "");
    EXPECT_EQ(CSettingsInfo(nullptr, nullptr).GetKey(), "");
}

TEST(SettingsInfoList, NewTableHoldsOnlyTheNameEntryWithEmptyText)
{
    const CSettingsInfoList table;
    EXPECT_EQ(KeysOf(table), std::vector<std::string>{"SETTINGS_NAME"});
    CSettingsInfo out;
    ASSERT_TRUE(table.Lookup("SETTINGS_NAME", out));
    EXPECT_EQ(out.GetText(), "");
}

TEST(SettingsInfoList, LookupMatchesWholeKeysByteForByteAndLeavesOutputAloneOnFailure)
{
    CSettingsInfoList table;
    table.AddTail(CSettingsInfo("STATUS_READY", "Готов"));
    table.AddTail(CSettingsInfo("КЛЮЧ", "значение"));

    CSettingsInfo out("CALLER_KEY", "caller text");
    for (const char* miss : {"status_ready", "STATUS_READ", "STATUS_READY ", "ключ", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(table.Lookup(miss, out)) << (miss ? miss : "null");
    EXPECT_EQ(out.GetKey(), "CALLER_KEY");
    EXPECT_EQ(out.GetText(), "caller text");

    ASSERT_TRUE(table.Lookup("КЛЮЧ", out));
    EXPECT_EQ(out.GetKey(), "КЛЮЧ");
    EXPECT_EQ(out.GetText(), "значение");

    // An empty key is compared like any other: a null key finds the first entry with an empty key.
    table.AddTail(CSettingsInfo("", "first empty"));
    table.AddTail(CSettingsInfo(nullptr, "second empty"));
    ASSERT_TRUE(table.Lookup(nullptr, out));
    EXPECT_EQ(out.GetText(), "first empty");
}

TEST(SettingsInfoList, DuplicatesAreKeptAndTheEntryNearestTheHeadWins)
{
    CSettingsInfoList table;
    table.AddTail(CSettingsInfo("K", "first tail"));
    table.AddTail(CSettingsInfo("K", "second tail"));
    CSettingsInfo out;
    ASSERT_TRUE(table.Lookup("K", out));
    EXPECT_EQ(out.GetText(), "first tail");

    table.AddHead(CSettingsInfo("K", "head"));
    ASSERT_TRUE(table.Lookup("K", out));
    EXPECT_EQ(out.GetText(), "head");
    EXPECT_EQ(KeysOf(table), (std::vector<std::string>{"K", "SETTINGS_NAME", "K", "K"}));
}

TEST(SettingsInfoList, SetNameNeedsANameEntryWhichCopyTakesOverOnlyIfPresent)
{
    CSettingsInfoList table;
    table.AddTail(CSettingsInfo("C", "c"));
    ASSERT_TRUE(table.SetName("Профиль"));
    CSettingsInfo out;
    ASSERT_TRUE(table.Lookup("SETTINGS_NAME", out));
    EXPECT_EQ(out.GetText(), "Профиль");

    CSettingsInfoList withoutName;
    withoutName.RemoveAll();
    withoutName.AddTail(CSettingsInfo("A", "a"));
    EXPECT_EQ(&table.Copy(withoutName), &table);
    EXPECT_EQ(KeysOf(table), std::vector<std::string>{"A"});
    EXPECT_FALSE(table.SetName("x"));
    EXPECT_EQ(KeysOf(table), std::vector<std::string>{"A"});

    table.Copy(CSettingsInfoList());
    ASSERT_TRUE(table.SetName(nullptr));
    ASSERT_TRUE(table.Lookup("SETTINGS_NAME", out));
    EXPECT_EQ(out.GetText(), "");

    // Copying or appending a table to itself loses nothing.
    table.Copy(table);
    EXPECT_EQ(KeysOf(table), std::vector<std::string>{"SETTINGS_NAME"});
    table.AddTail(table);
    EXPECT_EQ(KeysOf(table), (std::vector<std::string>{"SETTINGS_NAME", "SETTINGS_NAME"}));
}

}  // namespace
}  // namespace kestrune
