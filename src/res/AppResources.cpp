#include "res/AppResources.h"

#include <QtGlobal>

// The icon's resource file is compiled into a static library; naming it here keeps the linker
// from dropping it. Q_INIT_RESOURCE must be used outside any namespace.
static void InitQtResources()
{
    Q_INIT_RESOURCE(kestrune);
}

namespace kestrune {

void RegisterKestruneResources()
{
    InitQtResources();
    RegisterResources({KestruneDialogs(), KestruneMenus(), KestruneAccelerators(), KestruneIcons()});
}

}  // namespace kestrune
