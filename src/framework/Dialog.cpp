#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/UiCall.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcutEvent>
#include <QThread>

#include <stdexcept>

namespace kestrune {

CDialog::CDialog(int templateId, QWidget* parent)
    : QDialog(parent), m_templateId(templateId), m_pTemplate(FindDialogTemplate(templateId))
{
    if (!m_pTemplate)
        throw std::logic_error("no dialog template " + std::to_string(templateId));
}

CDialog::~CDialog()
{
    if (m_bCreated)
        qApp->removeEventFilter(this);
}

void CDialog::Create()
{
    if (m_bCreated)
        return;
    m_bCreated = true;
    Build();
    qApp->installEventFilter(this);
    m_bInitialising = true;
    const bool focusFirst = OnInitDialog();
    m_bInitialising = false;
    if (focusFirst)
        FocusFirstTabStop();
}

int CDialog::DoModal()
{
    Create();
    if (m_bEndedInInit) {  // OnInitDialog ended the dialog: it is never shown
        m_bEndedInInit = false;
        return result();
    }
    return exec();
}

void CDialog::EndDialog(int result)
{
    if (QThread::currentThread() != thread()) {
        UiPost(this, [this, result] { EndDialog(result); });
        return;
    }
    if (m_bInitialising)
        m_bEndedInInit = true;
    done(result);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    // A show's writes raise the controls' change notifications. As the Windows framework does, the
    // dialog ignores them while the exchange runs, so that no handler stores or shows in the middle
    // of it (a store there would take back members not yet shown).
    const QScopedValueRollback exchanging(m_bExchanging, true);
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::ForgetShown(int id)
{
    for (ShownBinding& binding : m_shown)
        if (binding.id == id)
            binding.textKnown = false;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

const MessageMap& CDialog::GetMessageMap() const
{
    static const MessageMap none;
    return none;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

QWidget* CDialog::GetDlgItem(int id) const
{
    auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : it->second;
}

int CDialog::GetDlgCtrlID(const QWidget* widget) const
{
    for (; widget && widget != this; widget = widget->parentWidget())
        for (const Control& c : m_controls)
            if (c.widget == widget)
                return c.id;
    return 0;
}

QWidget* CDialog::GetFocusControl() const
{
    for (QWidget* w = focusWidget(); w && w != this; w = w->parentWidget())
        for (const Control& c : m_controls)
            if (c.widget == w)
                return w;
    return nullptr;
}

QAction* CDialog::GetMenuCommand(int id) const
{
    auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second;
}

void CDialog::SetIcon(const QIcon& icon, bool)
{
    // One window icon serves every size here.
    setWindowIcon(icon);
}

bool CDialog::Dispatch(Msg msg, int id, MessageArgs& args, unsigned code)
{
    if (m_bExchanging && (msg == Msg::EditChange || msg == Msg::Notify))
        return true;  // raised by the exchange itself
    for (const MessageEntry& entry : GetMessageMap()) {
        if (entry.msg == msg && entry.id == id && entry.code == code) {
            entry.call(*this, args);
            return true;
        }
    }
    if (msg == Msg::Command && id == IDOK) {
        OnOK();
        return true;
    }
    if (msg == Msg::Command && id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::SendCommand(int id)
{
    MessageArgs args;
    Dispatch(Msg::Command, id, args);
}

LRESULT CDialog::SendNotify(NMHDR& header)
{
    MessageArgs args;
    args.nmhdr = &header;
    Dispatch(Msg::Notify, header.idFrom, args, header.code);
    return args.result;
}

QIcon CDialog::QueryDragIcon()
{
    MessageArgs args;
    return Dispatch(Msg::QueryDragIcon, 0, args) ? args.icon : windowIcon();
}

void CDialog::FocusFirstTabStop()
{
    for (const Control& c : m_controls) {
        if ((c.tmpl->style & cs::TabStop) && c.widget->isEnabled() && (c.widget->focusPolicy() & Qt::TabFocus)) {
            c.widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// Enter and Esc are taken before the focused control sees them, as the Windows dialog manager
// does; an editor opened inside a list, and the menu bar while it has the keyboard, keep them. An
// access key that a label and a menu title share goes to the label's control, as on Windows.
bool CDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Shortcut && m_pMenu && watched == m_pMenu &&
        static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
        for (const Control& c : m_controls) {
            auto* label = qobject_cast<QLabel*>(c.widget);
            if (label && label->buddy() && QKeySequence::mnemonic(label->text()) == key) {
                label->buddy()->setFocus(Qt::ShortcutFocusReason);
                return true;
            }
        }
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this || widget == static_cast<QWidget*>(m_pMenu))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter && key->key() != Qt::Key_Escape)
        return false;
    if (const int id = GetDlgCtrlID(widget)) {
        QWidget* control = GetDlgItem(id);
        if (control && control != widget && qobject_cast<QAbstractItemView*>(control))
            return false;
    }
    if (enter)
        OnEnterKey();
    else
        SendCommand(IDCANCEL);
    return true;
}

void CDialog::OnEnterKey()
{
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (focused && !focused->isCheckable() && focused->isEnabled()) {
        focused->click();
        return;
    }
    if (m_pDefaultButton) {
        if (m_pDefaultButton->isEnabled())
            m_pDefaultButton->click();
        return;
    }
    SendCommand(IDOK);
}

void CDialog::reject()
{
    SendCommand(IDCANCEL);
}

void CDialog::closeEvent(QCloseEvent* event)
{
    MessageArgs args;
    if (!Dispatch(Msg::Close, 0, args))
        SendCommand(IDCANCEL);
    event->setAccepted(!isVisible());
}

void CDialog::paintEvent(QPaintEvent* event)
{
    MessageArgs args;
    if (!Dispatch(Msg::Paint, 0, args))
        QDialog::paintEvent(event);
}

void CDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        MessageArgs args;
        args.sysCommand = isMinimized() ? SC_MINIMIZE : isMaximized() ? SC_MAXIMIZE : SC_RESTORE;
        if (!Dispatch(Msg::SysCommand, 0, args))
            OnSysCommand(args.sysCommand);
    }
    QDialog::changeEvent(event);
}

}  // namespace kestrune
