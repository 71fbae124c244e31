#include "browser/DirectorySearch.h"

#include "browser/NameMatch.h"

#include <sys/stat.h>

#include <climits>

namespace kestrune {

bool DirectorySearch::Accepts(const std::string& pattern)
{
    return pattern.size() < PATH_MAX && pattern.find('\0') == std::string::npos;
}

DirectorySearch::DirectorySearch(const std::string& pattern)
{
    if (!Accepts(pattern))
        return;
    const auto slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : pattern.substr(0, slash + 1);
    m_namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    m_dir = opendir(folder.c_str());
}

DirectorySearch::~DirectorySearch()
{
    if (m_dir)
        closedir(m_dir);
}

bool DirectorySearch::Next()
{
    if (!m_dir)
        return false;
    while ((m_entry = readdir(m_dir)) != nullptr) {
        const std::string_view name = m_entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (MatchesNamePattern(name, m_namePattern))
            return true;
    }
    return false;
}

bool DirectorySearch::IsDirectory() const
{
    switch (m_entry->d_type) {
    case DT_DIR:
        return true;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat target;
        return fstatat(dirfd(m_dir), m_entry->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
    }
    default:
        return false;
    }
}

}  // namespace kestrune
