#pragma once

#include "tag/TagFields.h"
#include "ui/main/KestruneDlg.h"

#include <algorithm>
#include <array>
#include <string>

namespace kestrune {

// The twelve rows of the tag field panel, top to bottom: the field each row edits, its control
// (an edit, or a combo box whose edit field holds the text), its write tick box, its text and
// write flag members and the tick box's handler.
struct FieldControl {
    TagFieldId field;
    int controlId;
    int checkId;
    std::string CKestruneDlg::*text;
    int CKestruneDlg::*write;
    CEdit CKestruneDlg::*edit;       // null for a combo box
    CComboBox CKestruneDlg::*combo;  // null for an edit
    void (CKestruneDlg::*onWriteClicked)();
};

struct FieldTable {
    using D = CKestruneDlg;
    using F = TagFieldId;
    static constexpr std::array<FieldControl, kTagFieldCount> rows{{
        {F::Track, IDC_TRACK, IDC_WRITE_TRACK, &D::m_strTrack, &D::m_bWriteTrack, nullptr, &D::m_cbTrack,
         &D::OnWriteTrack},
        {F::Title, IDC_TITLE, IDC_WRITE_TITLE, &D::m_strTitle, &D::m_bWriteTitle, &D::m_edTitle, nullptr,
         &D::OnWriteTitle},
        {F::Album, IDC_ALBUM, IDC_WRITE_ALBUM, &D::m_strAlbum, &D::m_bWriteAlbum, &D::m_edAlbum, nullptr,
         &D::OnWriteAlbum},
        {F::Artist, IDC_ARTIST, IDC_WRITE_ARTIST, &D::m_strArtist, &D::m_bWriteArtist, &D::m_edArtist, nullptr,
         &D::OnWriteArtist},
        {F::Year, IDC_YEAR, IDC_WRITE_YEAR, &D::m_strYear, &D::m_bWriteYear, &D::m_edYear, nullptr,
         &D::OnWriteYear},
        {F::Genre, IDC_GENRE, IDC_WRITE_GENRE, &D::m_strGenre, &D::m_bWriteGenre, nullptr, &D::m_cbGenre,
         &D::OnWriteGenre},
        {F::Comment, IDC_COMMENT, IDC_WRITE_COMMENT, &D::m_strComment, &D::m_bWriteComment, &D::m_edComment,
         nullptr, &D::OnWriteComment},
        {F::Composer, IDC_COMPOSER, IDC_WRITE_COMPOSER, &D::m_strComposer, &D::m_bWriteComposer, &D::m_edComposer,
         nullptr, &D::OnWriteComposer},
        {F::OrigArtist, IDC_ORIG_ARTIST, IDC_WRITE_ORIG_ARTIST, &D::m_strOrigArtist, &D::m_bWriteOrigArtist,
         &D::m_edOrigArtist, nullptr, &D::OnWriteOrigArtist},
        {F::Copyright, IDC_COPYRIGHT, IDC_WRITE_COPYRIGHT, &D::m_strCopyright, &D::m_bWriteCopyright,
         &D::m_edCopyright, nullptr, &D::OnWriteCopyright},
        {F::Url, IDC_URL, IDC_WRITE_URL, &D::m_strUrl, &D::m_bWriteUrl, &D::m_edUrl, nullptr, &D::OnWriteUrl},
        {F::EncodedBy, IDC_ENCODED_BY, IDC_WRITE_ENCODED_BY, &D::m_strEncodedBy, &D::m_bWriteEncodedBy,
         &D::m_edEncodedBy, nullptr, &D::OnWriteEncodedBy},
    }};
};
inline constexpr const std::array<FieldControl, kTagFieldCount>& kFieldControls = FieldTable::rows;

static_assert(NamesEachFieldOnce([] {
    std::array<TagFieldId, kTagFieldCount> fields{};
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i] = kFieldControls[i].field;
    return fields;
}()));

// The row that edits this field.
constexpr const FieldControl& RowOf(TagFieldId field)
{
    return *std::find_if(kFieldControls.begin(), kFieldControls.end(),
                         [field](const FieldControl& row) { return row.field == field; });
}

// The order in which the data exchange visits the field texts (the write flags are visited in
// panel order).
inline constexpr std::array<TagFieldId, kTagFieldCount> kTextExchangeOrder = [] {
    using enum TagFieldId;
    return std::array{Title, Track, Album, Url, Artist, Year, Genre, EncodedBy, Copyright, OrigArtist, Composer,
                      Comment};
}();
static_assert(NamesEachFieldOnce(kTextExchangeOrder));

// The field's control as a handle.
inline CWnd& FieldWindow(CKestruneDlg& dlg, const FieldControl& f)
{
    return f.edit ? static_cast<CWnd&>(dlg.*f.edit) : static_cast<CWnd&>(dlg.*f.combo);
}

}  // namespace kestrune
