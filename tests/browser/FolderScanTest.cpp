#include "browser/FolderScan.h"
#include "browser/PathRules.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace kestrune {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;
using Set = std::multiset<std::string>;
using test::TempDir;

Set AsSet(const Texts& texts) { return Set(texts.begin(), texts.end()); }

Texts Folders(const std::string& path)
{
    Texts list;
    ScanFolders(path, "", list);
    return list;
}

Texts Files(const std::string& path)
{
    Texts list;
    ScanFiles(path, "", list);
    return list;
}

// The files of the sub-folder mode.
Texts FilesOfTree(const std::string& path)
{
    Texts files;
    WalkFolderTree(path, files);
    return files;
}

// A folder holding every kind of entry the flat scans must tell apart.
void MakeMixedFolder(const TempDir& tmp)
{
    for (const char* folder : {"Rock", "Jazz", ".hidden", "Album.mp3", "Music", "MUSE", "Музыка"})
        tmp.Mkdir(folder);
    for (const char* file : {"a.mp3", "SONG.MP3", "Mu1.mp3", "mutter.Mp3", ".h.mp3", "song.mp3x", "cover.jpg",
                             "Mu.txt", "Музыка.mp3"})
        tmp.Write(file, "x");
    fs::create_directory_symlink("Rock", tmp.Path() / "linked");
    fs::create_symlink("nowhere", tmp.Path() / "dangling.mp3");
}

TEST(FolderScan, MissingUnreadableOrUnusableFoldersGiveNothing)
{
    TempDir tmp;
    tmp.Write("a.mp3", "x");
    tmp.Write("locked/inner/b.mp3", "x");
    tmp.Write("locked/c.mp3", "x");
    for (const std::string& path : {tmp.Str() + "missing/", tmp.Str() + "a.mp3/", std::string(3 * PATH_MAX, '/'),
                                    tmp.Str() + std::string("\0", 1)}) {
        EXPECT_TRUE(Folders(path).empty());
        EXPECT_TRUE(Files(path).empty());
        EXPECT_EQ(WalkFolderTree(path), Texts{""});
    }

    // The same folder, padded with "./" so that path + "*" just fits into PATH_MAX and path + "*.mp3" does not.
    std::string path = tmp.Str();
    while (path.size() + 2 <= PATH_MAX - 2)
        path += "./";
    if (path.size() < PATH_MAX - 2)
        path += "/";
    ASSERT_EQ(path.size(), PATH_MAX - 2u);
    EXPECT_EQ(Folders(path), Texts{"locked/"});
    EXPECT_TRUE(Files(path).empty());
    EXPECT_TRUE(FilesOfTree(path).empty());

    ASSERT_EQ(chmod((tmp.Path() / "locked").c_str(), 0), 0);
    ASSERT_EQ(chmod(tmp.Path().c_str(), 0755), 0);
    // Permissions do not bind root: a root run looks as the unprivileged user "nobody", in the child process.
    const std::string locked = tmp.Str() + "locked/";
    EXPECT_EXIT(_exit((geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) && Folders(locked).empty() &&
                              Files(locked).empty() && WalkFolderTree(tmp.Str()) == Texts{"", "locked/"} &&
                              FilesOfTree(tmp.Str()) == Texts{"a.mp3"}
                          ? 0
                          : 1),
                testing::ExitedWithCode(0), "");
}

TEST(FolderScan, SubfolderWalkIsBreadthFirstAndVisitsEachRealFolderOnce)
{
    TempDir tmp, outside;
    tmp.Write("top.mp3", "x");
    tmp.Write("A/a.mp3", "x");
    tmp.Write("B/b.txt", "x");
    tmp.Write("B/C/c.mp3", "x");
    outside.Write("E/e.mp3", "x");
    fs::create_directory_symlink("../", tmp.Path() / "B/up");            // back to the top: a loop
    fs::create_directory_symlink("../../A", tmp.Path() / "B/C/again");  // a folder met before
    fs::create_directory_symlink(outside.Path(), tmp.Path() / "B/ext");  // a folder outside the tree

    Texts inB;
    ScanFolders(tmp.Str(), "B/", inB);
    EXPECT_EQ(AsSet(inB), (Set{"B/C/", "B/up/", "B/ext/"}));  // a linked folder is a folder like any other
    EXPECT_EQ(AsSet(WalkFolderTree(tmp.Str())), (Set{"", "A/", "B/", "B/C/", "B/ext/", "B/ext/E/"}));
    // The current folder's files first, then level by level, whatever order the disk gives within a level.
    EXPECT_EQ(FilesOfTree(tmp.Str()), (Texts{"top.mp3", "A/a.mp3", "B/C/c.mp3", "B/ext/E/e.mp3"}));
    EXPECT_EQ(FilesOfTree(tmp.Str() + "A/"), Texts{"a.mp3"});
}

// The one-pass walk of the sub-folder fill reads each folder once; it must list what the walk followed by the
// file scans lists, in the same order, whatever the tree holds.
TEST(FolderScan, OnePassWalkListsWhatTheWalkAndTheFileScansList)
{
    TempDir tmp, outside;
    MakeMixedFolder(tmp);
    tmp.Write("Rock/Live.Vol1/track.mp3", "x");
    tmp.Write("Album.mp3/inner.MP3", "x");
    tmp.Write("Music/Mu/deep.mp3", "x");
    outside.Write("E/e.mp3", "x");
    fs::create_directory_symlink("../", tmp.Path() / "Music/up");
    fs::create_directory_symlink(outside.Path(), tmp.Path() / "Jazz/ext");

    for (const std::string& path : {tmp.Str(), tmp.Str() + "Mu", tmp.Str() + "Rock/", tmp.Str() + "missing/"}) {
        SCOPED_TRACE(path);
        Texts files{"kept"};
        const Texts folders = WalkFolderTree(path, files);
        EXPECT_EQ(folders, WalkFolderTree(path));
        Texts expected{"kept"};
        for (const std::string& folder : folders)
            ScanFiles(folder.empty() ? path : GetFolderPart(path), folder, expected);
        EXPECT_EQ(files, expected);
    }
    // Below a partly typed name the folders found are read under the folder, where the window looks for
    // their entries, never run together with the name (<tmp>/MuMusic/ is another folder).
    tmp.Write("MuMusic/other.mp3", "x");
    EXPECT_EQ(AsSet(WalkFolderTree(tmp.Str() + "Mu")), (Set{"", "Music/", "MUSE/", "MuMusic/", "Music/Mu/"}));
    EXPECT_EQ(AsSet(FilesOfTree(tmp.Str() + "Mu")),
              (Set{"Mu1.mp3", "mutter.Mp3", "MuMusic/other.mp3", "Music/Mu/deep.mp3"}));
}

}  // namespace
}  // namespace kestrune
