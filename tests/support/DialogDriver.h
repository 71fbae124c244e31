#pragma once

#include "framework/Dialog.h"

#include <QString>

#include <functional>

class QAbstractItemView;
class QWidget;

namespace kestrune::test {

// The result RunModal gives a dialog that its action left open.
inline constexpr int kStillOpen = -1;

// The control with this id; records a test failure and returns null when there is none.
QWidget* Control(const CDialog& dialog, int id);
template <class W>
W* ControlAs(const CDialog& dialog, int id)
{
    return qobject_cast<W*>(Control(dialog, id));
}
// The control's text as the user sees it (edit text, label, caption).
QString Text(const CDialog& dialog, int id);

// A left click where the user would click: a tick box on its box, anything else in its middle.
void Click(QWidget* control);
void Click(const CDialog& dialog, int id);
// What a real double-click on a view's item delivers: press, release, double-click, release.
void DoubleClick(QAbstractItemView* view, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// Types text into a widget one character at a time (Cyrillic included), with the modifiers held.
void Type(QWidget* widget, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Chooses a menu command as a click on its menu item does.
void ChooseMenu(const CDialog& dialog, int commandId);

// Runs dialog.DoModal() and, once the dialog is up and active, action(); a dialog that the
// action leaves open is ended with kStillOpen. Returns the dialog's result.
int RunModal(CDialog& dialog, const std::function<void()>& action);

}  // namespace kestrune::test
