#pragma once

#include <string>
#include <vector>

namespace kestrune {

// One string of the program's string table.
struct StringResource {
    unsigned id;
    std::string text;  // UTF-8
};

// The program's whole string table, in ascending identifier order, one entry per identifier.
// Code loads strings through LoadString (settings/StringResources.h), not from here.
std::vector<StringResource> MakeStringTable();

}  // namespace kestrune
