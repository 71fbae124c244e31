// The Settings command of the main window's menu.
#include "ui/main/KestruneDlg.h"

namespace kestrune {

void CKestruneDlg::OnSettings() {}

}  // namespace kestrune
