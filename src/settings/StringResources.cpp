#include "settings/StringResources.h"

#include "res/StringTable.h"

#include <algorithm>
#include <vector>

namespace kestrune {

std::string LoadString(unsigned id)
{
    // Built once, on first use (thread-safe initialisation), and only read afterwards.
    static const std::vector<StringResource> table = MakeStringTable();
    auto it = std::lower_bound(table.begin(), table.end(), id,
                               [](const StringResource& s, unsigned wanted) { return s.id < wanted; });
    return it != table.end() && it->id == id ? it->text : std::string();
}

}  // namespace kestrune
