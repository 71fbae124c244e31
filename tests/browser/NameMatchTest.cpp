#include "browser/NameMatch.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

TEST(NameMatch, OnlyTheStarIsAWildcardAndCaseIsIgnored)
{
    EXPECT_TRUE(MatchesNamePattern(".hidden", "*"));
    EXPECT_TRUE(MatchesNamePattern(".mp3", "*.mp3"));
    EXPECT_TRUE(MatchesNamePattern("a.mp3.mp3", "*.mp3"));  // the star has to take the first ".mp3"
    EXPECT_FALSE(MatchesNamePattern("a.mp3.mp4", "*.mp3"));
    EXPECT_FALSE(MatchesNamePattern("song.mp3x", "*.mp3"));
    EXPECT_FALSE(MatchesNamePattern("mp3", "*.mp3"));
    EXPECT_TRUE(MatchesNamePattern("music", "Mu*"));
    EXPECT_FALSE(MatchesNamePattern("Amu", "Mu*"));
    EXPECT_TRUE(MatchesNamePattern("MUSIC 01.MP3", "mu*.mp3"));
    EXPECT_FALSE(MatchesNamePattern("M.mp3", "Mu*.mp3"));
    EXPECT_TRUE(MatchesNamePattern("a?b", "a?b"));
    EXPECT_FALSE(MatchesNamePattern("axb", "a?b"));
}

TEST(NameMatch, CaseFoldingBeyondAscii)
{
    EXPECT_TRUE(EqualsIgnoringCase("МУЗЫКА Ёлки", "музыка ёлки"));
    EXPECT_TRUE(MatchesNamePattern("Über.MP3", "ü*.mp3"));
    EXPECT_FALSE(EqualsIgnoringCase("музыка", "музыкa"));  // last letter Latin a
    EXPECT_FALSE(EqualsIgnoringCase("abc", "ab"));
    EXPECT_TRUE(EqualsIgnoringCase("\u212A", "K"));  // the Kelvin sign and the long s fold into ASCII
    EXPECT_TRUE(MatchesNamePattern("\u017Fong.mp3", "S*.MP3"));
    // Bytes that are not UTF-8 match only themselves.
    EXPECT_TRUE(EqualsIgnoringCase("a\xff", "A\xff"));
    EXPECT_FALSE(EqualsIgnoringCase("a\xff", "a\xfe"));
    EXPECT_FALSE(EqualsIgnoringCase("\xd0", "\xd0\x90"));
    EXPECT_TRUE(MatchesNamePattern("x\xe9y.mp3", "*.MP3"));
}

}  // namespace
}  // namespace kestrune
