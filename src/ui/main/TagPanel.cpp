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
void ToggleWrite(CKestruneDlg& dlg, TagFieldId id)
{
    const FieldControl& field = RowOf(id);
    int& flag = dlg.*field.write;
    flag = !flag;
    FieldWindow(dlg, field).EnableWindow(flag != 0);
}

}  // namespace

void CKestruneDlg::OnWriteTrack() { ToggleWrite(*this, TagFieldId::Track); }
void CKestruneDlg::OnWriteTitle() { ToggleWrite(*this, TagFieldId::Title); }
void CKestruneDlg::OnWriteAlbum() { ToggleWrite(*this, TagFieldId::Album); }
void CKestruneDlg::OnWriteArtist() { ToggleWrite(*this, TagFieldId::Artist); }
void CKestruneDlg::OnWriteYear() { ToggleWrite(*this, TagFieldId::Year); }
void CKestruneDlg::OnWriteGenre() { ToggleWrite(*this, TagFieldId::Genre); }
void CKestruneDlg::OnWriteComment() { ToggleWrite(*this, TagFieldId::Comment); }
void CKestruneDlg::OnWriteComposer() { ToggleWrite(*this, TagFieldId::Composer); }
void CKestruneDlg::OnWriteOrigArtist() { ToggleWrite(*this, TagFieldId::OrigArtist); }
void CKestruneDlg::OnWriteCopyright() { ToggleWrite(*this, TagFieldId::Copyright); }
void CKestruneDlg::OnWriteUrl() { ToggleWrite(*this, TagFieldId::Url); }
void CKestruneDlg::OnWriteEncodedBy() { ToggleWrite(*this, TagFieldId::EncodedBy); }

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
    for (const FieldControl& row : kFieldControls)
        this->*row.text = (record.*FieldOf(row.field).get)();
}

}  // namespace kestrune
