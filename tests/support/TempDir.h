#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kestrune::test {

// A fresh folder under the system's temporary directory, removed with everything in it (by name as
// bytes: Qt would leave a name that is not UTF-8; its own removal then finds nothing).
class TempDir {
public:
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path(), ignored);
    }

    std::filesystem::path Path() const { return m_dir.path().toStdString(); }
    // The folder as the program writes it: with a trailing "/".
    std::string Str() const { return Path().string() + "/"; }
    // Writes bytes to a file below the folder, creating parent folders; returns its path.
    std::filesystem::path Write(const std::string& relative, const std::string& bytes) const
    {
        std::filesystem::create_directories((Path() / relative).parent_path());
        std::ofstream(Path() / relative, std::ios::binary) << bytes;
        return Path() / relative;
    }
    std::filesystem::path Mkdir(const std::string& relative) const
    {
        std::filesystem::create_directories(Path() / relative);
        return Path() / relative;
    }

private:
    QTemporaryDir m_dir{QDir::tempPath() + "/kestrune-test-XXXXXX"};
};

// The number of entries in a folder.
inline long EntriesIn(const std::filesystem::path& folder)
{
    return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
}

inline std::string ReadFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kestrune::test
