#pragma once

#include "framework/Dialog.h"

#include <QString>

#include <functional>
#include <memory>

class QAbstractItemView;
class QWidget;

namespace kestrune::test {

// The result RunModal and ModalWatcher give a dialog that its action left open.
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
// Types text into a widget one character at a time (Cyrillic included).
void Type(QWidget* widget, const QString& text);
void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Chooses a menu command as a click on its menu item does.
void ChooseMenu(const CDialog& dialog, int commandId);

// Runs dialog.DoModal() and, once the dialog is up and active, action(); a dialog that the
// action leaves open is ended with kStillOpen. Returns the dialog's result.
int RunModal(CDialog& dialog, const std::function<void()>& action);

// While it lives, runs action on every modal dialog that opens above the one active at its
// creation (such as a dialog a menu command opens), once it is active; a dialog the action leaves
// open is ended with kStillOpen. Create it inside a RunModal action, before the call that opens
// the dialog: that call returns only when the dialog has closed.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(CDialog&)> action = {});
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    // How many dialogs opened so far.
    int Count() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace kestrune::test
