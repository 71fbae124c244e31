#pragma once

#include "ui/main/KestruneDlg.h"

#include <array>
#include <string>

namespace kestrune {

// The twelve rows of the tag field panel, top to bottom: each field's control (an edit, or a
// combo box whose edit field holds the text), its write tick box, its label, its text and write
// flag members and the tick box's handler.
struct FieldControl {
    int controlId;
    int checkId;
    const char* label;
    std::string CKestruneDlg::*text;
    int CKestruneDlg::*write;
    CEdit CKestruneDlg::*edit;        // null for a combo box
    CComboBox CKestruneDlg::*combo;   // null for an edit
    void (CKestruneDlg::*onWriteClicked)();
};

enum FieldRow { kRowTrack, kRowTitle, kRowAlbum, kRowArtist, kRowYear, kRowGenre, kRowComment, kRowComposer,
                kRowOrigArtist, kRowCopyright, kRowUrl, kRowEncodedBy, kRowCount };

struct FieldTable {
    using D = CKestruneDlg;
    static constexpr std::array<FieldControl, kRowCount> rows{{
        {IDC_TRACK, IDC_WRITE_TRACK, "&Трек №", &D::m_strTrack, &D::m_bWriteTrack, nullptr, &D::m_cbTrack,
         &D::OnWriteTrack},
        {IDC_TITLE, IDC_WRITE_TITLE, "&Название", &D::m_strTitle, &D::m_bWriteTitle, &D::m_edTitle, nullptr,
         &D::OnWriteTitle},
        {IDC_ALBUM, IDC_WRITE_ALBUM, "&Альбом", &D::m_strAlbum, &D::m_bWriteAlbum, &D::m_edAlbum, nullptr,
         &D::OnWriteAlbum},
        {IDC_ARTIST, IDC_WRITE_ARTIST, "&Исполнитель", &D::m_strArtist, &D::m_bWriteArtist, &D::m_edArtist, nullptr,
         &D::OnWriteArtist},
        {IDC_YEAR, IDC_WRITE_YEAR, "&Год", &D::m_strYear, &D::m_bWriteYear, &D::m_edYear, nullptr, &D::OnWriteYear},
        {IDC_GENRE, IDC_WRITE_GENRE, "Стил&ь", &D::m_strGenre, &D::m_bWriteGenre, nullptr, &D::m_cbGenre,
         &D::OnWriteGenre},
        {IDC_COMMENT, IDC_WRITE_COMMENT, "&Комментраий", &D::m_strComment, &D::m_bWriteComment, &D::m_edComment,
         nullptr, &D::OnWriteComment},
        {IDC_COMPOSER, IDC_WRITE_COMPOSER, "К&омпозитор", &D::m_strComposer, &D::m_bWriteComposer, &D::m_edComposer,
         nullptr, &D::OnWriteComposer},
        {IDC_ORIG_ARTIST, IDC_WRITE_ORIG_ARTIST, "О&ригинал", &D::m_strOrigArtist, &D::m_bWriteOrigArtist,
         &D::m_edOrigArtist, nullptr, &D::OnWriteOrigArtist},
        {IDC_COPYRIGHT, IDC_WRITE_COPYRIGHT, "А&вт. права", &D::m_strCopyright, &D::m_bWriteCopyright,
         &D::m_edCopyright, nullptr, &D::OnWriteCopyright},
        {IDC_URL, IDC_WRITE_URL, "Ссы&лка", &D::m_strUrl, &D::m_bWriteUrl, &D::m_edUrl, nullptr, &D::OnWriteUrl},
        {IDC_ENCODED_BY, IDC_WRITE_ENCODED_BY, "О&цифровал", &D::m_strEncodedBy, &D::m_bWriteEncodedBy,
         &D::m_edEncodedBy, nullptr, &D::OnWriteEncodedBy},
    }};
};
inline constexpr const std::array<FieldControl, kRowCount>& kFieldControls = FieldTable::rows;

// The order in which the data exchange visits the field texts (the write flags are visited in
// panel order).
inline constexpr std::array<FieldRow, kRowCount> kTextExchangeOrder{
    kRowTitle, kRowTrack, kRowAlbum, kRowUrl, kRowArtist, kRowYear,
    kRowGenre, kRowEncodedBy, kRowCopyright, kRowOrigArtist, kRowComposer, kRowComment};

// The field's control as a handle.
inline CWnd& FieldWindow(CKestruneDlg& dlg, const FieldControl& f)
{
    return f.edit ? static_cast<CWnd&>(dlg.*f.edit) : static_cast<CWnd&>(dlg.*f.combo);
}

}  // namespace kestrune
