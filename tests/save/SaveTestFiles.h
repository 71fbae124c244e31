#pragma once

#include "save/SaveLoop.h"
#include "tag/TagTestSupport.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Files for the save tests: MP3 files whose twelve fields hold texts that name the file, what a saved
// file holds afterwards (read without the save code), and a save loop client that records the run.
namespace kestrune::test {

// "<name> <field>", or a well-formed value for the fields that have a form.
inline std::string OriginalText(const std::string& name, std::string_view field)
{
    static const std::map<std::string_view, std::string> formed = {
        {"year", "1999"}, {"track number", "7/12"}, {"genre", "Jazz"}, {"URL", "http://example.com/"}};
    const auto it = formed.find(field);
    return it == formed.end() ? name + " " + std::string(field) : it->second + (field == "URL" ? name : "");
}

// A v2.3 file with all twelve frames, each holding OriginalText(name, field).
inline std::string TaggedMp3(const std::string& name)
{
    Mp3Spec mp3{.padding = 256};
    for (const TagField& field : kTagFields)
        mp3.frames.push_back(FieldFrame(field, OriginalText(name, field.name)));
    return MakeMp3(mp3);
}

// Runs a function on the loop's thread at every step of every file of the runs made while it lives.
struct StepHook {
    explicit StepHook(std::function<void(const std::string& path, int step)> hook)
    {
        SetSaveStepHookForTests(std::move(hook));
    }
    ~StepHook() { SetSaveStepHookForTests({}); }
};

// Saves `title` (none: nothing ticked) into a list of files and records what the loop asks and reports;
// `atDone` runs at each report.
class ListSave : public SaveLoopClient {
public:
    std::vector<std::string> files, done, asked;  // the files; those reported; fields asked for, by name
    std::vector<int> steps;
    std::optional<std::string> title;
    bool stop = false;
    std::function<void(const std::string& path)> atDone;

    bool StopRequested() override { return stop; }
    std::optional<std::string> NextFile() override
    {
        return m_next == files.size() ? std::nullopt : std::optional(files[m_next++]);
    }
    const std::string* TextFor(const TagField& field) override
    {
        asked.emplace_back(field.name);
        return field.id == TagFieldId::Title && title ? &*title : nullptr;
    }
    void FileProgress(int step) override { steps.push_back(step); }
    void FileDone(const std::string& path, const FileSaveResult&) override
    {
        if (atDone)
            atDone(path);
        done.push_back(path);
    }
    size_t m_next = 0;
};

}  // namespace kestrune::test
