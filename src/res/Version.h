#pragma once

// The product's name and version, shown in the About box and the window captions.
namespace kestrune {
extern const char* const kProductName;
extern const char* const kProductVersion;
}  // namespace kestrune
