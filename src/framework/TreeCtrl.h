#pragma once

#include "framework/Wnd.h"

#include <QTreeWidget>

namespace kestrune {

// Handle on a tree view. Nothing fills a tree here: the handle only binds it.
class CTreeCtrl : public CWnd {
protected:
    bool Accepts(const QWidget* control) const override { return qobject_cast<const QTreeWidget*>(control); }
};

}  // namespace kestrune
