#pragma once

#include <filesystem>
#include <string>

namespace kestrune::test {

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as the program writes it: with a trailing "/".
    std::string Str() const { return m_path.string() + "/"; }
    // Writes bytes to a file below the folder, creating parent folders; returns its path.
    std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;
    std::filesystem::path Mkdir(const std::string& relative) const;

private:
    std::filesystem::path m_path;
};

std::string ReadFile(const std::filesystem::path& p);
// Path of a file of the real-world sample corpus, or empty when the corpus is absent.
std::filesystem::path CorpusFile(const std::string& name);

}  // namespace kestrune::test
