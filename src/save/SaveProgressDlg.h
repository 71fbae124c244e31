#pragma once

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "framework/Wnd.h"
#include "res/DialogIds.h"
#include "save/SaveLoop.h"

#include <atomic>

namespace kestrune {

// The modal dialog of a save: a bar for the steps of the file in hand, a bar for the files done and
// Cancel. The save worker drives the bars and closes the dialog; the dialog only sets their initial
// state and carries the two flags through which it and the worker meet.
class CSaveProgressDlg : public CDialog {
public:
    enum { IDD = IDD_SAVE_PROGRESS };

    explicit CSaveProgressDlg(QWidget* pParent = nullptr) : CDialog(IDD, pParent) {}

    // The user asked to stop, or the worker has finished.
    std::atomic<bool> m_bStop{false};
    CProgressCtrl m_progressFile;
    CProgressCtrl m_progressTotal;
    CButton m_btnCancel;
    // The controls exist and hold their initial state; the worker waits for this.
    std::atomic<bool> m_bReady{false};
    // What the run did; the worker fills it before its last call, and the Save command reads it
    // once the worker has ended.
    SaveLoopResult m_result;

    // Enter: nothing.
    void OnOK() override;
    // The first request sets the stop flag, disables Cancel and shows "Отменяется..."; the dialog
    // stays until the worker has finished the file in hand. The worker's own call, made from its
    // thread once the stop flag is set, ends the dialog. A request of the user's while the worker
    // still runs is ignored: the worker uses the dialog until its last call.
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kestrune
