#pragma once

#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"
#include "framework/MessageMap.h"

#include <QDialog>

#include <map>
#include <vector>

class QAction;
class QMenuBar;
class QPushButton;

namespace kestrune {

class CDataExchange;
struct ShownBinding;

// A dialog built from a template: its controls (known by id), its menu, a data exchange between
// members and controls, a message table, OK and Cancel actions and a modal run.
//
// Life of a dialog: construct with a template id; DoModal() builds the controls, runs
// OnInitDialog (whose base runs the data exchange once: attach + show), puts the focus on the
// first tab stop when OnInitDialog returns true, and runs modally until EndDialog.
//
// Keys, as the Windows dialog manager handles them: Enter clicks the focused push button, else the
// default button, else sends the command IDOK; Esc sends IDCANCEL. The close button sends Close,
// which a dialog without a Close entry takes as IDCANCEL. IDOK and IDCANCEL without a table
// entry run OnOK and OnCancel.
class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(int templateId, QWidget* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; returns the code given to EndDialog (IDOK, IDCANCEL, ...).
    int DoModal();
    // Builds the controls and initialises the dialog without running it (e.g. to render it).
    // Does nothing when the dialog exists already.
    void Create();
    // Ends the modal run with this result. From another thread the request is posted.
    void EndDialog(int result);

    // Runs the data exchange: store (true) or show (false). False when a store failed.
    bool UpdateData(bool saveAndValidate = true);

    // The control with this id, or null.
    QWidget* GetDlgItem(int id) const;
    // The id of the control that is or contains this widget; 0 when none.
    int GetDlgCtrlID(const QWidget* widget) const;
    // The control that has the keyboard focus, or null.
    QWidget* GetFocusControl() const;
    // The menu command with this id, or null.
    QAction* GetMenuCommand(int id) const;
    QMenuBar* GetMenu() const { return m_pMenu; }
    int GetTemplateId() const { return m_templateId; }
    const DialogUnits& GetUnits() const { return m_units; }

    // Sends a command (menu id, button id, IDOK, IDCANCEL) through the message table.
    void SendCommand(int id);
    // Sends a notification from a control through the message table; returns its result.
    LRESULT SendNotify(NMHDR& header);
    // The icon for the minimised window, as the message table answers it.
    QIcon QueryDragIcon();

    // The standard actions: OnOK stores and, when the store succeeds, ends with IDOK; OnCancel
    // ends with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Base: runs the data exchange once (attach + show). True: focus the first tab stop.
    virtual bool OnInitDialog();
    virtual const MessageMap& GetMessageMap() const;
    // Default handling of window messages, for handlers that pass a message on.
    virtual void OnPaint() {}
    virtual void OnSysCommand(unsigned) {}

    void SetIcon(const QIcon& icon, bool bigIcon);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Control {
        int id;
        const ControlTemplate* tmpl;
        QWidget* widget;
    };

    friend class CDataExchange;

    bool Dispatch(Msg msg, int id, MessageArgs& args, unsigned code = 0);
    // The text of this control changed: the next show cannot take it for what it showed last.
    void ForgetShown(int id);
    void Build();
    void ConnectControl(const Control& control);
    void BuildMenu();
    void FocusFirstTabStop();
    void OnEnterKey();

    const int m_templateId;
    const DialogTemplate* m_pTemplate;
    DialogUnits m_units{1, 1};
    std::vector<Control> m_controls;  // template order
    std::map<int, QWidget*> m_byId;
    std::map<int, QAction*> m_commands;
    std::vector<ShownBinding> m_shown;  // what the last show wrote, binding by binding (DataExchange.cpp)
    QMenuBar* m_pMenu = nullptr;
    QPushButton* m_pDefaultButton = nullptr;
    bool m_bCreated = false;
    bool m_bInitialising = false;
    bool m_bEndedInInit = false;
    bool m_bExchanging = false;  // UpdateData runs: control notifications are ignored
};

}  // namespace kestrune
