#include "support/DialogDriver.h"

#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

namespace kestrune::test {

QWidget* Control(const CDialog& dialog, int id)
{
    QWidget* control = dialog.GetDlgItem(id);
    if (!control)
        ADD_FAILURE() << "dialog " << dialog.GetTemplateId() << " has no control " << id;
    return control;
}

QString Text(const CDialog& dialog, int id)
{
    QWidget* control = Control(dialog, id);
    return control ? ControlText(control) : QString();
}

void Click(QWidget* control)
{
    if (!control)
        return;
    QPoint at = control->rect().center();
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    }
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, at);
}

void Click(const CDialog& dialog, int id)
{
    Click(Control(dialog, id));
}

void DoubleClick(QAbstractItemView* view, QPoint at, Qt::MouseButton button)
{
    QTest::mouseClick(view->viewport(), button, Qt::NoModifier, at);
    QTest::mouseDClick(view->viewport(), button, Qt::NoModifier, at);
    QTest::mouseRelease(view->viewport(), button, Qt::NoModifier, at);
}

void Type(QWidget* widget, const QString& text, Qt::KeyboardModifiers modifiers)
{
    // QTest::keyClicks aborts on non-ASCII text; one key event per character works.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), modifiers);
}

void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(widget, key, modifiers);
}

void ChooseMenu(const CDialog& dialog, int commandId)
{
    QAction* action = dialog.GetMenuCommand(commandId);
    ASSERT_NE(action, nullptr) << "dialog " << dialog.GetTemplateId() << " has no menu command " << commandId;
    action->trigger();
}

int RunModal(CDialog& dialog, const std::function<void()>& action)
{
    bool ran = false;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        action();
        ran = true;
        if (dialog.isVisible())
            dialog.EndDialog(kStillOpen);
    });
    const int result = dialog.DoModal();
    EXPECT_TRUE(ran) << "the dialog ended before its action ran";
    return result;
}

}  // namespace kestrune::test
