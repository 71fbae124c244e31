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

#include <algorithm>
#include <functional>
#include <string_view>
#include <system_error>
#include <utility>

namespace kestrune {

namespace {

// The tag field each row of the panel edits, by its name in kTagFields.
constexpr std::array<std::string_view, kRowCount> kRowFieldNames = {
    "track number", "title", "album", "artist", "year", "genre", "comment", "composer",
    "original artist", "copyright", "URL", "encoded by"};

constexpr bool EveryFieldHasOneRow()
{
    for (const TagField& field : kTagFields)
        if (std::count(kRowFieldNames.begin(), kRowFieldNames.end(), field.name) != 1)
            return false;
    return true;
}
static_assert(EveryFieldHasOneRow());

const FieldControl& RowOf(const TagField& field)
{
    const auto it = std::find(kRowFieldNames.begin(), kRowFieldNames.end(), field.name);
    return kFieldControls[static_cast<size_t>(it - kRowFieldNames.begin())];
}

// The worker's side of the save loop: files from the list's selection in ascending order, texts
// and write flags from the main window's members, progress on the dialog's bars.
class WindowSave : public SaveLoopClient {
public:
    WindowSave(CKestruneDlg& owner, CSaveProgressDlg& progress, int firstSelected)
        : m_owner(owner), m_progress(progress), m_current(firstSelected)
    {
    }

    bool StopRequested() override { return m_progress.m_bStop; }

    // The next selected item is found before the current one is handled. Both answers come from the
    // window thread in one trip: a round trip between the threads costs about as much as the rest
    // of a small file's save.
    std::optional<std::string> NextFile() override
    {
        if (m_current < 0)
            return std::nullopt;
        ListView* list = m_owner.m_lcFiles.GetListView();
        auto [next, text] = uiCall(list, [list, current = m_current] {
            return std::pair(list->GetNextItem(current, LVNI_SELECTED), list->GetItemText(current));
        });
        m_current = next;
        return m_owner.m_strListFolder + text;  // as the panel loaded it
    }

    const std::string* TextFor(const TagField& field) override
    {
        const FieldControl& row = RowOf(field);
        return m_owner.*row.write ? &(m_owner.*row.text) : nullptr;
    }

    void FileProgress(int step) override
    {
        if (step == 0)
            m_progress.m_progressFile.SetPos(0);
        else
            Advance(m_progress.m_progressFile);
    }

    void FileDone(const std::string&, const FileSaveResult&) override { Advance(m_progress.m_progressTotal); }

private:
    static void Advance(CProgressCtrl& bar) { bar.SetPos(bar.GetPos() + 1); }

    CKestruneDlg& m_owner;
    CSaveProgressDlg& m_progress;
    int m_current;
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

    const int first = m_lcFiles.GetNextItem(-1, LVNI_SELECTED);
    const int count = m_lcFiles.GetSelectedCount();
    pProgress->m_progressTotal.SetRange32(0, count);
    pProgress->m_progressTotal.SetPos(0);

    WindowSave save(*this, *pProgress, first);
    pProgress->m_result = RunSaveLoop(save);

    pProgress->m_btnCancel.SetWindowText("OK");
    pProgress->m_bStop = true;
    pProgress->OnCancel();  // ends the dialog; the worker touches it no more
    ShowStatus(IDS_STATUS_READY_KEY);
}

}  // namespace kestrune
