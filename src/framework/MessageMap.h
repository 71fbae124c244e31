#pragma once

#include <QIcon>

#include <functional>
#include <vector>

namespace kestrune {

class CDialog;

using LRESULT = long;

// Header of every notification a control sends to its dialog.
struct NMHDR {
    int idFrom = 0;      // control id
    unsigned code = 0;   // notification code (LVN_...)
};

// What a dialog can receive. Button clicks and menu commands are both commands, told apart by id
// alone, so Enter (command IDOK) and a click on an OK button are one and the same.
enum class Msg {
    Command,        // button clicked, menu command chosen, Enter (IDOK), Esc (IDCANCEL)
    EditChange,     // the text of an edit changed, by the user or by the program
    Notify,         // a notification with an NMHDR-headed record and a result
    Close,          // the window's close button, Alt+F4, the window menu's Close
    Paint,          // the window is painted
    SysCommand,     // the window manager minimised, maximised or restored the window
    QueryDragIcon,  // the minimised window's icon, asked through CDialog::QueryDragIcon
};

// Window-menu commands, as carried by Msg::SysCommand.
inline constexpr unsigned SC_MINIMIZE = 0xF020;
inline constexpr unsigned SC_MAXIMIZE = 0xF030;
inline constexpr unsigned SC_RESTORE = 0xF120;

struct MessageArgs {
    NMHDR* nmhdr = nullptr;
    LRESULT result = 0;
    unsigned sysCommand = 0;
    QIcon icon;
};

// One entry of a dialog's message table: (message, control or command id, notification code)
// routed to a handler of the dialog class.
struct MessageEntry {
    Msg msg;
    int id;
    unsigned code;
    std::function<void(CDialog&, MessageArgs&)> call;
};

using MessageMap = std::vector<MessageEntry>;

// Entry builders, one per kind of handler.
namespace msg {

template <class D>
MessageEntry Clicked(int id, void (D::*fn)())
{
    return {Msg::Command, id, 0, [fn](CDialog& d, MessageArgs&) { (static_cast<D&>(d).*fn)(); }};
}

template <class D>
MessageEntry Command(int id, void (D::*fn)())
{
    return Clicked(id, fn);
}

template <class D>
MessageEntry EditChange(int id, void (D::*fn)())
{
    return {Msg::EditChange, id, 0, [fn](CDialog& d, MessageArgs&) { (static_cast<D&>(d).*fn)(); }};
}

template <class D>
MessageEntry Notify(unsigned code, int id, void (D::*fn)(NMHDR*, LRESULT*))
{
    return {Msg::Notify, id, code,
            [fn](CDialog& d, MessageArgs& a) { (static_cast<D&>(d).*fn)(a.nmhdr, &a.result); }};
}

template <class D>
MessageEntry Close(void (D::*fn)())
{
    return {Msg::Close, 0, 0, [fn](CDialog& d, MessageArgs&) { (static_cast<D&>(d).*fn)(); }};
}

template <class D>
MessageEntry Paint(void (D::*fn)())
{
    return {Msg::Paint, 0, 0, [fn](CDialog& d, MessageArgs&) { (static_cast<D&>(d).*fn)(); }};
}

template <class D>
MessageEntry SysCommand(void (D::*fn)(unsigned))
{
    return {Msg::SysCommand, 0, 0,
            [fn](CDialog& d, MessageArgs& a) { (static_cast<D&>(d).*fn)(a.sysCommand); }};
}

template <class D>
MessageEntry QueryDragIcon(QIcon (D::*fn)())
{
    return {Msg::QueryDragIcon, 0, 0, [fn](CDialog& d, MessageArgs& a) { a.icon = (static_cast<D&>(d).*fn)(); }};
}

}  // namespace msg

}  // namespace kestrune
