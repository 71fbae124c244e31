#pragma once

#include "tag/TagFields.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Writing chosen fields into many files, one file after another: load, set the chosen texts, save.
// No widgets here: the Save command's worker thread drives it, and so does the benchmark.
namespace kestrune {

// The field steps of a file, in the order they run: indices into kTagFields, alphabetical by the
// fields' English names.
inline constexpr std::array<size_t, kTagFieldCount> kSaveFieldSteps = [] {
    using enum TagFieldId;
    constexpr std::array<TagFieldId, kTagFieldCount> order = {
        Album, Artist, Comment, Composer, Copyright, EncodedBy, Genre, OrigArtist, Title, Track, Url, Year};
    static_assert(NamesEachFieldOnce(order));
    constexpr auto before = [](TagFieldId a, TagFieldId b) {  // by English name, ignoring case
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        const std::string_view x = FieldOf(a).name, y = FieldOf(b).name;
        return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                            [&](char p, char q) { return lower(p) < lower(q); });
    };
    static_assert(std::is_sorted(order.begin(), order.end(), before));
    std::array<size_t, kTagFieldCount> steps{};
    for (size_t i = 0; i < steps.size(); ++i)
        steps[i] = Index(order[i]);
    return steps;
}();

// Steps of one file: loading, one per field, saving.
inline constexpr int kSaveStepsPerFile = 2 + static_cast<int>(kTagFields.size());

struct FileSaveResult {
    bool written = false;
    SaveFailure failure;  // why the file was not written (the tag record's reason)
};

struct NotWrittenFile {
    std::string path;
    SaveFailure failure;
};

struct SaveLoopResult {
    int files = 0;                         // files handled, written or not
    std::vector<NotWrittenFile> notWritten;  // in the order they were handled
};

// What a save run asks of the one who runs it. Every call comes from the thread that runs the loop.
class SaveLoopClient {
public:
    virtual ~SaveLoopClient() = default;

    // Asked before each file; true ends the run before that file.
    virtual bool StopRequested() = 0;
    // The path of the next file, or nothing when the run is complete.
    virtual std::optional<std::string> NextFile() = 0;
    // The text to put into a field, or null to keep the file's own text. Asked at the field's step.
    virtual const std::string* TextFor(const TagField& field) = 0;
    // A file has made `step` steps: 0 before loading, then one more after loading, after each field
    // step and after saving, up to kSaveStepsPerFile. A file saved through a new file makes its last
    // step when the new file is renamed, which may come after later files' first steps (see RunSaveLoop).
    virtual void FileProgress(int step) = 0;
    // The file is done, written or not; right after its last step, in the order the files came.
    virtual void FileDone(const std::string& path, const FileSaveResult& result) = 0;
};

// Loads the file's tag, replaces the fields the client gives texts for, in the order of
// kSaveFieldSteps, and saves all twelve fields, on its own (no batch). Unchosen fields keep their text; missing frames are
// added. A file that cannot be written is left as it was.
FileSaveResult SaveFile(const std::string& path, SaveLoopClient& client);

// Saves file after file until the client has no next file or asks to stop (asked before each file,
// so the files in hand are always completed). Files that go through a new file are saved in batches
// (up to 32 files or 64 MB): their new files are written, then flushed together, then renamed, and
// only then reported done; a stop completes the batch in hand.
SaveLoopResult RunSaveLoop(SaveLoopClient& client);

// A seam for tests that must act at an exact point of a run driven from elsewhere (such as Cancel
// during file k): called on the loop's thread right after the client has heard of each step, with
// the file's path and the step. Set or clear it only while no run is going on.
void SetSaveStepHookForTests(std::function<void(const std::string& path, int step)> hook);

}  // namespace kestrune
