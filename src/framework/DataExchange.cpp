#include "framework/DataExchange.h"

#include "framework/Dialog.h"
#include "framework/Wnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QUtf8StringView>

#include <charconv>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kestrune {

CDataExchange::CDataExchange(CDialog* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog), m_pShown(&dialog->m_shown)
{
}

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

namespace {

// The controls whose every change of text the dialog hears of (CDialog::ConnectControl).
bool TextChangesReported(const QWidget* control)
{
    if (qobject_cast<const QLineEdit*>(control))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(control);
    return combo && combo->isEditable();
}

// Writes text into the binding's control unless the control shows it already, as the Windows
// framework's show does: rewriting an edit with its own text would reset its cursor, selection and
// undo history. Whatever the write sets off may change the control again, so the text is
// remembered only if the control still shows it afterwards.
void WriteText(CDataExchange* pDX, std::size_t index, std::string text)
{
    QWidget* control = pDX->Binding(index).control;
    const QString shown = QUtf8StringView(text).toString();  // bytes that are not UTF-8 show as U+FFFD
    if (ControlText(control) != shown)
        SetControlText(control, shown);
    ShownBinding& binding = pDX->Binding(index);
    binding.textKnown = binding.control == control && binding.textReported && ControlText(control) == shown;
    if (binding.textKnown)
        binding.text = std::move(text);
}

void ShowText(CDataExchange* pDX, std::size_t index, const std::string& text)
{
    const ShownBinding& binding = pDX->Binding(index);
    if (binding.textKnown && binding.text == text)
        return;  // the control shows this text and has not changed since
    WriteText(pDX, index, text);
}

}  // namespace

const std::string* CDataExchange::ShownText(int id, const QWidget* control) const
{
    for (const ShownBinding& binding : *m_pShown)
        if (binding.id == id && binding.control == control && binding.textKnown)
            return &binding.text;
    return nullptr;
}

void CDataExchange::StartBinding(std::size_t index, int id)
{
    QWidget* control = PrepareCtrl(id);
    if (index >= m_pShown->size())
        m_pShown->resize(index + 1);
    ShownBinding& binding = (*m_pShown)[index];
    binding = ShownBinding{};
    binding.id = id;
    binding.control = control;
    binding.button = qobject_cast<QAbstractButton*>(control);
    binding.textReported = TextChangesReported(control);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    if (pDX->Failed())
        return;
    if (!pDX->m_bSaveAndValidate) {
        ShowText(pDX, pDX->NextBinding(id), value);
        return;
    }
    // A text that is not UTF-8 (a folder named in another encoding) cannot be shown as it is. While the
    // control still shows what the last show wrote, the store gives back those bytes, not the shown form.
    QWidget* control = pDX->PrepareCtrl(id);
    const std::string* shown = pDX->ShownText(id, control);
    value = shown ? *shown : ControlText(control).toStdString();
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
    if (!pDX->m_bSaveAndValidate) {
        ShowText(pDX, pDX->NextBinding(id), std::to_string(value));
        return;
    }
    if (!ParseDecimalInt(ControlText(pDX->PrepareCtrl(id)).toStdString(), value))
        pDX->Fail();
}

void DDX_CBString(CDataExchange* pDX, int id, std::string& value)
{
    if (pDX->Failed())
        return;
    if (pDX->m_bSaveAndValidate) {
        auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(id));
        if (!combo)
            throw std::logic_error("DDX_CBString on a control that is not a combo box");
        value = combo->currentText().toStdString();
        return;
    }
    const std::size_t index = pDX->NextBinding(id);
    auto* combo = qobject_cast<QComboBox*>(pDX->Binding(index).control);
    if (!combo)
        throw std::logic_error("DDX_CBString on a control that is not a combo box");
    if (combo->count() == 0) {  // nothing to select: only the edit field's text
        ShowText(pDX, index, value);
        return;
    }
    const int found = combo->findText(QString::fromStdString(value), Qt::MatchFixedString);
    if (found >= 0)
        combo->setCurrentIndex(found);
    else
        WriteText(pDX, index, value);
}

// Tick boxes here have two states, so a box that already shows the value is left alone.
void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    if (pDX->Failed())
        return;
    QAbstractButton* box = pDX->m_bSaveAndValidate ? qobject_cast<QAbstractButton*>(pDX->PrepareCtrl(id))
                                                   : pDX->Binding(pDX->NextBinding(id)).button;
    if (!box)
        throw std::logic_error("DDX_Check on a control that is not a tick box");
    if (pDX->m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else if (box->isChecked() != (value != 0))
        box->setChecked(value != 0);
}

}  // namespace kestrune
