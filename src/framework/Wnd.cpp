#include "framework/Wnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <stdexcept>

namespace kestrune {

QString ControlText(const QWidget* control)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    return control->windowTitle();
}

// An edit given a text shows it from its first character, as a Windows edit does: Qt would leave
// the cursor at the end, so that a long text showed only its tail with no sign that it is cut.
void SetControlText(QWidget* control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        combo->setEditText(text);
        if (QLineEdit* field = combo->lineEdit())
            field->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else
        control->setWindowTitle(text);
}

void CWnd::Attach(QWidget* control)
{
    if (!control || !Accepts(control))
        throw std::logic_error("control handle attached to a control of another kind");
    m_hWnd = control;
}

bool CWnd::Accepts(const QWidget*) const
{
    return true;
}

QWidget* CWnd::Widget() const
{
    if (!m_hWnd)
        throw std::logic_error("control handle used before it was attached");
    return m_hWnd;
}

void CWnd::EnableWindow(bool enable)
{
    Send([w = Widget(), enable] { w->setEnabled(enable); });
}

bool CWnd::IsWindowEnabled() const
{
    return Send([w = Widget()] { return w->isEnabled(); });
}

void CWnd::SetWindowText(const std::string& text)
{
    Send([w = Widget(), &text] { SetControlText(w, QString::fromStdString(text)); });
}

std::string CWnd::GetWindowText() const
{
    return Send([w = Widget()] { return ControlText(w).toStdString(); });
}

void CWnd::UpdateWindow()
{
    Send([w = Widget()] { w->repaint(); });
}

int CButton::GetCheck() const
{
    return Send([b = static_cast<QAbstractButton*>(Widget())] { return b->isChecked() ? 1 : 0; });
}

void CButton::SetCheck(int check)
{
    Send([b = static_cast<QAbstractButton*>(Widget()), check] { b->setChecked(check != 0); });
}

bool CButton::Accepts(const QWidget* control) const
{
    return qobject_cast<const QAbstractButton*>(control) != nullptr;
}

bool CEdit::Accepts(const QWidget* control) const
{
    return qobject_cast<const QLineEdit*>(control) != nullptr;
}

bool CComboBox::Accepts(const QWidget* control) const
{
    return qobject_cast<const QComboBox*>(control) != nullptr;
}

bool CStatic::Accepts(const QWidget* control) const
{
    return qobject_cast<const QLabel*>(control) != nullptr;
}

}  // namespace kestrune
