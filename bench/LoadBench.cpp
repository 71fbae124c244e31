#include "BenchCommands.h"

#include "tag/Mp3File.h"
#include "tag/TagFields.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrune::bench {

namespace {

namespace fs = std::filesystem;

bool IsMp3(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".mp3";
}

}  // namespace

// Times Load alone: the file list is gathered first.
int RunLoad(int argc, char** argv)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: kestrune-bench load DIR\n");
        return 2;
    }
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(argv[0], fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec) && IsMp3(it->path()))
            files.push_back(it->path().string());
    if (ec) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[0], ec.message().c_str());
        return 1;
    }

    size_t textBytes = 0;  // used, so that nothing of the loading can be left out
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& file : files) {
        CMp3File record(file);
        record.Load();
        for (const TagField& field : kTagFields)
            textBytes += (record.*field.get)().size();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu bytes of text, %.0f files/s\n", textBytes, seconds > 0 ? files.size() / seconds : 0.0);
    std::printf("%zu files in %.3f s\n", files.size(), seconds);
    return 0;
}

}  // namespace kestrune::bench
