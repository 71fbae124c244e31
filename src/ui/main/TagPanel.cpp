// The tag field panel: write tick boxes, the transliteration box, the list's selection change and
// loading a file's tag into the field texts.
#include "ui/main/KestruneDlg.h"

namespace kestrune {

void CKestruneDlg::OnWriteTrack() {}
void CKestruneDlg::OnWriteTitle() {}
void CKestruneDlg::OnWriteAlbum() {}
void CKestruneDlg::OnWriteArtist() {}
void CKestruneDlg::OnWriteYear() {}
void CKestruneDlg::OnWriteGenre() {}
void CKestruneDlg::OnWriteComment() {}
void CKestruneDlg::OnWriteComposer() {}
void CKestruneDlg::OnWriteOrigArtist() {}
void CKestruneDlg::OnWriteCopyright() {}
void CKestruneDlg::OnWriteUrl() {}
void CKestruneDlg::OnWriteEncodedBy() {}

void CKestruneDlg::OnTransliterate() {}

void CKestruneDlg::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CKestruneDlg::LoadTagFields(const std::string&) {}

}  // namespace kestrune
