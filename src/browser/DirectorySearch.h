#pragma once

#include <dirent.h>

#include <string>
#include <string_view>

namespace kestrune {

// A search of one folder for the entries whose names match a pattern, in the order the file system returns
// them (nothing is sorted). The pattern is a folder path followed by a name pattern: "/music/*",
// "/music/Mu*", "/music/*.mp3". It is split at its last "/"; without one the name pattern applies to the
// process's current directory. Names match without regard to case, "*" standing for any run of characters
// (see MatchesNamePattern). "." and ".." are never returned; hidden entries are.
//
// A pattern the system cannot take (PATH_MAX bytes or longer, or holding a NUL byte) and a folder that is
// missing or cannot be read give no entries. A read error part-way ends the search with what was found.
class DirectorySearch {
public:
    explicit DirectorySearch(const std::string& pattern);
    // False for a pattern the system cannot take; a search with it gives no entries.
    static bool Accepts(const std::string& pattern);
    ~DirectorySearch();
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    // Moves to the next matching entry; false when there is none.
    bool Next();

    // The current entry's name, valid until the next call of Next.
    std::string_view Name() const { return m_entry->d_name; }
    // True when the current entry is a folder or a link to a folder. Asks the file system only when the
    // folder listing does not tell (links, and file systems that give no entry types).
    bool IsDirectory() const;

private:
    DIR* m_dir = nullptr;
    std::string m_namePattern;
    const dirent* m_entry = nullptr;
};

}  // namespace kestrune
