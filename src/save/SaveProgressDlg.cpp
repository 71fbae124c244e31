#include "save/SaveProgressDlg.h"

#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "settings/StringResources.h"

#include <QKeyEvent>
#include <QThread>

namespace kestrune {

void CSaveProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_FILE, m_progressFile);
    DDX_Control(pDX, IDC_PROGRESS_TOTAL, m_progressTotal);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

bool CSaveProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_progressTotal.SetPos(0);
    m_progressFile.SetPos(0);
    m_progressFile.SetRange(0, kSaveStepsPerFile);
    // Only now: the worker's settings of the bars must come after these.
    m_bReady = true;
    m_bReady.notify_all();
    return true;  // the focus goes to Cancel
}

void CSaveProgressDlg::OnOK() {}

void CSaveProgressDlg::OnCancel()
{
    if (!m_bStop.exchange(true)) {
        m_btnCancel.EnableWindow(false);
        m_btnCancel.SetWindowText(LoadString(IDS_CANCELLING));
        return;
    }
    if (QThread::currentThread() != thread())
        EndDialog(IDCANCEL);  // the worker's last call: posted to the window thread
}

// The dialog manager would take Enter as a click on the focused Cancel button; here Enter is the
// OK action, which does nothing.
bool CSaveProgressDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            SendCommand(IDOK);
            return true;
        }
    }
    return CDialog::eventFilter(watched, event);
}

}  // namespace kestrune
