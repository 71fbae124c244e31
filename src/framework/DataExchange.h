#pragma once

#include <string>

class QWidget;

namespace kestrune {

class CDialog;
class CWnd;

// One run of a dialog's data exchange: "show" copies members into controls, "store"
// (m_bSaveAndValidate) copies controls into members. A store that meets a text it cannot convert
// fails: the bindings after it are skipped and UpdateData reports false.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    const bool m_bSaveAndValidate;
    CDialog* const m_pDlgWnd;

    // The control with this id; throws std::logic_error when the template has none.
    QWidget* PrepareCtrl(int id) const;
    void Fail() { m_bFailed = true; }
    bool Failed() const { return m_bFailed; }

private:
    bool m_bFailed = false;
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
