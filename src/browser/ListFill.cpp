// The directory scans and the two list fills of the main window.
#include "ui/main/KestruneDlg.h"

namespace kestrune {

int CKestruneDlg::ScanFolders(const std::string&, std::vector<std::string>& list)
{
    return static_cast<int>(list.size());
}

void CKestruneDlg::ScanFiles(const std::string&, std::vector<std::string>&) {}

void CKestruneDlg::FillList() {}

void CKestruneDlg::FillListRecursive() {}

bool CKestruneDlg::IsFolderEntry(const std::string&) const
{
    return false;
}

}  // namespace kestrune
