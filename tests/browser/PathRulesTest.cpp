#include "browser/NameMatch.h"
#include "browser/PathRules.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrune {
namespace {

TEST(PathRules, FolderPartAndParentCutAtTheLastSlash)
{
    struct Case { const char* text; const char* folderPart; const char* parent; };
    for (const Case& c : {
             Case{"/music/rock/", "/music/rock/", "/music/"}, Case{"/music/Ro", "/music/", "/music/"},
             Case{"/Mu", "/", "/"}, Case{"/", "/", "/"}, Case{"", "", ""},
             Case{"ab", "", "ab"},  // no separator: its own parent
             Case{"/music//", "/music//", "/music/"}, Case{"//", "//", "/"},
             Case{"//server/share/", "//server/share/", "//server/"},
             Case{"/Музыка/Рок/", "/Музыка/Рок/", "/Музыка/"},
             Case{"Ж", "", "Ж"},  // one character of two bytes
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GetFolderPart(c.text), c.folderPart);
        EXPECT_EQ(GetParentFolder(c.text), c.parent);
    }
    EXPECT_TRUE(IsFolderEntry("Live/Vol1/") && !IsFolderEntry("Live/track") && !IsFolderEntry(""));
}

// The extension runs from the last dot over the whole text, a "/" included; the MP3 test ignores case.
TEST(PathRules, ExtensionRunsFromTheLastDot)
{
    struct Case { const char* text; const char* extension; bool mp3; };
    for (const Case& c : {
             Case{"01 Intro.mp3", ".mp3", true}, Case{"SONG.MP3", ".MP3", true}, Case{"ПЕСНЯ.Mp3", ".Mp3", true},
             Case{"Live.Vol1/track", ".Vol1/track", false},
             Case{"song.mp3x", ".mp3x", false}, Case{"a.tar.gz", ".gz", false},
             Case{"name.", ".", false}, Case{"mp3", "", false},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GetExtension(c.text), c.extension);
        EXPECT_EQ(HasExtension(c.text, ".mp3"), c.mp3);
    }
}

// Only the star is a wildcard; case folds beyond ASCII; bytes that are not UTF-8 match only themselves.
TEST(NameMatch, OnlyTheStarIsAWildcardAndCaseIsIgnored)
{
    struct Case { const char* name; const char* pattern; bool match; };
    for (const Case& c : {
             Case{".hidden", "*", true}, Case{".mp3", "*.mp3", true},
             Case{"a.mp3.mp3", "*.mp3", true},  // the star has to take the first ".mp3"
             Case{"a.mp3.mp4", "*.mp3", false}, Case{"song.mp3x", "*.mp3", false}, Case{"mp3", "*.mp3", false},
             Case{"music", "Mu*", true}, Case{"Amu", "Mu*", false}, Case{"MUSIC 01.MP3", "mu*.mp3", true},
             Case{"M.mp3", "Mu*.mp3", false}, Case{"a?b", "a?b", true}, Case{"axb", "a?b", false},
             Case{"Über.MP3", "ü*.mp3", true}, Case{"\u017Fong.mp3", "S*.MP3", true}, Case{"x\xe9y.mp3", "*.MP3", true},
         })
        EXPECT_EQ(MatchesNamePattern(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
    EXPECT_TRUE(EqualsIgnoringCase("МУЗЫКА Ёлки", "музыка ёлки"));
    EXPECT_TRUE(EqualsIgnoringCase("\u212A", "K"));  // the Kelvin sign folds into ASCII
    EXPECT_TRUE(EqualsIgnoringCase("a\xff", "A\xff"));
    for (const auto& [a, b] : {std::pair{"музыка", "музыкa"}, {"abc", "ab"}, {"a\xff", "a\xfe"}, {"\xd0", "\xd0\x90"}})
        EXPECT_FALSE(EqualsIgnoringCase(a, b)) << a << " ~ " << b;  // the first: last letter Latin a
}

}  // namespace
}  // namespace kestrune
