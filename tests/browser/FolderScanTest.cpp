#include "browser/FolderScan.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
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

// What the flat scans of a folder must list, in the order readdir gives its names.
void ExpectFlatScansFollowReaddir(const std::string& path, const fs::path& folder)
{
    Texts folders, files;
    DIR* dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr);
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (fs::is_directory(folder / name))
            folders.push_back(name + "/");
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name.ends_with(".mp3"))
            files.push_back(entry->d_name);
    }
    closedir(dir);

    Texts scanned{"kept", "entries"};
    EXPECT_EQ(ScanFolders(path, "", scanned), static_cast<int>(2 + folders.size()));  // the whole count
    EXPECT_EQ(Texts(scanned.begin() + 2, scanned.end()), folders);
    scanned.clear();
    ScanFiles(path, "", scanned);
    EXPECT_EQ(scanned, files);
}

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

// The sub-folder mode: the walk, then the file scan of every folder it visited.
Texts FilesOfTree(const std::string& path)
{
    Texts files;
    for (const std::string& folder : WalkFolderTree(path))
        ScanFiles(path, folder, files);
    return files;
}

// A folder holding every kind of entry the flat scans must tell apart.
void MakeMixedFolder(const TempDir& tmp)
{
    for (const char* folder : {"Rock", "Jazz", ".hidden", "Album.mp3", "Music", "MUSE", "Музыка"})
        tmp.mkdir(folder);
    for (const char* file : {"a.mp3", "SONG.MP3", "Mu1.mp3", "mutter.Mp3", ".h.mp3", "song.mp3x", "cover.jpg",
                             "Mu.txt", "Музыка.mp3"})
        tmp.write(file, "x");
    fs::create_directory_symlink("Rock", tmp.path() / "linked");
    fs::create_symlink("nowhere", tmp.path() / "dangling.mp3");
}

TEST(FolderScan, FlatScansListInReaddirOrder)
{
    TempDir tmp;
    MakeMixedFolder(tmp);
    ExpectFlatScansFollowReaddir(tmp.str(), tmp.path());

    EXPECT_EQ(AsSet(Folders(tmp.str())),
              (Set{"Rock/", "Jazz/", ".hidden/", "Album.mp3/", "Music/", "MUSE/", "Музыка/", "linked/"}));
    // The name alone decides: the folder Album.mp3 and a dangling link are file entries too; song.mp3x is not.
    EXPECT_EQ(AsSet(Files(tmp.str())), (Set{"a.mp3", "SONG.MP3", "Mu1.mp3", "mutter.Mp3", ".h.mp3", "Album.mp3",
                                            "dangling.mp3", "Музыка.mp3"}));
}

TEST(FolderScan, PartlyTypedNameFiltersItsFolderWithoutRegardToCase)
{
    TempDir tmp;
    MakeMixedFolder(tmp);
    EXPECT_EQ(AsSet(Folders(tmp.str() + "Mu")), (Set{"Music/", "MUSE/"}));
    EXPECT_EQ(AsSet(Files(tmp.str() + "Mu")), (Set{"Mu1.mp3", "mutter.Mp3"}));
    EXPECT_EQ(Folders(tmp.str() + "му"), Texts{"Музыка/"});
    EXPECT_EQ(Files(tmp.str() + "МУЗ"), Texts{"Музыка.mp3"});
}

TEST(FolderScan, PathWithoutSlashIsRelativeToTheCurrentDirectory)
{
    TempDir tmp;
    MakeMixedFolder(tmp);
    const fs::path saved = fs::current_path();
    fs::current_path(tmp.path());
    ExpectFlatScansFollowReaddir("", ".");
    const Texts files = Files("mu");
    fs::current_path(saved);
    EXPECT_EQ(AsSet(files), (Set{"Mu1.mp3", "mutter.Mp3"}));
}

TEST(FolderScan, MissingFolderOrUnusablePatternGivesNothing)
{
    TempDir tmp;
    tmp.mkdir("sub");
    tmp.write("a.mp3", "x");
    for (const std::string& path : {tmp.str() + "missing/", tmp.str() + "a.mp3/", std::string(3 * PATH_MAX, '/'),
                                    tmp.str() + std::string("\0", 1)}) {
        EXPECT_TRUE(Folders(path).empty());
        EXPECT_TRUE(Files(path).empty());
        EXPECT_EQ(WalkFolderTree(path), Texts{""});
    }

    // The same folder under a long text, padded with "./" so that path + "*" just fits into PATH_MAX and
    // path + "*.mp3" does not.
    std::string path = tmp.str();
    while (path.size() + 2 <= PATH_MAX - 2)
        path += "./";
    if (path.size() < PATH_MAX - 2)
        path += "/";
    ASSERT_EQ(path.size(), PATH_MAX - 2u);
    EXPECT_EQ(Folders(path), Texts{"sub/"});
    EXPECT_TRUE(Files(path).empty());
    Texts walked;
    WalkFolderTree(path, walked);
    EXPECT_TRUE(walked.empty());
}

TEST(FolderScan, UnreadableFolderGivesNothing)
{
    TempDir tmp;
    tmp.write("locked/inner/b.mp3", "x");
    tmp.write("locked/a.mp3", "x");
    ASSERT_EQ(chmod((tmp.path() / "locked").c_str(), 0), 0);
    auto nothingFromLocked = [&] {
        return Folders(tmp.str() + "locked/").empty() && Files(tmp.str() + "locked/").empty() &&
               WalkFolderTree(tmp.str()) == Texts{"", "locked/"} && FilesOfTree(tmp.str()).empty();
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(nothingFromLocked());
        return;
    }
    // Permissions do not bind root: look as the unprivileged user "nobody" in a child process.
    ASSERT_EQ(chmod(tmp.path().c_str(), 0755), 0);
    EXPECT_EXIT(
        {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            _exit(nothingFromLocked() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(FolderScan, SubfolderWalkIsBreadthFirstWithPrefixedEntries)
{
    TempDir tmp;
    tmp.write("top.mp3", "x");
    tmp.write("A/a.mp3", "x");
    tmp.write("B/b.txt", "x");
    tmp.write("B/C/c.mp3", "x");

    Texts expected{""};
    for (const std::string& folder : Folders(tmp.str()))
        expected.push_back(folder);
    expected.push_back("B/C/");
    EXPECT_EQ(WalkFolderTree(tmp.str()), expected);
    // The current folder's files first, then level by level: C's file comes last whatever the order of A and B.
    EXPECT_EQ(FilesOfTree(tmp.str()), (Texts{"top.mp3", "A/a.mp3", "B/C/c.mp3"}));

    EXPECT_EQ(FilesOfTree(tmp.str() + "A/"), Texts{"a.mp3"});
}

TEST(FolderScan, WalkVisitsEachRealFolderOnceThroughLinks)
{
    TempDir tmp, outside;
    tmp.write("top.mp3", "x");
    tmp.write("A/a.mp3", "x");
    tmp.write("B/C/c.mp3", "x");
    outside.write("E/e.mp3", "x");
    fs::create_directory_symlink("../", tmp.path() / "B/up");            // back to the top: a loop
    fs::create_directory_symlink("../../A", tmp.path() / "B/C/again");  // a folder met before
    fs::create_directory_symlink(outside.path(), tmp.path() / "B/ext");  // a folder outside the tree

    Texts inB;
    ScanFolders(tmp.str(), "B/", inB);
    EXPECT_EQ(AsSet(inB), (Set{"B/C/", "B/up/", "B/ext/"}));  // a linked folder is a folder like any other

    EXPECT_EQ(AsSet(WalkFolderTree(tmp.str())), (Set{"", "A/", "B/", "B/C/", "B/ext/", "B/ext/E/"}));
    EXPECT_EQ(AsSet(FilesOfTree(tmp.str())), (Set{"top.mp3", "A/a.mp3", "B/C/c.mp3", "B/ext/E/e.mp3"}));
}

TEST(FolderScan, WalkBelowPartlyTypedNameListsOnlyTheMatchingTopFiles)
{
    TempDir tmp;
    tmp.write("Music/inner.mp3", "x");
    tmp.write("Mu1.mp3", "x");
    tmp.write("other.mp3", "x");
    // The folder Music/ is found, but its scan reads <tmp>/MuMusic/, which does not exist.
    EXPECT_EQ(WalkFolderTree(tmp.str() + "Mu"), (Texts{"", "Music/"}));
    EXPECT_EQ(FilesOfTree(tmp.str() + "Mu"), Texts{"Mu1.mp3"});
}

// The one-pass walk of the sub-folder fill reads each folder once; it must list what the walk followed by the
// file scans lists, in the same order, whatever the tree holds.
TEST(FolderScan, OnePassWalkListsWhatTheWalkAndTheFileScansList)
{
    TempDir tmp, outside;
    MakeMixedFolder(tmp);
    tmp.write("Rock/Live.Vol1/track.mp3", "x");
    tmp.write("Album.mp3/inner.MP3", "x");
    tmp.write("Music/Mu/deep.mp3", "x");
    outside.write("E/e.mp3", "x");
    fs::create_directory_symlink("../", tmp.path() / "Music/up");
    fs::create_directory_symlink(outside.path(), tmp.path() / "Jazz/ext");

    for (const std::string& path : {tmp.str(), tmp.str() + "Mu", tmp.str() + "Rock/", tmp.str() + "missing/"}) {
        SCOPED_TRACE(path);
        Texts files{"kept"};
        const Texts folders = WalkFolderTree(path, files);
        EXPECT_EQ(folders, WalkFolderTree(path));
        Texts expected{"kept"};
        for (const std::string& folder : folders)
            ScanFiles(path, folder, expected);
        EXPECT_EQ(files, expected);
    }
    Texts files;
    WalkFolderTree(tmp.str(), files);
    EXPECT_EQ(std::count(files.begin(), files.end(), "Album.mp3"), 1);  // the folder, as a file entry, once
    EXPECT_EQ(std::count(files.begin(), files.end(), "Jazz/ext/E/e.mp3"), 1);
}

}  // namespace
}  // namespace kestrune
