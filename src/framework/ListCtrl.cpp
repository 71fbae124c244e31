#include "framework/ListCtrl.h"

namespace kestrune {

int VirtualKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;  // Qt and Windows share these codes
    return 0;
}

int CListCtrl::InsertItem(int item, const std::string& text)
{
    return Send([l = GetListView(), item, &text] { return l->InsertItem(item, text); });
}

bool CListCtrl::DeleteAllItems()
{
    Send([l = GetListView()] { l->DeleteAllItems(); });
    return true;
}

int CListCtrl::GetItemCount() const
{
    return Send([l = GetListView()] { return l->GetItemCount(); });
}

std::string CListCtrl::GetItemText(int item) const
{
    return Send([l = GetListView(), item] { return l->GetItemText(item); });
}

unsigned CListCtrl::GetItemState(int item, unsigned mask) const
{
    return Send([l = GetListView(), item, mask] { return l->GetItemState(item, mask); });
}

int CListCtrl::GetNextItem(int item, unsigned flags) const
{
    return Send([l = GetListView(), item, flags] { return l->GetNextItem(item, flags); });
}

int CListCtrl::GetSelectedCount() const
{
    return Send([l = GetListView()] { return l->GetSelectedCount(); });
}

int CListCtrl::GetSelectionMark() const
{
    return Send([l = GetListView()] { return l->GetSelectionMark(); });
}

void CListCtrl::SetItemsSelected(const std::vector<std::int8_t>& want)
{
    Send([l = GetListView(), &want] { l->SetItemsSelected(want); });
}

bool CListCtrl::Accepts(const QWidget* control) const
{
    return qobject_cast<const ListView*>(control) != nullptr;
}

}  // namespace kestrune
