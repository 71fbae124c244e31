#include "browser/FolderScan.h"

#include "browser/DirectorySearch.h"
#include "browser/NameMatch.h"
#include "browser/PathRules.h"

#include <sys/stat.h>

#include <optional>
#include <set>
#include <string_view>
#include <utility>

namespace kestrune {
namespace {

// Appends prefix + name (+ suffix) to list without intermediate strings.
void AppendEntry(std::vector<std::string>& list, const std::string& prefix, std::string_view name,
                 std::string_view suffix = {})
{
    std::string& text = list.emplace_back();
    text.reserve(prefix.size() + name.size() + suffix.size());
    text.append(prefix).append(name).append(suffix);
}

using FolderId = std::pair<dev_t, ino_t>;

// The identity of the folder that a scan of folderText + "*" reads, links followed. Only a text that is empty
// (the current directory) or ends in "/" names that folder whole; a partly typed name names none.
std::optional<FolderId> IdentifyScannedFolder(const std::string& folderText)
{
    if (!folderText.empty() && folderText.back() != '/')
        return std::nullopt;
    struct stat info;
    if (stat(folderText.empty() ? "." : folderText.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return FolderId(info.st_dev, info.st_ino);
}

}  // namespace

int ScanFolders(const std::string& path, const std::string& prefix, std::vector<std::string>& list)
{
    DirectorySearch search(path + prefix + "*");
    while (search.Next()) {
        if (search.IsDirectory())
            AppendEntry(list, prefix, search.Name(), "/");
    }
    return static_cast<int>(list.size());
}

void ScanFiles(const std::string& path, const std::string& prefix, std::vector<std::string>& list)
{
    DirectorySearch search(path + prefix + "*.mp3");
    while (search.Next())
        AppendEntry(list, prefix, search.Name());
}

namespace {

const std::string kFilePattern = "*.mp3";

// One read of the folder path + prefix: appends its sub-folders to folders as ScanFolders does and, unless
// files is null, its matching names to files as ScanFiles does. The entries ScanFiles' pattern matches are
// among those the folder pattern matches, so one search serves both.
void ScanFolderOnce(const std::string& path, const std::string& prefix, std::vector<std::string>& folders,
                    std::vector<std::string>* files)
{
    const std::string folderPattern = path + prefix + "*";
    const std::string filePattern = path + prefix + kFilePattern;
    if (files && !DirectorySearch::Accepts(filePattern))
        files = nullptr;
    // The name part after the last "/" (npos + 1 is 0: without a "/" the whole pattern is a name pattern).
    const std::string_view fileNamePattern = std::string_view(filePattern).substr(filePattern.rfind('/') + 1);

    DirectorySearch search(folderPattern);
    while (search.Next()) {
        if (search.IsDirectory())
            AppendEntry(folders, prefix, search.Name(), "/");
        if (files && MatchesNamePattern(search.Name(), fileNamePattern))
            AppendEntry(*files, prefix, search.Name());
    }
}

std::vector<std::string> Walk(const std::string& path, std::vector<std::string>* files)
{
    // Breadth-first, the queue and the visit order are the same sequence: the folders still to scan are the
    // ones after `next`.
    std::vector<std::string> visited{std::string()};
    // Every entry is relative to the folder part, where the window looks for it: under a partly typed name
    // ("/music/Mu") only the first read filters by the name, the folders it finds ("Music/") are read
    // below the folder ("/music/Music/"), not run together with the name ("/music/MuMusic/").
    const std::string folderPart = GetFolderPart(path);
    // A folder link that leads back up the tree would otherwise make the walk repeat that tree under ever
    // longer paths until they exceed PATH_MAX.
    std::set<FolderId> seen;
    if (auto root = IdentifyScannedFolder(folderPart))
        seen.insert(*root);

    std::vector<std::string> found;
    for (std::size_t next = 0; next < visited.size(); ++next) {
        found.clear();
        ScanFolderOnce(next == 0 ? path : folderPart, visited[next], found, files);
        for (std::string& folder : found) {
            // A folder that cannot be identified cannot be read either, so it cannot lead round a loop: it
            // stays in the list, as the plain walk has it.
            const auto id = IdentifyScannedFolder(folderPart + folder);
            if (!id || seen.insert(*id).second)
                visited.push_back(std::move(folder));
        }
    }
    return visited;
}

}  // namespace

std::vector<std::string> WalkFolderTree(const std::string& path)
{
    return Walk(path, nullptr);
}

std::vector<std::string> WalkFolderTree(const std::string& path, std::vector<std::string>& files)
{
    return Walk(path, &files);
}

}  // namespace kestrune
