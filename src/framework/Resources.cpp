#include "framework/Resources.h"

#include <algorithm>
#include <vector>

namespace kestrune {

namespace {

std::vector<ResourceSet>& Registered()
{
    static std::vector<ResourceSet> sets;
    return sets;
}

// The first registered resource with this id, or null.
template <class T>
const T* Find(std::span<const T> ResourceSet::*table, int id)
{
    for (const ResourceSet& set : Registered())
        for (const T& resource : set.*table)
            if (resource.id == id)
                return &resource;
    return nullptr;
}

}  // namespace

void RegisterResources(const ResourceSet& resources)
{
    std::vector<ResourceSet>& sets = Registered();
    const bool known = std::any_of(sets.begin(), sets.end(), [&](const ResourceSet& s) {
        return s.dialogs.data() == resources.dialogs.data() && s.menus.data() == resources.menus.data() &&
               s.accelerators.data() == resources.accelerators.data() && s.icons.data() == resources.icons.data();
    });
    if (!known)
        sets.push_back(resources);
}

const DialogTemplate* FindDialogTemplate(int id)
{
    return Find(&ResourceSet::dialogs, id);
}

const MenuTemplate* FindMenuTemplate(int id)
{
    return Find(&ResourceSet::menus, id);
}

const AcceleratorTable* FindAcceleratorTable(int id)
{
    return Find(&ResourceSet::accelerators, id);
}

const char* FindIconPath(int id)
{
    const IconResource* icon = Find(&ResourceSet::icons, id);
    return icon ? icon->path : nullptr;
}

}  // namespace kestrune
