// Folder navigation and selection: the path field, the folder picker, one level up, entering a
// folder from the list, the "S" switch and "A".
#include "browser/PathRules.h"
#include "framework/WaitCursor.h"
#include "res/ResourceIds.h"
#include "settings/StringResources.h"
#include "ui/main/KestruneDlg.h"

#include <QDir>
#include <QFileDialog>

#include <cstdint>

namespace kestrune {

namespace {
const std::string kMp3Extension = ".mp3";
}

// Every change of folder ends here. The count starts again at 0 because deleting the entries
// raises no notification that could count them down. The Save button keeps its state until the
// next selection change.
void CKestruneDlg::ShowFolder(const std::string& path)
{
    const CWaitCursor wait;
    m_strPath = path;
    m_strListFolder = GetFolderPart(path);
    m_nSelected = 0;
    // The path field's change notification that this show raises is ignored by the dialog, so the
    // folder is filled once, not a second time from OnPathChange.
    UpdateData(false);
    if (m_chkSubfolders.GetCheck())
        FillListRecursive();
    else
        FillList();
    // Every path has a parent (a root is its own), so Up stays enabled from now on.
    m_btnUp.EnableWindow(true);
}

std::optional<std::string> CKestruneDlg::BrowseForFolder()
{
    const QString title = QString::fromStdString(LoadString(IDS_CHOOSE_FOLDER));
    const QString folder = QFileDialog::getExistingDirectory(this, title, QDir::homePath(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    std::string path = folder.toStdString();
    if (path.back() != '/')
        path += '/';
    return path;
}

// "A": every MP3 entry selected, every folder entry deselected, any other file entry left as it
// is. Each change still comes to OnItemChanged, which counts it but loads no tag meanwhile.
void CKestruneDlg::SelectMp3Files()
{
    const CWaitCursor wait;
    const int count = m_lcFiles.GetItemCount();
    ShowStatus(IDS_STATUS_SELECTINGITEMS_KEY);
    m_bLoadOnSelect = 0;

    std::vector<std::int8_t> want(static_cast<std::size_t>(count), -1);
    for (int item = 0; item < count; ++item) {
        const std::string text = m_lcFiles.GetItemText(item);
        if (IsFolderEntry(text))
            want[static_cast<std::size_t>(item)] = 0;
        else if (HasExtension(text, kMp3Extension))
            want[static_cast<std::size_t>(item)] = 1;
    }
    // One bulk change: selecting item by item costs Qt time in the square of the count.
    m_lcFiles.SetItemsSelected(want);

    m_bLoadOnSelect = 1;
    ShowStatus(IDS_STATUS_READY_KEY);
}

std::string CKestruneDlg::GetParentFolder(const std::string& text) const
{
    return kestrune::GetParentFolder(text);
}

std::string CKestruneDlg::GetExtension(const std::string& text) const
{
    return kestrune::GetExtension(text);
}

bool CKestruneDlg::HasExtension(const std::string& text, const std::string& extension) const
{
    return kestrune::HasExtension(text, extension);
}

// The list follows the typing from the third byte on; a text that does not end in "/" filters
// the entries of its folder by the name begun.
void CKestruneDlg::OnPathChange()
{
    UpdateData(true);
    if (m_strPath.size() < 3)
        return;
    ShowFolder(m_strPath);
}

void CKestruneDlg::OnBrowse()
{
    const std::optional<std::string> folder = m_folderPicker ? m_folderPicker() : BrowseForFolder();
    if (!folder)
        return;
    ShowFolder(*folder);
}

// At a root the parent is the root itself: Up then refreshes the list.
void CKestruneDlg::OnUp()
{
    m_strPath = GetParentFolder(m_strPath);
    ShowFolder(m_strPath);
}

// The target is built on the folder of the entries, so a folder can be entered also while the path
// field holds a partly typed name.
void CKestruneDlg::OnItemActivate(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int mark = m_lcFiles.GetSelectionMark();
    if (mark < 0)
        return;
    const std::string target = m_strListFolder + m_lcFiles.GetItemText(mark);
    if (IsFolderEntry(target))
        ShowFolder(target);
}

void CKestruneDlg::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* keyDown = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR);
    if (keyDown->wVKey != VK_RETURN)
        return;
    const int mark = m_lcFiles.GetSelectionMark();
    if (mark < 0)
        return;
    const std::string text = m_lcFiles.GetItemText(mark);
    if (IsFolderEntry(text))
        ShowFolder(m_strListFolder + text);
}

void CKestruneDlg::OnSelectAll()
{
    SelectMp3Files();
}

// The click has already toggled "S": the same folder is filled again in the new mode.
void CKestruneDlg::OnSubfolders()
{
    ShowFolder(m_strPath);
}

}  // namespace kestrune
