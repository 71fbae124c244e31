#include "res/Version.h"

namespace kestrune {
const char* const kProductName = "Kestrune";
const char* const kProductVersion = "1.0.0";
}  // namespace kestrune
