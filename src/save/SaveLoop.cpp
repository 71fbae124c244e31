#include "save/SaveLoop.h"

#include "tag/Mp3File.h"

#include <malloc.h>

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace kestrune {

namespace {

std::function<void(const std::string&, int)> g_stepHookForTests;

void Report(SaveLoopClient& client, const std::string& path, int step)
{
    client.FileProgress(step);
    if (g_stepHookForTests)
        g_stepHookForTests(path, step);
}

// Steps 0 to kSaveStepsPerFile - 1: loads the file and sets the texts the client gives.
std::unique_ptr<CMp3File> LoadAndSet(const std::string& path, SaveLoopClient& client)
{
    auto record = std::make_unique<CMp3File>(path);
    int step = 0;
    Report(client, path, step);
    record->Load();
    Report(client, path, ++step);
    for (size_t index : kSaveFieldSteps) {
        const TagField& field = kTagFields[index];
        if (const std::string* text = client.TextFor(field))
            (record.get()->*field.set)(*text);
        Report(client, path, ++step);
    }
    return record;
}

FileSaveResult ResultOf(const CMp3File& record)
{
    FileSaveResult result;
    result.written = record.GetSaveFailure().reason == SaveReason::None;
    if (!result.written)
        result.failure = record.GetSaveFailure();
    return result;
}

// Files saved and not yet reported, in the order they came. A file that goes through a new file is
// staged: its new file written but not flushed. The flushes of a batch are made together, which on a
// disk costs little more than one, then the files are renamed; a file's save step ends with its
// rename, so the last step and the report of every file of the batch come then, in order.
class SaveBatch {
public:
    SaveBatch(SaveLoopClient& client, SaveLoopResult& run) : m_client(client), m_run(run) {}

    void Save(const std::string& path, std::unique_ptr<CMp3File> record)
    {
        record->StageSave();
        if (record->GetSaveFailure().reason == SaveReason::Busy && m_staged > 0) {
            // The file may be one of the batch under another name (a link to it): the lock is ours.
            Complete();
            record->StageSave();
        }
        m_bytes += record->StagedBytes();
        m_staged += record->IsStaged() ? 1 : 0;
        m_files.push_back({path, std::move(record)});
        if (m_staged == 0 || m_staged == kBatchFiles || m_bytes >= kBatchBytes)
            Complete();
    }

    void Complete()
    {
        std::vector<CMp3File*> staged;
        for (const Handled& file : m_files)
            if (file.record->IsStaged())
                staged.push_back(file.record.get());
        CMp3File::CommitStaged(staged);
        for (const Handled& file : m_files) {
            const FileSaveResult result = ResultOf(*file.record);
            Report(m_client, file.path, kSaveStepsPerFile);
            ++m_run.files;
            if (!result.written)
                m_run.notWritten.push_back({file.path, result.failure});
            m_client.FileDone(file.path, result);
        }
        m_files.clear();
        m_staged = 0;
        m_bytes = 0;
    }

private:
    // Enough to share the disk's flushes; few enough that the files' locks, descriptors and tags held
    // meanwhile stay small, and that Cancel waits little.
    static constexpr size_t kBatchFiles = 32;
    static constexpr unsigned long long kBatchBytes = 64ull << 20;

    struct Handled {
        std::string path;
        std::unique_ptr<CMp3File> record;
    };

    SaveLoopClient& m_client;
    SaveLoopResult& m_run;
    std::vector<Handled> m_files;
    size_t m_staged = 0;
    unsigned long long m_bytes = 0;
};

}  // namespace

void SetSaveStepHookForTests(std::function<void(const std::string& path, int step)> hook)
{
    g_stepHookForTests = std::move(hook);
}

FileSaveResult SaveFile(const std::string& path, SaveLoopClient& client)
{
    const std::unique_ptr<CMp3File> record = LoadAndSet(path, client);
    record->Save();
    Report(client, path, kSaveStepsPerFile);
    return ResultOf(*record);
}

SaveLoopResult RunSaveLoop(SaveLoopClient& client)
{
    // A file's tag with a picture takes buffers of hundreds of kilobytes. By default glibc hands such
    // memory back to the system after every file, and the next file's buffers fault in page by page
    // anew, which cost more than the rest of a small save; kept, they are reused.
    static std::once_flag keepMemory;
    std::call_once(keepMemory, [] {
        mallopt(M_MMAP_THRESHOLD, 64 << 20);
        mallopt(M_TRIM_THRESHOLD, 128 << 20);
    });
    SaveLoopResult run;
    SaveBatch batch(client, run);
    while (!client.StopRequested()) {
        std::optional<std::string> path = client.NextFile();
        if (!path)
            break;
        batch.Save(*path, LoadAndSet(*path, client));
    }
    batch.Complete();  // on Cancel too: the files in hand are completed
    return run;
}

}  // namespace kestrune
