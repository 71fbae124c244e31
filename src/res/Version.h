#pragma once

// The product's name and version, shown in the About box and the window captions, and its
// application id (the name of its desktop entry and metainfo). The version and the id come from the
// build (CMakeLists.txt), which defines them once for the program and its package. kLanguage is
// the language of the program's texts, as Qt names its catalogues: Qt's own texts are loaded in it.
namespace kestrune {
extern const char* const kProductName;
extern const char* const kProductVersion;
extern const char* const kAppId;
extern const char* const kLanguage;
}  // namespace kestrune
