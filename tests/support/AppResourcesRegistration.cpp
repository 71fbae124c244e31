// The program's resources, registered before main: the window tests build the program's dialogs.
#include "res/AppResources.h"

namespace {
[[maybe_unused]] const bool kRegistered = (kestrune::RegisterKestruneResources(), true);
}  // namespace
