#pragma once

#include <span>

namespace kestrune {

// Command results and the ids of the standard buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// The id of a control that nothing refers to (plain labels).
inline constexpr int IDC_STATIC = -1;

enum class ControlKind {
    PushButton,
    CheckBox,      // automatic tick box: toggles itself when clicked
    Edit,
    ComboBox,      // drop-down with an edit field
    Label,         // static text
    Icon,          // static icon, drawn at the icon's own size
    ListView,
    ProgressBar,
    TreeView,
};

// Style facts of a control that change how it looks or behaves here.
namespace cs {
inline constexpr unsigned TabStop = 0x1;
inline constexpr unsigned Default = 0x2;     // default push button: takes Enter
inline constexpr unsigned PushLike = 0x4;    // tick box drawn as a push button
inline constexpr unsigned NoPrefix = 0x8;    // "&" is shown, not an access key
inline constexpr unsigned DigitsOnly = 0x10; // edit accepts digits only
}  // namespace cs

// Style facts of a dialog.
namespace ds {
inline constexpr unsigned SystemMenu = 0x1;  // caption with a close box
inline constexpr unsigned Child = 0x2;       // a page meant to sit inside another window
inline constexpr unsigned Disabled = 0x4;    // created disabled
inline constexpr unsigned Centered = 0x8;
inline constexpr unsigned AppWindow = 0x10;  // own task-bar button
}  // namespace ds

// One control of a dialog template. Positions and sizes are in dialog units.
struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;  // UTF-8; null for controls without text
    int x, y, cx, cy;
    unsigned style = 0;
    // Label: the control it introduces (its access key moves there, and it names the control for
    // screen readers). Icon: the icon resource.
    int ref = 0;
    // The name screen readers give the control, for a control without text of its own or whose text
    // says too little ("A"); a control a label introduces is named after the label.
    const char* accessibleName = nullptr;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int cx, cy;                // client size in dialog units
    const char* fontName;      // the Windows name; here it stands for the system's dialog font
    int pointSize;
    unsigned style;
    int menuId;                // 0: no menu
    std::span<const ControlTemplate> controls;  // template order, which is also the tab order
};

struct MenuItemTemplate {
    int id;            // 0: separator
    const char* text;
};

struct MenuPopupTemplate {
    const char* text;
    std::span<const MenuItemTemplate> items;
};

struct MenuTemplate {
    int id;
    std::span<const MenuPopupTemplate> popups;
};

// Key codes and modifiers of an accelerator entry, as Windows writes them.
namespace accel {
inline constexpr unsigned Shift = 0x4;
inline constexpr unsigned Control = 0x8;
inline constexpr int VK_F1 = 0x70;
}  // namespace accel

struct AcceleratorTemplate {
    int key;            // virtual-key code
    unsigned modifiers;
    int command;
};

struct AcceleratorTable {
    int id;
    std::span<const AcceleratorTemplate> entries;
};

// The registered resources (framework/Resources.h), by id; null when there is none.
const DialogTemplate* FindDialogTemplate(int id);
const MenuTemplate* FindMenuTemplate(int id);
const AcceleratorTable* FindAcceleratorTable(int id);
// The Qt resource path of an icon resource, or null.
const char* FindIconPath(int id);

}  // namespace kestrune
