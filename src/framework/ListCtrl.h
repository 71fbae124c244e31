#pragma once

#include "framework/ListView.h"
#include "framework/MessageMap.h"
#include "framework/Wnd.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrune {

// Item state bits and GetNextItem flags, with the values of the Windows list view.
inline constexpr unsigned LVIS_FOCUSED = ListView::StateFocused;
inline constexpr unsigned LVIS_SELECTED = ListView::StateSelected;
inline constexpr unsigned LVNI_ALL = ListView::NextAll;
inline constexpr unsigned LVNI_SELECTED = ListView::NextSelected;

// Notification codes of the list view.
inline constexpr unsigned LVN_ITEMCHANGED = 0u - 101u;
inline constexpr unsigned LVN_ITEMACTIVATE = 0u - 114u;
inline constexpr unsigned LVN_KEYDOWN = 0u - 155u;

inline constexpr unsigned LVIF_STATE = 0x8;

// Virtual-key codes carried by LVN_KEYDOWN; other keys carry 0.
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_DELETE = 0x2E;
// The virtual-key code of a Qt key: letters and digits are their upper-case character.
int VirtualKeyOf(int qtKey);

// LVN_ITEMCHANGED: one item's state changed from uOldState to uNewState.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    unsigned uNewState = 0;
    unsigned uOldState = 0;
    unsigned uChanged = LVIF_STATE;
};

// LVN_ITEMACTIVATE: an item was double-clicked.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
};

// LVN_KEYDOWN: a key was pressed while the list had the focus.
struct NMLVKEYDOWN {
    NMHDR hdr;
    int wVKey = 0;
};

// Handle on the list view (kestrune::ListView); every call may come from any thread.
class CListCtrl : public CWnd {
public:
    ListView* GetListView() const { return static_cast<ListView*>(GetSafeHwnd()); }

    int InsertItem(int item, const std::string& text);
    bool DeleteAllItems();
    int GetItemCount() const;
    std::string GetItemText(int item) const;
    unsigned GetItemState(int item, unsigned mask) const;
    int GetNextItem(int item, unsigned flags) const;
    int GetSelectedCount() const;
    int GetSelectionMark() const;
    // want[i]: 1 selects item i, 0 deselects it, -1 leaves it; one notification per change.
    void SetItemsSelected(const std::vector<std::int8_t>& want);

protected:
    bool Accepts(const QWidget* control) const override;
};

}  // namespace kestrune
