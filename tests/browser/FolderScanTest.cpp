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
Texts Folders(const std::string& path, const std::string& sub = "") { Texts l; ScanFolders(path, sub, l); return l; }
Texts Files(const std::string& path) { Texts l; ScanFiles(path, "", l); return l; }
Texts FilesOfTree(const std::string& path) { Texts l; WalkFolderTree(path, l); return l; }  // of the "S" mode

TEST(FolderScan, MissingUnreadableOrUnusableFoldersGiveNothing)
{
    TempDir tmp;
    for (const char* file : {"a.mp3", "locked/inner/b.mp3", "locked/c.mp3"})
        tmp.Write(file, "x");
    for (const std::string& path : {tmp.Str() + "missing/", tmp.Str() + "a.mp3/", std::string(3 * PATH_MAX, '/'),
                                    tmp.Str() + std::string("\0", 1)}) {
        EXPECT_TRUE(Folders(path).empty() && Files(path).empty());
        EXPECT_EQ(WalkFolderTree(path), Texts{""});
    }
    // The same folder, padded with slashes so that path + "*" just fits into PATH_MAX and path + "*.mp3" does not.
    const std::string path = tmp.Str() + std::string(PATH_MAX - 2 - tmp.Str().size(), '/');
    EXPECT_EQ(Folders(path), Texts{"locked/"});
    EXPECT_TRUE(Files(path).empty() && FilesOfTree(path).empty());

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
    chmod((tmp.Path() / "locked").c_str(), 0755);  // so that the folder can go
}

// The walk goes level by level through each real folder once; its one-pass form, which reads each
// folder once, lists what the walk followed by the file scans lists, in the same order.
TEST(FolderScan, SubfolderWalkIsBreadthFirstAndVisitsEachRealFolderOnce)
{
    TempDir tmp, outside, typed;
    for (const char* file : {"top.mp3", "A/a.mp3", "B/b.txt", "B/C/c.mp3"})
        tmp.Write(file, "x");
    outside.Write("E/e.mp3", "x");
    fs::create_directory_symlink("../", tmp.Path() / "B/up");            // back to the top: a loop
    fs::create_directory_symlink("../../A", tmp.Path() / "B/C/again");  // a folder met before
    fs::create_directory_symlink(outside.Path(), tmp.Path() / "B/ext");  // a folder outside the tree
    EXPECT_EQ(AsSet(Folders(tmp.Str(), "B/")), (Set{"B/C/", "B/up/", "B/ext/"}));
    EXPECT_EQ(AsSet(WalkFolderTree(tmp.Str())), (Set{"", "A/", "B/", "B/C/", "B/ext/", "B/ext/E/"}));
    EXPECT_EQ(FilesOfTree(tmp.Str()), (Texts{"top.mp3", "A/a.mp3", "B/C/c.mp3", "B/ext/E/e.mp3"}));

    // Below a partly typed name the folders found are read under the folder, never run together with the
    // name (<typed>/MuMusic/ is another folder).
    for (const char* file : {"Mu1.mp3", "mutter.Mp3", "Mu.txt", ".h.mp3", "song.mp3x", "MuMusic/other.mp3",
                             "Music/Mu/deep.mp3", "Album.mp3/inner.MP3", "Rock/r.mp3"})
        typed.Write(file, "x");
    fs::create_symlink("nowhere", typed.Path() / "dangling.mp3");
    EXPECT_EQ(AsSet(WalkFolderTree(typed.Str() + "Mu")), (Set{"", "Music/", "MuMusic/", "Music/Mu/"}));
    EXPECT_EQ(AsSet(FilesOfTree(typed.Str() + "Mu")),
              (Set{"Mu1.mp3", "mutter.Mp3", "MuMusic/other.mp3", "Music/Mu/deep.mp3"}));
    for (const std::string& path : {tmp.Str(), tmp.Str() + "A/", typed.Str(), typed.Str() + "Mu", tmp.Str() + "missing/"}) {
        SCOPED_TRACE(path);
        Texts files{"kept"}, expected{"kept"};
        const Texts folders = WalkFolderTree(path, files);
        EXPECT_EQ(folders, WalkFolderTree(path));
        for (const std::string& folder : folders)
            ScanFiles(folder.empty() ? path : GetFolderPart(path), folder, expected);
        EXPECT_EQ(files, expected);
    }
}

}  // namespace
}  // namespace kestrune
