// libFuzzer target for the tag record: the input is an MP3 file. It is loaded, given new texts in
// every field (which set depends on the input's length) and saved, and every promise of a save is
// checked (see support/SaveRoundTrip.h); a broken one aborts. The sanitizers catch the rest:
// overflows, leaks, undefined behaviour.

#include "support/SaveRoundTrip.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path g_dir;
fs::path g_file;

void RemoveWorkDir()
{
    std::error_code ec;
    fs::remove_all(g_dir, ec);
}

// A folder of our own, in memory where possible: the record flushes every file it replaces.
void MakeWorkDir()
{
    const fs::path base = ::access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string tmpl = (base / "kestrune-fuzz-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    g_dir = tmpl;
    g_file = g_dir / "song.mp3";
    std::atexit(RemoveWorkDir);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    MakeWorkDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream out(g_file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) {
            std::perror("cannot write the input file");
            std::abort();
        }
    }
    const std::string problem = kestrune::test::SaveRoundTripProblem(g_file, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "tag record promise broken: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
