#pragma once

#include "framework/UiCall.h"

#include <QString>

#include <string>
#include <utility>

class QWidget;

namespace kestrune {

// The text a control shows, as a Windows window text: an edit's or a combo box's edit field, a
// label's text, a button's caption. Texts are UTF-8. An edit given a text shows it from its start.
QString ControlText(const QWidget* control);
void SetControlText(QWidget* control, const QString& text);

// A thin handle on one control of a dialog, attached by the data exchange (DDX_Control).
//
// Like a Windows control, a handle answers from any thread: a call made on another thread runs
// in the window thread and waits for it, as a sent window message does. A worker that calls a
// handle must therefore never be waited for by the window thread.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    // Attaches the handle to a control of the kind it handles; throws std::logic_error otherwise.
    void Attach(QWidget* control);
    void Detach() { m_hWnd = nullptr; }
    QWidget* GetSafeHwnd() const { return m_hWnd; }

    void EnableWindow(bool enable = true);
    bool IsWindowEnabled() const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    // Paints the control now, without handling any other event: for a text that must be seen while
    // the window thread stays busy.
    void UpdateWindow();

protected:
    virtual bool Accepts(const QWidget* control) const;
    QWidget* Widget() const;
    // Runs f in the control's thread and returns its result.
    template <class F>
    auto Send(F&& f) const
    {
        return UiCall(Widget(), std::forward<F>(f));
    }

private:
    QWidget* m_hWnd = nullptr;
};

// Push button, tick box or tick box drawn as a push button.
class CButton : public CWnd {
public:
    // 1 when ticked, 0 when not.
    int GetCheck() const;
    void SetCheck(int check);

protected:
    bool Accepts(const QWidget* control) const override;
};

class CEdit : public CWnd {
protected:
    bool Accepts(const QWidget* control) const override;
};

// Drop-down with an edit field; its window text is the edit field's text.
class CComboBox : public CWnd {
protected:
    bool Accepts(const QWidget* control) const override;
};

// Label or static icon.
class CStatic : public CWnd {
protected:
    bool Accepts(const QWidget* control) const override;
};

}  // namespace kestrune
