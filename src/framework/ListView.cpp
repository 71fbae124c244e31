#include "framework/ListView.h"

#include "framework/WidestText.h"

#include <QAbstractListModel>
#include <QGuiApplication>
#include <QInputEvent>
#include <QItemSelection>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

#include <algorithm>
#include <utility>

namespace kestrune {

namespace {

// The items' texts, kept as the bytes the caller gave: a name read from the disk that is not valid
// UTF-8 still comes back unchanged and still names its file.
class ItemModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_texts.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
        case Qt::ToolTipRole:  // the column is narrow; the tip shows a cut name whole
            return QString::fromStdString(m_texts[static_cast<std::size_t>(index.row())]);
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
    }

    // A label may be edited, but the window takes no edited label: refusing it here makes the
    // item show its old text again when the editor closes.
    bool setData(const QModelIndex&, const QVariant&, int) override { return false; }

    void Insert(int row, std::string text)
    {
        beginInsertRows({}, row, row);
        m_texts.insert(m_texts.begin() + row, std::move(text));
        endInsertRows();
    }

    void Clear()
    {
        beginResetModel();
        m_texts.clear();
        endResetModel();
    }

    const std::string& Text(int row) const { return m_texts[static_cast<std::size_t>(row)]; }

private:
    std::vector<std::string> m_texts;
};

// All columns have one width, as in the Windows list: that of the widest entry, so that no name is
// cut, but no wider than the list shows, where an over-long name ends in an ellipsis (its tip shows
// it whole). One size for every item also keeps the layout of 100,000 items instant: Qt asks for it
// once per layout.
class ColumnDelegate final : public QStyledItemDelegate {
public:
    ColumnDelegate(QListView* view, WidestText& widest) : QStyledItemDelegate(view), m_view(view), m_widest(widest) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize natural = QStyledItemDelegate::sizeHint(option, index);
        // The item's frame and margins around its text, as the style makes them.
        const int margins = natural.width() - option.fontMetrics.horizontalAdvance(index.data().toString());
        const int gap = option.fontMetrics.averageCharWidth();
        const int width = m_widest.Width() + margins + gap;
        return {std::max(1, std::min(width, m_view->viewport()->width())), natural.height()};
    }

private:
    QListView* m_view;
    WidestText& m_widest;
};

}  // namespace

class ListView::Impl {
public:
    explicit Impl(ListView* view) : q(view) {}

    // Sets or clears bits of one item's state and reports the change, if there is one.
    void Change(int item, unsigned bits, bool on)
    {
        if (item < 0 || item >= static_cast<int>(state.size()))
            return;
        const unsigned oldState = state[static_cast<std::size_t>(item)];
        const unsigned newState = on ? (oldState | bits) : (oldState & ~bits);
        if (newState == oldState)
            return;
        state[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(newState);
        if ((oldState ^ newState) & StateSelected)
            selectedCount += on ? 1 : -1;
        emit q->itemChanged(item, oldState, newState);
    }

    // Brings the focus bit to Qt's current item: the old item loses it, then the new one gains it.
    void SyncFocus()
    {
        const QModelIndex current = q->currentIndex();
        const int now = current.isValid() ? current.row() : -1;
        if (now == focused)
            return;
        const int before = std::exchange(focused, now);
        const auto round = generation;
        Change(before, StateFocused, false);
        if (round == generation)
            Change(now, StateFocused, true);
    }

    ListView* q;
    ItemModel* model = nullptr;
    WidestText widest;  // the entries' texts in the list's font
    std::vector<std::uint8_t> state;  // per item: StateFocused | StateSelected
    int selectedCount = 0;
    int focused = -1;
    int mark = -1;
    // While Qt applies a change that we report ourselves (bulk selection, deleting all), its
    // signals are not turned into notifications.
    int quiet = 0;
    // Inside a key press the focus is reported after the selection, as the Windows keyboard does.
    bool keyPressing = false;
    bool leftDoubleClick = false;
    // Counts DeleteAllItems calls, so that a run of notifications stops when a receiver empties the list.
    std::uint64_t generation = 0;
};

ListView::ListView(QWidget* parent) : QListView(parent), d(std::make_unique<Impl>(this))
{
    d->model = new ItemModel(this);
    setModel(d->model);
    d->widest.Reset(font());
    setItemDelegate(new ColumnDelegate(this, d->widest));
    setViewMode(ListMode);
    setFlow(TopToBottom);
    setWrapping(true);
    setResizeMode(Adjust);
    setUniformItemSizes(true);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(EditKeyPressed);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the columns wrap; only sideways scrolling

    // Only a left double-click on the item pressed first activates it (Qt turns a double-click
    // elsewhere into a press and reports any button).
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (d->leftDoubleClick && index.isValid())
            emit itemActivated(index.row());
    });
}

ListView::~ListView() = default;

int ListView::InsertItem(int index, const std::string& text)
{
    const int count = GetItemCount();
    const int row = std::clamp(index, 0, count);
    d->state.insert(d->state.begin() + row, std::uint8_t{0});
    if (d->focused >= row)
        ++d->focused;
    if (d->mark >= row)
        ++d->mark;
    d->widest.Add(text);
    d->model->Insert(row, text);
    return row;
}

void ListView::DeleteAllItems()
{
    ++d->generation;
    {
        const QScopedValueRollback quiet(d->quiet, d->quiet + 1);
        d->model->Clear();
    }
    d->widest.Clear();
    d->state.clear();
    d->selectedCount = 0;
    d->focused = -1;
    d->mark = -1;
}

int ListView::GetItemCount() const
{
    return d->model->rowCount();
}

std::string ListView::GetItemText(int item) const
{
    if (item < 0 || item >= GetItemCount())
        return {};
    return d->model->Text(item);
}

unsigned ListView::GetItemState(int item, unsigned mask) const
{
    if (item < 0 || item >= static_cast<int>(d->state.size()))
        return 0;
    return d->state[static_cast<std::size_t>(item)] & mask;
}

int ListView::GetNextItem(int start, unsigned flags) const
{
    const unsigned need = flags & (StateFocused | StateSelected);
    const auto first = d->state.begin() + (std::clamp(start, -1, static_cast<int>(d->state.size()) - 1) + 1);
    const auto found = std::find_if(first, d->state.end(), [need](std::uint8_t s) { return (s & need) == need; });
    return found == d->state.end() ? -1 : static_cast<int>(found - d->state.begin());
}

int ListView::GetSelectedCount() const
{
    return d->selectedCount;
}

int ListView::GetSelectionMark() const
{
    return d->mark;
}

void ListView::SetItemsSelected(const std::vector<std::int8_t>& want)
{
    const int count = GetItemCount();
    const int covered = std::min(count, static_cast<int>(want.size()));
    const auto selectedAfter = [&](int row) {
        const auto i = static_cast<std::size_t>(row);
        return row < covered && want[i] >= 0 ? want[i] != 0 : (d->state[i] & StateSelected) != 0;
    };

    std::vector<int> changed;
    for (int row = 0; row < covered; ++row)
        if (selectedAfter(row) != ((d->state[static_cast<std::size_t>(row)] & StateSelected) != 0))
            changed.push_back(row);
    if (changed.empty())
        return;

    // Qt gets the resulting selection whole, as runs of rows: clearing and then selecting into an
    // empty selection costs time in proportion to the number of runs, while merging into a
    // selection that is already there grows with the square of it.
    QItemSelection result;
    for (int row = 0; row < count;) {
        if (!selectedAfter(row)) {
            ++row;
            continue;
        }
        int last = row;
        while (last + 1 < count && selectedAfter(last + 1))
            ++last;
        result.append(QItemSelectionRange(d->model->index(row), d->model->index(last)));
        row = last + 1;
    }
    {
        const QScopedValueRollback quiet(d->quiet, d->quiet + 1);
        selectionModel()->clearSelection();
        selectionModel()->select(result, QItemSelectionModel::Select);
        // Closes Qt's open selection, so that a later Ctrl+Shift range adds to this one instead of replacing it.
        selectionModel()->select(QItemSelection(), QItemSelectionModel::Select);
    }

    const auto round = d->generation;
    for (const int row : changed) {
        if (round != d->generation)
            return;
        d->Change(row, StateSelected, want[static_cast<std::size_t>(row)] != 0);
    }
}

void ListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (d->quiet)
        return;
    const auto round = d->generation;
    const auto report = [&](const QItemSelection& ranges, bool on) {
        for (const QItemSelectionRange& range : ranges)
            for (int row = range.top(); row <= range.bottom(); ++row) {
                if (round != d->generation)
                    return false;
                d->Change(row, StateSelected, on);
            }
        return true;
    };
    if (report(deselected, false))
        report(selected, true);
}

void ListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    if (d->quiet || d->keyPressing)
        return;
    d->SyncFocus();
}

QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    const Qt::KeyboardModifiers modifiers = event && event->isInputEvent()
                                                ? static_cast<const QInputEvent*>(event)->modifiers()
                                                : QGuiApplication::keyboardModifiers();
    // Shift selects from the anchor to the item and nothing else; Qt would keep the items
    // selected earlier with Ctrl.
    if ((flags & QItemSelectionModel::Current) && (modifiers & Qt::ShiftModifier) &&
        !(modifiers & Qt::ControlModifier))
        flags |= QItemSelectionModel::Clear;
    return flags;
}

QRegion ListView::visualRegionForSelection(const QItemSelection& selection) const
{
    // Qt measures every row of the change; for a large one, repainting what is visible is cheaper.
    constexpr int rowsWorthMeasuring = 256;
    int rows = 0;
    for (const QItemSelectionRange& range : selection) {
        rows += range.height();
        if (rows > rowsWorthMeasuring)
            return QRegion(viewport()->rect());
    }
    return QListView::visualRegionForSelection(selection);
}

void ListView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {  // the widths were estimated in the old font
        d->widest.Reset(font());
        for (int row = 0; row < GetItemCount(); ++row)
            d->widest.Add(d->model->Text(row));
    }
    QListView::changeEvent(event);
}

void ListView::mousePressEvent(QMouseEvent* event)
{
    // The item pressed becomes the anchor of later Shift ranges; a Shift press leaves the anchor.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && !(event->modifiers() & Qt::ShiftModifier))
        d->mark = index.row();
    QListView::mousePressEvent(event);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QScopedValueRollback left(d->leftDoubleClick, event->button() == Qt::LeftButton);
    QListView::mouseDoubleClickEvent(event);
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key() == Qt::Key_Enter ? Qt::Key_Return : event->key();
    // While a label is edited, the keys the editor leaves reach us: they are the editor's, not the
    // list's, and the Enter that ends the editing goes no further.
    if (state() == EditingState) {
        if (key == Qt::Key_Return)
            event->accept();
        else
            QListView::keyPressEvent(event);
        return;
    }
    emit keyDown(key);
    // Enter means only what the window makes of keyDown: Qt would also activate the current item
    // and pass the key on to the dialog.
    if (key == Qt::Key_Return) {
        event->accept();
        return;
    }

    const auto round = d->generation;
    const QModelIndex before = currentIndex();
    {
        const QScopedValueRollback keyPressing(d->keyPressing, true);
        QListView::keyPressEvent(event);
    }
    const QModelIndex after = currentIndex();
    if (round == d->generation && after.isValid() && after != before && !(event->modifiers() & Qt::ShiftModifier))
        d->mark = after.row();
    d->SyncFocus();
}

}  // namespace kestrune
