#include "framework/ListView.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kestrune {
namespace {

constexpr unsigned F = ListView::StateFocused;
constexpr unsigned S = ListView::StateSelected;

using Change = std::tuple<int, unsigned, unsigned>;  // item, old state, new state
using Changes = std::vector<Change>;
using Items = std::vector<int>;
using Keys = std::vector<std::pair<int, std::size_t>>;  // each key, with the number of changes logged before it

class ListViewTest : public ::testing::Test {
protected:
    static constexpr int itemCount = 30;

    void SetUp() override
    {
        for (int i = 0; i < itemCount; ++i)
            list.InsertItem(i, "item" + std::to_string(100 + i));
        told.assign(itemCount, 0);
        // Every notification must start from the state the last one for that item left: the main
        // window counts the selected files from them.
        QObject::connect(&list, &ListView::itemChanged, [this](int item, unsigned oldState, unsigned newState) {
            EXPECT_EQ(oldState, told.at(static_cast<std::size_t>(item))) << "item " << item;
            told.at(static_cast<std::size_t>(item)) = newState;
            log.push_back({item, oldState, newState});
        });
        QObject::connect(&list, &ListView::keyDown, [this](int key) { keys.push_back({key, log.size()}); });
        QObject::connect(&list, &ListView::itemActivated, [this](int item) { activated.push_back(item); });
        // Low enough for the items to wrap into several columns.
        list.resize(640, 120);
        list.setFocus();
        list.show();
        list.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
        ASSERT_TRUE(QTest::qWaitFor([&] { return list.hasFocus(); }, 2000));
        EXPECT_EQ(Take(), (Changes{{0, 0, F}})) << "the first focus only focuses the first item";
    }

    Changes Take() { return std::exchange(log, {}); }

    QPoint Centre(int item) const { return list.visualRect(list.model()->index(item, 0)).center(); }
    void Click(int item, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, mods, Centre(item));
    }
    static Items Range(int first, int last)
    {
        Items items(static_cast<std::size_t>(last - first + 1));
        std::iota(items.begin(), items.end(), first);
        return items;
    }
    void Key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&list, k, mods); }

    // Selected items as the list answers, after checking that Qt's view and the notifications agree.
    Items Selected() const
    {
        Items rows;
        for (int i = -1; (i = list.GetNextItem(i, ListView::NextSelected)) >= 0;)
            rows.push_back(i);
        for (int i = 0; i < list.GetItemCount(); ++i) {
            EXPECT_EQ(list.selectionModel()->isSelected(list.model()->index(i, 0)), list.GetItemState(i, S) == S) << i;
            EXPECT_EQ(list.GetItemState(i, F | S), told.at(static_cast<std::size_t>(i))) << "item " << i;
        }
        const QModelIndex current = list.currentIndex();
        EXPECT_EQ(current.isValid() ? current.row() : -1, list.GetNextItem(-1, ListView::StateFocused));
        EXPECT_EQ(static_cast<int>(rows.size()), list.GetSelectedCount());
        return rows;
    }

    Changes log;
    std::vector<unsigned> told;  // each item's state as the notifications have told it
    Keys keys;
    Items activated;
    ListView list;  // last: goes first, before the logs its receivers write to
};

TEST_F(ListViewTest, ClickReportsFocusThenSelectionKeysTheReverseAndShiftSelectsFromTheMark)
{
    EXPECT_EQ(list.GetSelectionMark(), -1);
    Click(2);
    EXPECT_EQ(Take(), (Changes{{0, F, 0}, {2, 0, F}, {2, F, F | S}}));
    Click(5);
    EXPECT_EQ(Take(), (Changes{{2, F | S, S}, {5, 0, F}, {2, S, 0}, {5, F, F | S}}));

    Click(8, Qt::ControlModifier);
    Click(3, Qt::ControlModifier);
    Take();
    Click(8, Qt::ControlModifier);
    EXPECT_EQ(Take(), (Changes{{3, F | S, S}, {8, S, F | S}, {8, F | S, F}}));
    EXPECT_EQ(Selected(), (Items{3, 5}));

    // Shift selects from the mark only, and through the wrapped columns.
    Click(8, Qt::ControlModifier);
    ASSERT_GT(Centre(25).x(), Centre(8).x()) << "the items should wrap into columns";
    Click(25, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), Range(8, 25));
    Click(0, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), Range(0, 8));

    // Keys report the selection first, then the focus.
    Click(0);
    Take();
    Key(Qt::Key_Down);
    EXPECT_EQ(Take(), (Changes{{0, F | S, F}, {1, 0, S}, {0, F, 0}, {1, S, F | S}}));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Take(), (Changes{{2, 0, S}, {1, F | S, S}, {2, S, F | S}}));
    EXPECT_EQ(list.GetSelectionMark(), 1);
    // Shift+arrow drops an earlier Ctrl selection too.
    Click(9, Qt::ControlModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (Items{9, 10}));
    EXPECT_EQ(list.GetSelectionMark(), 9);
}

TEST_F(ListViewTest, EnterIsAKeyDownDoubleClickActivatesAndLabelsStayAsTheyAre)
{
    Click(4);
    Take();
    Key(Qt::Key_Enter);
    Key(Qt::Key_Down);  // keyDown comes before the key's own handling: no change logged yet
    EXPECT_EQ(keys, (Keys{{Qt::Key_Return, 0}, {Qt::Key_Down, 0}}));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::sendEvent(&list, &enter);
    EXPECT_TRUE(enter.isAccepted()) << "Enter goes no further than keyDown";

    test::DoubleClick(&list, Centre(3));
    EXPECT_EQ(list.GetSelectionMark(), 3);
    test::DoubleClick(&list, Centre(4), Qt::RightButton);
    EXPECT_EQ(activated, Items{3});

    // A label edited in place goes back to its text: the text names a file.
    Click(6);
    keys.clear();
    Key(Qt::Key_F2);
    QPointer<QLineEdit> editor = list.viewport()->findChild<QLineEdit*>();
    ASSERT_FALSE(editor.isNull()) << "F2 opens the label editor";
    editor->setText("renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.isNull(); }, 2000));
    EXPECT_EQ(list.model()->index(6, 0).data().toString(), QString("item106"));
    EXPECT_EQ(keys.size(), 1u) << "the editor's Enter is not the list's";
}

}  // namespace
}  // namespace kestrune
