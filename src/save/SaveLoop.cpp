#include "save/SaveLoop.h"

#include "tag/Mp3File.h"

#include <malloc.h>

#include <mutex>
#include <utility>

namespace kestrune {

namespace {

std::function<void(const std::string&, int)> g_stepHookForTests;

void Report(SaveLoopClient& client, const std::string& path, int step)
{
    client.FileProgress(step);
    if (g_stepHookForTests)
        g_stepHookForTests(path, step);
}

}  // namespace

void SetSaveStepHookForTests(std::function<void(const std::string& path, int step)> hook)
{
    g_stepHookForTests = std::move(hook);
}

FileSaveResult SaveFile(const std::string& path, SaveLoopClient& client)
{
    CMp3File record(path);
    int step = 0;
    Report(client, path, step);
    record.Load();
    Report(client, path, ++step);
    for (size_t index : kSaveFieldSteps) {
        const TagField& field = kTagFields[index];
        if (const std::string* text = client.TextFor(field))
            (record.*field.set)(*text);
        Report(client, path, ++step);
    }
    FileSaveResult result;
    result.written = record.Save();
    if (!result.written)
        result.failure = record.GetSaveFailure();
    Report(client, path, ++step);
    return result;
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
    while (!client.StopRequested()) {
        std::optional<std::string> path = client.NextFile();
        if (!path)
            break;
        FileSaveResult result = SaveFile(*path, client);
        ++run.files;
        if (!result.written)
            run.notWritten.push_back({*path, result.failure});
        client.FileDone(*path, result);
    }
    return run;
}

}  // namespace kestrune
