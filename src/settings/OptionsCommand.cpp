// The Settings command of the main window's menu.
#include "settings/OptionsDlg.h"
#include "ui/main/KestruneDlg.h"

namespace kestrune {

// Without a parent the dialog is application-modal: the main window takes no input while it runs.
// Its result is ignored.
void CKestruneDlg::OnSettings()
{
    COptionsDlg dlg;
    dlg.DoModal();
}

}  // namespace kestrune
