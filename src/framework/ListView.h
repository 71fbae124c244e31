#pragma once

#include <QListView>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrune {

// The file list as the Windows list view in list mode behaves: text-only items in columns as wide
// as the widest item (at most the list's width), several items selectable, a selection mark (anchor), and one notification per item and per
// state change carrying the old and the new state.
//
// Queries ("is it selected", "next selected", "how many") are answered from our own per-row
// state, not from Qt's selection model, which is far too slow for large lists.
class ListView : public QListView {
    Q_OBJECT
public:
    // Item state bits, with the values of the Windows list view.
    static constexpr unsigned StateFocused = 0x1;
    static constexpr unsigned StateSelected = 0x2;
    // Flags of GetNextItem.
    static constexpr unsigned NextAll = 0x0;
    static constexpr unsigned NextSelected = 0x2;

    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    // Inserts an item with this text at index (clamped to the end); returns its index.
    int InsertItem(int index, const std::string& text);
    // Removes every item; raises no item-changed notification.
    void DeleteAllItems();
    int GetItemCount() const;
    std::string GetItemText(int item) const;
    unsigned GetItemState(int item, unsigned mask) const;
    // The next item after start (-1: from the first) that has the flags' state, or -1.
    int GetNextItem(int start, unsigned flags) const;
    int GetSelectedCount() const;
    // The anchor of the current selection (the item last clicked or moved to), or -1.
    int GetSelectionMark() const;
    // Bulk selection: want[i] is 1 to select item i, 0 to deselect it, -1 to leave it. Applied to
    // Qt as ranges; itemChanged is raised for each changed item in ascending order.
    void SetItemsSelected(const std::vector<std::int8_t>& want);

signals:
    // One notification per change of an item's state bits (focus and/or selection), sent once the
    // item has its new state. A change of focus and one of selection come separately: a click
    // reports the focus first, then the selection; a key reports the selection first, then the
    // focus; items losing the selection come before items gaining it, a Shift range in Qt's order.
    // The first focus of the list focuses item 0 (a focus-only change). SetItemsSelected reports in
    // ascending item order; InsertItem and DeleteAllItems report nothing.
    void itemChanged(int item, unsigned oldState, unsigned newState);
    // A left double-click on an item. Enter is not an activation: it comes as keyDown.
    void itemActivated(int item);
    // A key pressed while the list has the focus (Qt key code; Enter and Return both give Qt::Key_Return),
    // sent before the list's own handling of the key. Enter goes no further than this signal.
    // Keys typed into a label editor are not reported.
    void keyDown(int key);

private:
    class Impl;
    std::unique_ptr<Impl> d;

    // Qt's hooks: through them the per-row state follows what the view shows, and the mouse and
    // the keyboard get the Windows selection rules.
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kestrune
