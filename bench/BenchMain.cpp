#include "BenchCommands.h"

#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char* name;
    const char* arguments;
    int (*run)(int argc, char** argv);
};

constexpr Command kCommands[] = {
    {"load", "DIR", kestrune::bench::RunLoad},
    {"save", "DIR [TITLE ARTIST]", kestrune::bench::RunSave},
    {"save-gui", "DIR [TITLE ARTIST]", kestrune::bench::RunSaveGui},
    {"scan", "DIR [--recursive]", kestrune::bench::RunScan},
    {"select-all", "DIR", kestrune::bench::RunSelectAll},
};

int Usage()
{
    std::fprintf(stderr, "usage:\n");
    for (const Command& c : kCommands)
        std::fprintf(stderr, "  kestrune-bench %s %s\n", c.name, c.arguments);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(argc - 2, argv + 2);
    return Usage();
}
