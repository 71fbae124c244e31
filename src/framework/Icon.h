#pragma once

#include <QIcon>

namespace kestrune {

// The icon resource with this id; a null icon when there is none.
QIcon LoadIcon(int id);

}  // namespace kestrune
