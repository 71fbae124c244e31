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

}  // namespace
}  // namespace kestrune
