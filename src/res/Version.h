#pragma once

// The product's name and version, shown in the About box and the window captions, and its
// application id (the name of its desktop entry and metainfo). The version and the id come from the
// build (CMakeLists.txt), which defines them once for the program and its package.
namespace kestrune {
extern const char* const kProductName;
extern const char* const kProductVersion;
extern const char* const kAppId;
}  // namespace kestrune
