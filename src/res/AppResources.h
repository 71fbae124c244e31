#pragma once

#include "framework/Resources.h"

#include <span>

namespace kestrune {

// The program's dialog templates (DialogTemplates.cpp), and its menu, accelerator table and icon
// (MenuResources.cpp).
std::span<const DialogTemplate> KestruneDialogs();
std::span<const MenuTemplate> KestruneMenus();
std::span<const AcceleratorTable> KestruneAccelerators();
std::span<const IconResource> KestruneIcons();

// Gives the dialog layer the program's resources; every start-up (the application, the tools, the
// test programs) calls it before the first dialog. Calling it again changes nothing.
void RegisterKestruneResources();

}  // namespace kestrune
