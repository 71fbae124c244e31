#include "res/Version.h"

namespace kestrune {
const char* const kProductName = "Kestrune";
const char* const kProductVersion = KESTRUNE_VERSION;
const char* const kAppId = KESTRUNE_APP_ID;
const char* const kLanguage = "ru";
}  // namespace kestrune
