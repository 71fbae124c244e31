#include "framework/Icon.h"

#include "framework/DialogTemplate.h"

// The resource file is compiled into a static library; naming it here keeps the linker from
// dropping it. Q_INIT_RESOURCE must be used outside any namespace.
static void InitIconResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(kestrune);
        return true;
    }();
    (void)done;
}

namespace kestrune {

QIcon LoadIcon(int id)
{
    InitIconResources();
    const char* path = FindIconPath(id);
    return path ? QIcon(QString::fromUtf8(path)) : QIcon();
}

}  // namespace kestrune
