// The tag field panel: write tick boxes, the transliteration box, the list's selection change and
// loading a file's tag into the field texts.
#include "browser/PathRules.h"
#include "tag/Mp3File.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

namespace kestrune {

namespace {

// A field's tick box has already changed its own state: the flag follows by negation, and the
// field's control is enabled exactly when the flag is set. Nothing is shown or stored, so the
// control keeps its text.
void ToggleWrite(CKestruneDlg& dlg, FieldRow row)
{
    const FieldControl& field = kFieldControls[row];
    int& flag = dlg.*field.write;
    flag = !flag;
    FieldWindow(dlg, field).EnableWindow(flag != 0);
}

}  // namespace

void CKestruneDlg::OnWriteTrack() { ToggleWrite(*this, kRowTrack); }
void CKestruneDlg::OnWriteTitle() { ToggleWrite(*this, kRowTitle); }
void CKestruneDlg::OnWriteAlbum() { ToggleWrite(*this, kRowAlbum); }
void CKestruneDlg::OnWriteArtist() { ToggleWrite(*this, kRowArtist); }
void CKestruneDlg::OnWriteYear() { ToggleWrite(*this, kRowYear); }
void CKestruneDlg::OnWriteGenre() { ToggleWrite(*this, kRowGenre); }
void CKestruneDlg::OnWriteComment() { ToggleWrite(*this, kRowComment); }
void CKestruneDlg::OnWriteComposer() { ToggleWrite(*this, kRowComposer); }
void CKestruneDlg::OnWriteOrigArtist() { ToggleWrite(*this, kRowOrigArtist); }
void CKestruneDlg::OnWriteCopyright() { ToggleWrite(*this, kRowCopyright); }
void CKestruneDlg::OnWriteUrl() { ToggleWrite(*this, kRowUrl); }
void CKestruneDlg::OnWriteEncodedBy() { ToggleWrite(*this, kRowEncodedBy); }

// Nothing reads the flag; the box only keeps it.
void CKestruneDlg::OnTransliterate()
{
    m_bTransliterate = !m_bTransliterate;
}

// Every change of an item's state comes here, a change of focus alone included. Only MP3 entries
// are counted and loaded; the Save button and the show follow every notification.
void CKestruneDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pNMLV = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const std::string text = m_lcFiles.GetItemText(pNMLV->iItem);
    if (HasExtension(text, ".mp3")) {
        const bool wasSelected = (pNMLV->uOldState & LVIS_SELECTED) != 0;
        const bool isSelected = (pNMLV->uNewState & LVIS_SELECTED) != 0;
        if (isSelected && !wasSelected) {
            ++m_nSelected;
            if (m_bLoadOnSelect)
                // Not the path text and the entry run together: under a partly typed name
                // ("/music/Mu") that would name another file, or none.
                LoadTagFields(m_strListFolder + text);
        } else if (wasSelected && !isSelected) {
            --m_nSelected;
        }
    }
    m_btnSave.EnableWindow(m_nSelected != 0);
    UpdateData(false);
    *pResult = 0;
}

// Replaces the twelve texts with the file's tag (empty texts for a file that cannot be read). The
// write flags stay; the controls change at the show that follows.
void CKestruneDlg::LoadTagFields(const std::string& path)
{
    CMp3File record(path);
    record.Load();
    m_strTitle = record.GetTitle();
    m_strAlbum = record.GetAlbum();
    m_strTrack = record.GetTrack();
    m_strUrl = record.GetUrl();
    m_strArtist = record.GetArtist();
    m_strYear = record.GetYear();
    m_strGenre = record.GetGenre();
    m_strEncodedBy = record.GetEncodedBy();
    m_strCopyright = record.GetCopyright();
    m_strOrigArtist = record.GetOrigArtist();
    m_strComposer = record.GetComposer();
    m_strComment = record.GetComment();
}

}  // namespace kestrune
