#include "BenchCommands.h"

#include "browser/FolderScan.h"
#include "save/SaveLoop.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::bench {

namespace {

// Title and artist into every file of a list.
class BenchSave : public SaveLoopClient {
public:
    BenchSave(const std::vector<std::string>& files, BenchTexts texts) : m_files(files), m_texts(std::move(texts)) {}

    bool StopRequested() override { return false; }
    std::optional<std::string> NextFile() override
    {
        if (m_next == m_files.size())
            return std::nullopt;
        return m_files[m_next++];
    }
    const std::string* TextFor(const TagField& field) override
    {
        return field.id == TagFieldId::Title ? &m_texts.title : field.id == TagFieldId::Artist ? &m_texts.artist : nullptr;
    }
    void FileProgress(int) override {}
    void FileDone(const std::string&, const FileSaveResult&) override {}

private:
    const std::vector<std::string>& m_files;
    BenchTexts m_texts;
    size_t m_next = 0;
};

}  // namespace

std::string WithSlash(const std::string& folder)
{
    return folder.empty() || folder.back() != '/' ? folder + "/" : folder;
}

BenchTexts BenchTextsFrom(int argc, char** argv)
{
    BenchTexts texts;
    if (argc == 3) {
        texts.title = argv[1];
        texts.artist = argv[2];
    }
    return texts;
}

std::vector<std::string> Mp3FilesBelow(const std::string& folder)
{
    std::vector<std::string> relative;
    for (const std::string& sub : WalkFolderTree(folder))
        ScanFiles(folder, sub, relative);
    std::vector<std::string> files;
    files.reserve(relative.size());
    for (const std::string& r : relative)
        files.push_back(folder + r);
    return files;
}

int ReportSaveRun(size_t files, size_t notWritten, double seconds)
{
    if (notWritten)
        std::fprintf(stderr, "%zu files not written\n", notWritten);
    std::printf("%.0f files/s\n", seconds > 0 ? files / seconds : 0.0);
    std::printf("%zu files in %.3f s\n", files, seconds);
    return notWritten ? 1 : 0;
}

// The same loop the Save command's worker runs, without a window: the file list is gathered first.
int RunSave(int argc, char** argv)
{
    if (argc != 1 && argc != 3) {
        std::fprintf(stderr, "usage: kestrune-bench save DIR [TITLE ARTIST]\n");
        return 2;
    }
    const std::vector<std::string> files = Mp3FilesBelow(WithSlash(argv[0]));
    BenchSave client(files, BenchTextsFrom(argc, argv));
    const auto start = std::chrono::steady_clock::now();
    const SaveLoopResult run = RunSaveLoop(client);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const NotWrittenFile& f : run.notWritten)
        std::fprintf(stderr, "not written: %s: %s\n", f.path.c_str(), f.failure.detail.c_str());
    return ReportSaveRun(static_cast<size_t>(run.files), run.notWritten.size(), seconds);
}

}  // namespace kestrune::bench
