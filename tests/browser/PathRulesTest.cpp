#include "browser/PathRules.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrune {
namespace {

TEST(PathRules, FolderPartEndsAtTheLastSlash)
{
    EXPECT_EQ(GetFolderPart("/music/rock/"), "/music/rock/");
    EXPECT_EQ(GetFolderPart("/Mu"), "/");
    EXPECT_EQ(GetFolderPart("/music/Ro"), "/music/");
    EXPECT_EQ(GetFolderPart("Music"), "");
    EXPECT_EQ(GetFolderPart(""), "");
}

TEST(PathRules, ParentFolder)
{
    struct Case { const char* text; const char* parent; };
    for (const Case& c : {
             Case{"/music/rock/", "/music/"},
             Case{"/music/rock", "/music/"},
             Case{"/music/Ro", "/music/"},
             Case{"/music/", "/"},
             Case{"/", "/"},
             Case{"ab", "ab"},  // no separator: its own parent
             Case{"a", "a"},
             Case{"", ""},
             Case{"/music//", "/music/"},
             Case{"//server/share/", "//server/"},
             Case{"//server/", "//"},
             Case{"//", "/"},
             Case{"/Музыка/Рок/", "/Музыка/"},
             Case{"Ж", "Ж"},  // one character of two bytes
         })
        EXPECT_EQ(GetParentFolder(c.text), c.parent) << '"' << c.text << '"';
}

TEST(PathRules, ExtensionRunsFromTheLastDotOverTheWholeText)
{
    EXPECT_EQ(GetExtension("01 Intro.mp3"), ".mp3");
    EXPECT_EQ(GetExtension("SONG.MP3"), ".MP3");
    EXPECT_EQ(GetExtension("Live.Vol1/track"), ".Vol1/track");
    EXPECT_EQ(GetExtension("README"), "");
    EXPECT_EQ(GetExtension("name."), ".");
    EXPECT_EQ(GetExtension("a.tar.gz"), ".gz");
}

TEST(PathRules, HasExtensionIgnoresCase)
{
    EXPECT_TRUE(HasExtension("SONG.MP3", ".mp3"));
    EXPECT_TRUE(HasExtension("Song.Mp3", ".mp3"));
    EXPECT_TRUE(HasExtension("Live/Vol1/01 Intro.mp3", ".mp3"));
    EXPECT_TRUE(HasExtension("ПЕСНЯ.mp3", ".mp3"));
    EXPECT_TRUE(HasExtension("песня.ЗВУК", ".звук"));
    EXPECT_FALSE(HasExtension("song.mp3x", ".mp3"));
    EXPECT_FALSE(HasExtension("Live.Vol1/track", ".mp3"));
    EXPECT_FALSE(HasExtension("mp3", ".mp3"));
    EXPECT_FALSE(HasExtension("song.mp", ".mp3"));
}

TEST(PathRules, FolderEntryEndsInSlash)
{
    EXPECT_TRUE(IsFolderEntry("Live/"));
    EXPECT_TRUE(IsFolderEntry("Live/Vol1/"));
    EXPECT_FALSE(IsFolderEntry("01 Intro.mp3"));
    EXPECT_FALSE(IsFolderEntry("Live/track"));
    EXPECT_FALSE(IsFolderEntry(""));
}

}  // namespace
}  // namespace kestrune
