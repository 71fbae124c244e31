#pragma once

#include <cstddef>
#include <string>
#include <vector>

class QAbstractButton;
class QWidget;

namespace kestrune {

class CDialog;
class CWnd;

// What the last show wrote into one bound control. A dialog's exchange visits the same bindings in
// the same order every time, so a binding is known by its position and its control is looked up
// once. A text is remembered only while the control still shows it: every change of an edit's or
// an editable combo box's text makes the dialog forget it (CDialog::ForgetShown). A show passes
// over a control whose member still holds the remembered text, which keeps a show that follows
// every selection change of a long list cheap.
struct ShownBinding {
    int id = 0;
    QWidget* control = nullptr;
    QAbstractButton* button = nullptr;  // the control, when it is a button (tick boxes)
    bool textReported = false;  // the dialog hears of every change of this control's text
    bool textKnown = false;     // the control shows `text` and has not changed since
    std::string text;
};

// One run of a dialog's data exchange: "show" copies members into controls, "store"
// (m_bSaveAndValidate) copies controls into members. A store that meets a text it cannot convert
// fails: the bindings after it are skipped and UpdateData reports false.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate);

    const bool m_bSaveAndValidate;
    CDialog* const m_pDlgWnd;

    // The control with this id; throws std::logic_error when the template has none.
    QWidget* PrepareCtrl(int id) const;
    void Fail() { m_bFailed = true; }
    bool Failed() const { return m_bFailed; }

    // Show only: the binding at the exchange's next position, as the index of the dialog's
    // ShownBinding (an index stays valid while handlers run and show again). A position that held
    // another control is started afresh.
    std::size_t NextBinding(int id)
    {
        const std::size_t index = m_nextBinding++;
        if (index >= m_pShown->size() || (*m_pShown)[index].id != id || !(*m_pShown)[index].control)
            StartBinding(index, id);
        return index;
    }
    // The text the last show wrote into the control with this id while the control still shows it,
    // else null.
    const std::string* ShownText(int id, const QWidget* control) const;
    ShownBinding& Binding(std::size_t index) const { return (*m_pShown)[index]; }

private:
    void StartBinding(std::size_t index, int id);

    bool m_bFailed = false;
    std::vector<ShownBinding>* const m_pShown;  // the dialog's
    std::size_t m_nextBinding = 0;
};

// Attaches a control handle (both directions, first exchange only).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Text of an edit or label.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// Text of an edit or label as a decimal integer; store fails when the text is not one.
void DDX_Text(CDataExchange* pDX, int id, int& value);
// Combo box: show selects the list entry equal to the text, or else sets the edit field's text;
// store reads the edit field's text.
void DDX_CBString(CDataExchange* pDX, int id, std::string& value);
// Tick box: shows ticked for a non-zero value; stores 1 ticked, 0 clear.
void DDX_Check(CDataExchange* pDX, int id, int& value);

// Parses a whole text as a decimal int (blanks around it allowed); false when it is not one.
bool ParseDecimalInt(const std::string& text, int& value);

}  // namespace kestrune
