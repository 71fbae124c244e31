#include "browser/NameMatch.h"
#include "browser/PathRules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace kestrune {
namespace {

// The folder part and the parent cut at the last "/" (the parent at the one before a final "/"); the
// extension runs from the last dot over the whole text, a "/" included; the MP3 test ignores case.
TEST(PathRules, FolderPartAndParentCutAtTheLastSlashTheExtensionAtTheLastDot)
{
    struct Case {
        const char *text, *folderPart, *parent, *extension;
        bool mp3;
    };
    const Case cases[] = {
        {"/music/rock/", "/music/rock/", "/music/", "", false},
        {"/music/01 Intro.mp3", "/music/", "/music/", ".mp3", true},
        {"/SONG.MP3", "/", "/", ".MP3", true},
        {"/", "/", "/", "", false},
        {"", "", "", "", false},
        {"a.tar.gz", "", "a.tar.gz", ".gz", false},  // no separator: its own parent
        {"/music//", "/music//", "/music/", "", false},
        {"//", "//", "/", "", false},
        {"//server/share/", "//server/share/", "//server/", "", false},
        {"/Музыка/Рок/", "/Музыка/Рок/", "/Музыка/", "", false},
        {"/Музыка/ПЕСНЯ.Mp3", "/Музыка/", "/Музыка/", ".Mp3", true},
        {"Ж", "", "Ж", "", false},  // one character of two bytes
        {"Live.Vol1/track", "Live.Vol1/", "Live.Vol1/", ".Vol1/track", false},
        {"song.mp3x", "", "song.mp3x", ".mp3x", false},
        {"name.", "", "name.", ".", false},
        {"mp3", "", "mp3", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ((std::tuple{GetFolderPart(c.text), GetParentFolder(c.text), GetExtension(c.text)}),
                  (std::tuple{std::string(c.folderPart), std::string(c.parent), std::string(c.extension)}));
        EXPECT_EQ(HasExtension(c.text, ".mp3"), c.mp3);
    }
    EXPECT_TRUE(IsFolderEntry("Live/Vol1/") && !IsFolderEntry("Live/track") && !IsFolderEntry(""));
}

// Only the star is a wildcard; case folds beyond ASCII; bytes that are not UTF-8 match only themselves.
TEST(NameMatch, OnlyTheStarIsAWildcardAndCaseIsIgnored)
{
    struct Case { const char* name; const char* pattern; bool match; };
    const Case cases[] = {
        {".hidden", "*", true},
        {".mp3", "*.mp3", true},
        {"a.mp3.mp3", "*.mp3", true},  // the star takes the first
        {"a.mp3.mp4", "*.mp3", false},
        {"song.mp3x", "*.mp3", false},
        {"mp3", "*.mp3", false},
        {"music", "Mu*", true},
        {"Amu", "Mu*", false},
        {"MUSIC 01.MP3", "mu*.mp3", true},
        {"M.mp3", "Mu*.mp3", false},
        {"a?b", "a?b", true},
        {"axb", "a?b", false},
        {"Über.MP3", "ü*.mp3", true},
        {"\u017Fong.mp3", "S*.MP3", true},
        {"x\xe9y.mp3", "*.MP3", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesNamePattern(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
    EXPECT_TRUE(EqualsIgnoringCase("МУЗЫКА Ёлки", "музыка ёлки"));
    EXPECT_TRUE(EqualsIgnoringCase("\u212A", "K"));  // the Kelvin sign folds into ASCII
    EXPECT_TRUE(EqualsIgnoringCase("a\xff", "A\xff"));
    for (const auto& [a, b] : {std::pair{"музыка", "музыкa"}, {"abc", "ab"}, {"a\xff", "a\xfe"}, {"\xd0", "\xd0\x90"}})
        EXPECT_FALSE(EqualsIgnoringCase(a, b)) << a << " ~ " << b;  // the first: last letter Latin a
}

}  // namespace
}  // namespace kestrune
