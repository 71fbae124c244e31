#include "save/SaveThread.h"

#include "framework/UiCall.h"
#include "ui/main/KestruneDlg.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace kestrune {

unsigned SaveThreadProc(void* pParam)
{
    auto* param = static_cast<SaveThreadParam*>(pParam);
    QWidget* owner = param->pOwner;
    if (auto* dlg = dynamic_cast<CKestruneDlg*>(owner))
        dlg->SaveSelectedFiles(param->pProgress);
    param->bDone = true;
    // Wakes the window thread if it waits for events in FinishSaveThread; the main window outlives
    // the save, and after this the worker touches nothing of the window thread's.
    UiPost(owner, [] {});
    return 0;
}

std::thread StartSaveThread(SaveThreadParam& param)
{
    return std::thread(SaveThreadProc, &param);
}

void FinishSaveThread(std::thread& worker, const SaveThreadParam& param)
{
    while (!param.bDone)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    worker.join();
}

}  // namespace kestrune
