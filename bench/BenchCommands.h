#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The subcommands of kestrune-bench. Each takes the arguments after its name and returns the exit code.
namespace kestrune::bench {

// load DIR: Load on every MP3 file below DIR.
int RunLoad(int argc, char** argv);

// save DIR [TITLE ARTIST]: title and artist (default "Bench Title", "Bench Artist") into every MP3
// file below DIR through the save loop of the Save command.
int RunSave(int argc, char** argv);
// save-gui DIR [TITLE ARTIST]: the same through the real main window: "S", "A", the ticks and Save
// (headless).
int RunSaveGui(int argc, char** argv);

// Shared by the save benchmarks: DIR with a trailing "/", the MP3 files below it in the order the
// window lists them with "S", and the closing report ("<files> files in <seconds> s" last).
std::string WithSlash(const std::string& folder);
// The title and artist a save benchmark writes: its arguments after DIR, or the defaults.
struct BenchTexts {
    std::string title = "Bench Title";
    std::string artist = "Bench Artist";
};
BenchTexts BenchTextsFrom(int argc, char** argv);
std::vector<std::string> Mp3FilesBelow(const std::string& folder);
int ReportSaveRun(size_t files, size_t notWritten, double seconds);
// scan DIR [--recursive]: the main window's fill of DIR, flat or with its sub-folders.
int RunScan(int argc, char** argv);
// select-all DIR: "A" on the sub-folder list of DIR.
int RunSelectAll(int argc, char** argv);

}  // namespace kestrune::bench
