#include "ui/main/AboutDlg.h"

#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "settings/StringResources.h"

namespace kestrune {

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VERSION, m_strVersion);
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strVersion = LoadString(IDS_PRODUCT_VERSION);
    UpdateData(false);
    return true;
}

}  // namespace kestrune
