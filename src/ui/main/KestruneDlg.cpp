#include "ui/main/KestruneDlg.h"

#include "framework/DataExchange.h"
#include "framework/Icon.h"
#include "res/ResourceIds.h"
#include "settings/StatusTable.h"
#include "settings/StringResources.h"
#include "ui/main/AboutDlg.h"
#include "ui/main/FieldControls.h"

#include <QPainter>
#include <QStyle>
#include <QThread>

#include <initializer_list>

namespace kestrune {

CKestruneDlg::CKestruneDlg(QWidget* pParent) : CDialog(IDD, pParent)
{
    m_hIcon = LoadIcon(IDR_MAINFRAME);
    FillStatusTable(m_lstStatus);
    m_bLoadOnSelect = 1;
    m_folderPicker = [this] { return BrowseForFolder(); };
}

void CKestruneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PATH, m_edPath);
    DDX_Text(pDX, IDC_PATH, m_strPath);
    DDX_Control(pDX, IDC_FILES, m_lcFiles);
    DDX_Control(pDX, IDC_SUBFOLDERS, m_chkSubfolders);
    DDX_Text(pDX, IDC_SELECTED, m_nSelected);
    DDX_Control(pDX, IDC_SELECT_ALL, m_btnSelectAll);
    DDX_Control(pDX, IDC_UP, m_btnUp);
    DDX_Control(pDX, IDC_SELECTED, m_stSelected);
    for (const FieldControl& f : kFieldControls)
        DDX_Control(pDX, f.controlId, FieldWindow(*this, f));
    DDX_Check(pDX, IDC_TRANSLITERATE, m_bTransliterate);
    DDX_Control(pDX, IDC_CASE, m_cbCase);
    DDX_Control(pDX, IDC_LOAD_TAGS, m_cbLoadTags);
    DDX_Control(pDX, IDC_SAVE_TAGS, m_cbSaveTags);
    for (const FieldControl& f : kFieldControls)
        DDX_Check(pDX, f.checkId, this->*f.write);
    for (TagFieldId field : kTextExchangeOrder) {
        const FieldControl& f = RowOf(field);
        if (f.combo)
            DDX_CBString(pDX, f.controlId, this->*f.text);
        else
            DDX_Text(pDX, f.controlId, this->*f.text);
    }
    DDX_Control(pDX, IDC_SAVE, m_btnSave);
    DDX_Control(pDX, IDC_RENAME, m_btnRename);
    DDX_Control(pDX, IDC_GENERATE, m_btnGenerate);
    DDX_Control(pDX, IDC_STATUS, m_stStatus);
}

const MessageMap& CKestruneDlg::GetMessageMap() const
{
    static const MessageMap map = [] {
        using D = CKestruneDlg;
        MessageMap m{
            msg::SysCommand(&D::OnSysCommand),
            msg::Paint(&D::OnPaint),
            msg::QueryDragIcon(&D::OnQueryDragIcon),
            msg::Command(ID_APP_ABOUT, &D::OnAbout),
            msg::Clicked(IDC_BROWSE, &D::OnBrowse),
            msg::Clicked(IDC_UP, &D::OnUp),
        };
        for (const FieldControl& f : kFieldControls)
            m.push_back(msg::Clicked(f.checkId, f.onWriteClicked));
        m.insert(m.end(), {
            msg::Clicked(IDC_TRANSLITERATE, &D::OnTransliterate),
            msg::Clicked(IDC_SAVE, &D::OnSave),
            msg::Command(ID_FILE_EXIT, &D::OnFileExit),
            msg::Close(&D::OnClose),
            msg::Notify(LVN_ITEMACTIVATE, IDC_FILES, &D::OnItemActivate),
            msg::Notify(LVN_ITEMCHANGED, IDC_FILES, &D::OnItemChanged),
            msg::Notify(LVN_KEYDOWN, IDC_FILES, &D::OnListKeyDown),
            msg::Command(ID_FILE_SETTINGS, &D::OnSettings),
            msg::EditChange(IDC_PATH, &D::OnPathChange),
            msg::Clicked(IDC_SELECT_ALL, &D::OnSelectAll),
            msg::Clicked(IDC_SUBFOLDERS, &D::OnSubfolders),
        });
        return m;
    }();
    return map;
}

bool CKestruneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);

    // Everything that needs a folder or a selection starts disabled; 1031 and 1009 stay so.
    for (CWnd* control : std::initializer_list<CWnd*>{&m_chkSubfolders, &m_btnSelectAll, &m_btnUp, &m_btnGenerate,
                                                      &m_btnRename, &m_btnSave, &m_cbTrack, &m_cbGenre})
        control->EnableWindow(false);
    for (const FieldControl& f : kFieldControls)
        if (f.edit)
            (this->*f.edit).EnableWindow(false);

    ShowStatus(IDS_STATUS_READY_KEY);
    UpdateData(false);
    return true;  // the focus goes to the first tab stop, the list
}

void CKestruneDlg::ShowStatus(unsigned keyStringId)
{
    CSettingsInfo entry;
    if (!m_lstStatus.Lookup(LoadString(keyStringId).c_str(), entry))
        return;
    m_stStatus.SetWindowText(entry.GetText());  // from a worker, the handle waits for the window thread
    // On the window thread the text is painted at once: the steps of a fill come and go while the
    // thread is busy with it. A worker's text is painted by the event loop that runs meanwhile.
    if (QThread::currentThread() == thread())
        m_stStatus.UpdateWindow();
}

void CKestruneDlg::OnSysCommand(unsigned nID)
{
    CDialog::OnSysCommand(nID);
}

void CKestruneDlg::OnPaint()
{
    if (!isMinimized()) {
        CDialog::OnPaint();
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int size = style()->pixelMetric(QStyle::PM_LargeIconSize);
    QRect iconRect(0, 0, size, size);
    iconRect.moveCenter(rect().center());
    m_hIcon.paint(&painter, iconRect);
}

QIcon CKestruneDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CKestruneDlg::OnAbout()
{
    CAboutDlg dlgAbout(this);
    dlgAbout.DoModal();
}

// Exit and the close button run the dialog's standard OK action: store, then end with IDOK.
void CKestruneDlg::OnFileExit()
{
    CDialog::OnOK();
}

void CKestruneDlg::OnClose()
{
    CDialog::OnOK();
}

// Enter never closes the window: with the list focused it is the list's Enter key.
void CKestruneDlg::OnOK()
{
    if (!m_lcFiles.GetSafeHwnd() || GetFocusControl() != m_lcFiles.GetSafeHwnd())
        return;
    NMLVKEYDOWN keyDown;
    keyDown.hdr = {IDC_FILES, LVN_KEYDOWN};
    keyDown.wVKey = VK_RETURN;
    LRESULT result = 0;
    OnListKeyDown(&keyDown.hdr, &result);
}

// Esc never closes the window.
void CKestruneDlg::OnCancel() {}

}  // namespace kestrune
