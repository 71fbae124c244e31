#include "framework/DataExchange.h"

#include "framework/Dialog.h"
#include "framework/Wnd.h"

#include <QAbstractButton>
#include <QComboBox>

#include <charconv>
#include <stdexcept>

namespace kestrune {

QWidget* CDataExchange::PrepareCtrl(int id) const
{
    QWidget* control = m_pDlgWnd->GetDlgItem(id);
    if (!control)
        throw std::logic_error("data exchange names a control the dialog does not have: " + std::to_string(id));
    return control;
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (pDX->Failed())
        return;
    if (!control.GetSafeHwnd())
        control.Attach(pDX->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    if (pDX->Failed())
        return;
    QWidget* control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(control).toStdString();
    else
        SetControlText(control, QString::fromStdString(value));
}

bool ParseDecimalInt(const std::string& text, int& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (first != last && blank(*first))
        ++first;
    while (last != first && blank(last[-1]))
        --last;
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-')
            return false;
    }
    int parsed = 0;
    auto [end, ec] = std::from_chars(first, last, parsed);
    if (ec != std::errc() || end != last || first == last)
        return false;
    value = parsed;
    return true;
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    if (pDX->Failed())
        return;
    QWidget* control = pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetControlText(control, QString::number(value));
        return;
    }
    if (!ParseDecimalInt(ControlText(control).toStdString(), value))
        pDX->Fail();
}

void DDX_CBString(CDataExchange* pDX, int id, std::string& value)
{
    if (pDX->Failed())
        return;
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(id));
    if (!combo)
        throw std::logic_error("DDX_CBString on a control that is not a combo box");
    if (pDX->m_bSaveAndValidate) {
        value = combo->currentText().toStdString();
        return;
    }
    const QString text = QString::fromStdString(value);
    const int index = combo->findText(text, Qt::MatchFixedString);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setEditText(text);
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    if (pDX->Failed())
        return;
    auto* box = qobject_cast<QAbstractButton*>(pDX->PrepareCtrl(id));
    if (!box)
        throw std::logic_error("DDX_Check on a control that is not a tick box");
    if (pDX->m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

}  // namespace kestrune
