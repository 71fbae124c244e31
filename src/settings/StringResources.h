#pragma once

#include <string>

namespace kestrune {

// The string with the given identifier from the program's string table (UTF-8); the empty string when the
// table has none. Safe to call from any thread.
std::string LoadString(unsigned id);

}  // namespace kestrune
