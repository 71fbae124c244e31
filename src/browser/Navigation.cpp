// Folder navigation and selection: the path field, the folder picker, one level up, entering a
// folder from the list, the "S" switch and "A".
#include "ui/main/KestruneDlg.h"

namespace kestrune {

void CKestruneDlg::ShowFolder(const std::string&) {}

std::optional<std::string> CKestruneDlg::BrowseForFolder()
{
    return std::nullopt;
}

void CKestruneDlg::SelectMp3Files() {}

std::string CKestruneDlg::GetParentFolder(const std::string& text) const
{
    return text;
}

std::string CKestruneDlg::GetExtension(const std::string&) const
{
    return {};
}

bool CKestruneDlg::HasExtension(const std::string&, const std::string&) const
{
    return false;
}

void CKestruneDlg::OnPathChange() {}

void CKestruneDlg::OnBrowse() {}

void CKestruneDlg::OnUp() {}

void CKestruneDlg::OnItemActivate(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CKestruneDlg::OnListKeyDown(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CKestruneDlg::OnSelectAll() {}

void CKestruneDlg::OnSubfolders() {}

}  // namespace kestrune
