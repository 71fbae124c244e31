#pragma once

#include "framework/DialogTemplate.h"

#include <span>

namespace kestrune {

// An icon resource: its id and the Qt resource path of its picture.
struct IconResource {
    int id;
    const char* path;
};

// The resources of an application, as static tables that live as long as the program.
struct ResourceSet {
    std::span<const DialogTemplate> dialogs;
    std::span<const MenuTemplate> menus;
    std::span<const AcceleratorTable> accelerators;
    std::span<const IconResource> icons;
};

// Makes the set's resources known to the dialog layer: an application registers its own at
// start-up, before its first dialog. Registering the same set again changes nothing.
// \note Not thread-safe: register on the window thread before any dialog exists.
void RegisterResources(const ResourceSet& resources);

}  // namespace kestrune
