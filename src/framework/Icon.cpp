#include "framework/Icon.h"

#include "framework/DialogTemplate.h"

namespace kestrune {

QIcon LoadIcon(int id)
{
    const char* path = FindIconPath(id);
    return path ? QIcon(QString::fromUtf8(path)) : QIcon();
}

}  // namespace kestrune
