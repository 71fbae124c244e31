// The directory scans and the two list fills of the main window.
#include "browser/FolderScan.h"
#include "browser/PathRules.h"
#include "res/ResourceIds.h"
#include "ui/main/KestruneDlg.h"

namespace kestrune {

int CKestruneDlg::ScanFolders(const std::string& prefix, std::vector<std::string>& list)
{
    return kestrune::ScanFolders(m_strPath, prefix, list);
}

void CKestruneDlg::ScanFiles(const std::string& prefix, std::vector<std::string>& list)
{
    kestrune::ScanFiles(m_strPath, prefix, list);
}

// Flat mode: the sub-folders of the current folder, then its MP3 files.
void CKestruneDlg::FillList()
{
    m_lstFolders.clear();
    m_lstFiles.clear();
    m_lcFiles.DeleteAllItems();

    ShowStatus(IDS_STATUS_FINDINGFOLDERS_KEY);
    ScanFolders(std::string(), m_lstFolders);

    ShowStatus(IDS_STATUS_FINDINGFILES_KEY);
    ScanFiles(std::string(), m_lstFiles);

    ShowStatus(IDS_STATUS_ADDINGITEMS_KEY);
    for (const std::vector<std::string>* group : {&m_lstFolders, &m_lstFiles})
        for (const std::string& text : *group)
            m_lcFiles.InsertItem(m_lcFiles.GetItemCount(), text);

    m_btnSelectAll.EnableWindow(!m_lstFiles.empty());
    m_chkSubfolders.EnableWindow(!m_lstFolders.empty());

    ShowStatus(IDS_STATUS_READY_KEY);
    m_lstFolders.clear();
    m_lstFiles.clear();
}

// Sub-folder mode: the MP3 files of the current folder and of every folder below it, no folders.
// "S" and the up button keep their state: while "S" is ticked the user can always clear it.
void CKestruneDlg::FillListRecursive()
{
    m_lstFolders.clear();
    m_lstFiles.clear();
    m_lcFiles.DeleteAllItems();

    // The walk visits the folders breadth-first, each real folder once (a link back up the tree is not
    // followed round again), and gathers each folder's MP3 files as it reads the folder: the same files in
    // the same order as a file scan of every visited folder after the walk, for one read per folder
    // instead of two.
    ShowStatus(IDS_STATUS_FINDINGFOLDERS_KEY);
    m_lstFolders = WalkFolderTree(m_strPath, m_lstFiles);
    ShowStatus(IDS_STATUS_FINDINGFILES_KEY);

    ShowStatus(IDS_STATUS_ADDINGITEMS_KEY);
    for (const std::string& text : m_lstFiles)
        m_lcFiles.InsertItem(m_lcFiles.GetItemCount(), text);

    m_btnSelectAll.EnableWindow(!m_lstFiles.empty());

    ShowStatus(IDS_STATUS_READY_KEY);
    m_lstFolders.clear();
    m_lstFiles.clear();
}

bool CKestruneDlg::IsFolderEntry(const std::string& text) const
{
    return kestrune::IsFolderEntry(text);
}

}  // namespace kestrune
