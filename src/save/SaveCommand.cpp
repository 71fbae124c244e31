// The Save command: store, then write the ticked fields into every selected file on a worker
// thread while the save progress dialog runs.
#include "framework/UiCall.h"
#include "res/ResourceIds.h"
#include "save/SaveLoop.h"
#include "save/SaveProgressDlg.h"
#include "save/SaveReport.h"
#include "save/SaveThread.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace kestrune {

namespace {

// What a run writes, taken from the window in one trip at its start: the main window is disabled
// while the progress dialog runs, so neither its selection nor its texts can change meanwhile, and a
// trip per file would cost about as much as a small file's save.
struct SaveInput {
    std::vector<std::string> files;  // the selected entries' paths, in list order
    std::array<std::optional<std::string>, kTagFields.size()> texts;  // per ticked field
};

// The worker's side of the save loop: the files and texts of the run, progress on the dialog's bars.
class WindowSave : public SaveLoopClient {
public:
    WindowSave(SaveInput input, CSaveProgressDlg& progress) : m_input(std::move(input)), m_progress(progress) {}

    bool StopRequested() override { return m_progress.m_bStop; }

    std::optional<std::string> NextFile() override
    {
        if (m_next == m_input.files.size())
            return std::nullopt;
        return m_input.files[m_next++];
    }

    const std::string* TextFor(const TagField& field) override
    {
        const auto& text = m_input.texts[static_cast<size_t>(field.id)];
        return text ? &*text : nullptr;
    }

    // The steps of the file last heard of: the files of a batch make their last step together.
    void FileProgress(int step) override { m_progress.m_progressFile.SetPos(step); }

    void FileDone(const std::string&, const FileSaveResult&) override { Advance(m_progress.m_progressTotal); }

private:
    static void Advance(CProgressCtrl& bar) { bar.SetPos(bar.GetPos() + 1); }

    SaveInput m_input;
    CSaveProgressDlg& m_progress;
    size_t m_next = 0;
};

}  // namespace

void CKestruneDlg::OnSave()
{
    UpdateData(true);
    CSaveProgressDlg dlgProgress(this);
    SaveThreadParam param;
    param.pOwner = this;
    param.pProgress = &dlgProgress;
    std::thread worker;
    try {
        worker = StartSaveThread(param);
    } catch (const std::system_error&) {
        return;  // no worker to drive and close the dialog: it is never shown, and nothing changes
    }
    m_dwSaveThreadId = static_cast<unsigned>(std::hash<std::thread::id>{}(worker.get_id()));
    dlgProgress.DoModal();
    FinishSaveThread(worker, param);
    ReportNotWritten(this, dlgProgress.m_result);
}

// On the worker thread. The main window is disabled while the progress dialog runs, so its members
// stay as Save stored them; its controls are reached through their handles.
void CKestruneDlg::SaveSelectedFiles(CSaveProgressDlg* pProgress)
{
    ShowStatus(IDS_STATUS_SAVING_KEY);
    pProgress->m_bReady.wait(false);

    ListView* list = m_lcFiles.GetListView();
    SaveInput input = UiCall(list, [this, list] {
        SaveInput in;
        for (int item = list->GetNextItem(-1, LVNI_SELECTED); item >= 0; item = list->GetNextItem(item, LVNI_SELECTED))
            in.files.push_back(m_strListFolder + list->GetItemText(item));  // as the panel loaded it
        for (size_t i = 0; i < kTagFields.size(); ++i)
            if (const FieldControl& row = RowOf(kTagFields[i].id); this->*row.write)
                in.texts[i] = this->*row.text;
        return in;
    });
    pProgress->m_progressTotal.SetRange32(0, static_cast<int>(input.files.size()));
    pProgress->m_progressTotal.SetPos(0);

    WindowSave save(std::move(input), *pProgress);
    pProgress->m_result = RunSaveLoop(save);

    pProgress->m_btnCancel.SetWindowText("OK");
    pProgress->m_bStop = true;
    pProgress->OnCancel();  // ends the dialog; the worker touches it no more
    ShowStatus(IDS_STATUS_READY_KEY);
}

}  // namespace kestrune
