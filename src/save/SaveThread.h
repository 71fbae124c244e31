#pragma once

#include <atomic>
#include <thread>

class QWidget;

namespace kestrune {

class CSaveProgressDlg;

// The block the Save command hands to its worker thread; it lives in the command's frame.
struct SaveThreadParam {
    QWidget* pOwner = nullptr;  // the main window
    CSaveProgressDlg* pProgress = nullptr;
    // Set by the worker after its last call into the window thread.
    std::atomic<bool> bDone{false};
};

// The worker's start routine: runs the save of the main window pParam->pOwner (nothing when it is
// another window) with the progress dialog pParam->pProgress. Returns 0.
unsigned SaveThreadProc(void* pParam);

// Starts SaveThreadProc on a new thread; throws std::system_error when no thread can be started.
std::thread StartSaveThread(SaveThreadParam& param);

// Waits in the window thread for the worker to end, handling its calls (but no user input) until it
// has made its last one, then joins it. The worker's calls wait for the window thread, so joining
// before that could never return.
void FinishSaveThread(std::thread& worker, const SaveThreadParam& param);

}  // namespace kestrune
