#pragma once

// The subcommands of kestrune-bench. Each takes the arguments after its name and returns the exit code.
namespace kestrune::bench {

// load DIR: Load on every MP3 file below DIR.
int runLoad(int argc, char** argv);

}  // namespace kestrune::bench
