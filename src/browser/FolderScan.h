#pragma once

#include <string>
#include <vector>

// The directory scans behind the file list. A scan reads the folder named by the plain concatenation
// path + prefix, where path is the current path text and prefix is empty or a relative folder path ending in
// "/". When path does not end in "/" (a name typed partly), its last component filters the entries of its
// folder part: with "/music/Mu" the scans list the entries of "/music/" whose names begin with "Mu".
namespace kestrune {

// Appends prefix + name + "/" for every folder (or link to a folder) matching path + prefix + "*", in the
// file system's order; "." and ".." are never listed, hidden folders are. Returns the number of texts in
// list after the scan, not the number appended.
int ScanFolders(const std::string& path, const std::string& prefix, std::vector<std::string>& list);

// Appends prefix + name for every entry matching path + prefix + "*.mp3" (without regard to case), in the
// file system's order. The name alone decides: a folder named "Album.mp3" is listed too.
void ScanFiles(const std::string& path, const std::string& prefix, std::vector<std::string>& list);

// The folders of the sub-folder mode: "" (the current folder) first, then the relative path of every folder
// below it, level by level, each level in the order the scans met its folders. Each real folder is visited
// once, so a link that leads back up the tree does not repeat the tree below it. Under a partly typed name
// the name filters the first level only; the folders below are read as folder part + relative path.
std::vector<std::string> WalkFolderTree(const std::string& path);

// WalkFolderTree and the file scans of the folders it returns, in one pass: returns the same folders and
// appends to files, folder by folder in that order, what the file scan of each folder appends. Each folder
// is read once instead of twice, which halves the disk work of listing a large tree.
std::vector<std::string> WalkFolderTree(const std::string& path, std::vector<std::string>& files);

}  // namespace kestrune
