#include "settings/OptionsDlg.h"

#include "framework/DataExchange.h"

namespace kestrune {

void COptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPTIONS_TREE, m_tcSettings);
}

}  // namespace kestrune
