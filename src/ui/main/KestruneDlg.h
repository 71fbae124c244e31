#pragma once

#include "framework/Dialog.h"
#include "framework/ListCtrl.h"
#include "framework/Wnd.h"
#include "res/DialogIds.h"
#include "settings/SettingsInfoList.h"

#include <QIcon>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {

class CSaveProgressDlg;

// The main window: the folder, the file list, the tag field panel, Save, the status line and the
// menu. Its members are the program's model; the data exchange copies them into the controls
// (show) and back (store).
//
// The handlers of each area live beside that area: src/ui/main/TagPanel.cpp (tick boxes,
// selection change, loading a tag), src/browser/ListFill.cpp (scans and fills),
// src/browser/Navigation.cpp (folder changes and selection), src/save/SaveCommand.cpp (Save),
// src/settings/OptionsCommand.cpp (Settings).
class CKestruneDlg : public CDialog {
public:
    enum { IDD = IDD_KESTRUNE_DIALOG };

    explicit CKestruneDlg(QWidget* pParent = nullptr);

    // Members, in the order of the window's contract.
    QIcon m_hIcon;
    int m_bTransliterate = 0;
    int m_bWriteTrack = 0;
    int m_bWriteTitle = 0;
    int m_bWriteAlbum = 0;
    int m_bWriteArtist = 0;
    int m_bWriteYear = 0;
    int m_bWriteGenre = 0;
    int m_bWriteComment = 0;
    int m_bWriteComposer = 0;
    int m_bWriteOrigArtist = 0;
    int m_bWriteCopyright = 0;
    int m_bWriteUrl = 0;
    int m_bWriteEncodedBy = 0;
    std::string m_strPath;
    // The folder the list's entries belong to: the folder part of the path last shown. The path text
    // can change without a refill (typing fewer than three characters), the entries' folder cannot.
    std::string m_strListFolder;
    std::string m_strTrack;
    std::string m_strAlbum;
    std::string m_strUrl;
    std::string m_strArtist;
    std::string m_strYear;
    std::string m_strGenre;
    std::string m_strEncodedBy;
    std::string m_strCopyright;
    std::string m_strOrigArtist;
    std::string m_strComposer;
    std::string m_strComment;
    std::string m_strTitle;
    std::vector<std::string> m_lstFolders;  // scratch lists of a list fill
    std::vector<std::string> m_lstFiles;
    int m_nSelected = 0;
    unsigned m_dwSaveThreadId = 0;
    int m_bLoadOnSelect = 0;
    CButton m_btnUp;
    CButton m_btnSelectAll;
    CButton m_chkSubfolders;
    CButton m_btnSave;
    CButton m_btnRename;
    CButton m_btnGenerate;
    CComboBox m_cbTrack;
    CComboBox m_cbGenre;
    CComboBox m_cbCase;
    CComboBox m_cbLoadTags;
    CComboBox m_cbSaveTags;
    CEdit m_edPath;
    CEdit m_edTitle;
    CEdit m_edAlbum;
    CEdit m_edArtist;
    CEdit m_edYear;
    CEdit m_edComment;
    CEdit m_edComposer;
    CEdit m_edOrigArtist;
    CEdit m_edCopyright;
    CEdit m_edUrl;
    CEdit m_edEncodedBy;
    CListCtrl m_lcFiles;
    CStatic m_stSelected;
    CSettingsInfoList m_lstStatus;  // status keys to texts; read-only after construction
    CStatic m_stStatus;

    // The folder picker that OnBrowse asks: a folder ending in "/", or nothing on Cancel.
    // BrowseForFolder by default; tests put a fake one here.
    std::function<std::optional<std::string>()> m_folderPicker;

    // Shows the status text whose key is the string keyStringId: looks the key up in m_lstStatus
    // and, when found, sets the status line to its text and paints it. Callable from any thread.
    void ShowStatus(unsigned keyStringId);

    // Window (this file's area)
    void OnSysCommand(unsigned nID) override;
    void OnPaint() override;
    QIcon OnQueryDragIcon();
    void OnAbout();
    void OnFileExit();
    void OnClose();
    void OnOK() override;
    void OnCancel() override;

    // Tag field panel (TagPanel.cpp)
    void OnWriteTrack();
    void OnWriteTitle();
    void OnWriteAlbum();
    void OnWriteArtist();
    void OnWriteYear();
    void OnWriteGenre();
    void OnWriteComment();
    void OnWriteComposer();
    void OnWriteOrigArtist();
    void OnWriteCopyright();
    void OnWriteUrl();
    void OnWriteEncodedBy();
    void OnTransliterate();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void LoadTagFields(const std::string& path);

    // Folder scan and list fills (ListFill.cpp)
    int ScanFolders(const std::string& prefix, std::vector<std::string>& list);
    void ScanFiles(const std::string& prefix, std::vector<std::string>& list);
    void FillList();
    void FillListRecursive();
    bool IsFolderEntry(const std::string& text) const;

    // Folder navigation and selection (Navigation.cpp). A fill and "A" hold the window thread and
    // show the wait cursor meanwhile.
    void ShowFolder(const std::string& path);
    std::optional<std::string> BrowseForFolder();
    void SelectMp3Files();
    std::string GetParentFolder(const std::string& text) const;
    std::string GetExtension(const std::string& text) const;
    bool HasExtension(const std::string& text, const std::string& extension) const;
    void OnPathChange();
    void OnBrowse();
    void OnUp();
    void OnItemActivate(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelectAll();
    void OnSubfolders();

    // Batch save (SaveCommand.cpp)
    void OnSave();
    void SaveSelectedFiles(CSaveProgressDlg* pProgress);

    // Options (OptionsCommand.cpp)
    void OnSettings();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;
};

}  // namespace kestrune
