// The options dialog of the Settings command: empty, modal over the whole application, and closing
// it by any way changes nothing.
#include "save/SaveTestFiles.h"
#include "settings/OptionsDlg.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QTreeWidget>

namespace kestrune::test {
namespace {

enum class CloseBy { Ok, Cancel, Esc, Enter, CloseBox };
void PrintTo(CloseBy way, std::ostream* out)
{
    const char* names[] = {"Ok", "Cancel", "Esc", "Enter", "CloseBox"};
    *out << names[static_cast<int>(way)];
}

class OptionsDialog : public MainWindowFixture, public testing::WithParamInterface<CloseBy> {};

TEST_P(OptionsDialog, OpensEmptyEachTimeBlocksTheMainWindowAndChangesNothing)
{
    dir.Write("a.mp3", TaggedMp3("a"));
    OpenFolder();
    ClickEntry("a.mp3");
    const std::vector<QString> shownBefore = ShownTexts();
    const std::string fileBefore = ReadFile(dir.Path() / "a.mp3");

    for (int time = 1; time <= 2; ++time) {
        SCOPED_TRACE(time);
        int opened = 0;
        ModalWatcher watcher([&](CDialog& options) {
            ++opened;
            EXPECT_NE(dynamic_cast<COptionsDlg*>(&options), nullptr);
            EXPECT_EQ(options.parentWidget(), nullptr);
            EXPECT_EQ(options.windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(ControlAs<QTreeWidget>(options, IDC_OPTIONS_TREE)->topLevelItemCount(), 0);
            // The main window takes no input meanwhile.
            ClickThroughWindow(Control(*dlg, IDC_WRITE_TITLE));
            QApplication::processEvents();
            EXPECT_EQ(dlg->m_bWriteTitle, 0);

            QWidget* tree = options.GetDlgItem(IDC_OPTIONS_TREE);
            switch (GetParam()) {
            case CloseBy::Ok: Click(options, IDOK); break;
            case CloseBy::Cancel: Click(options, IDCANCEL); break;
            case CloseBy::Esc: PressKey(tree, Qt::Key_Escape); break;
            case CloseBy::Enter: PressKey(tree, Qt::Key_Return); break;
            case CloseBy::CloseBox: options.close(); break;
            }
            EXPECT_FALSE(options.isVisible());
        });
        ChooseMenu(*dlg, ID_FILE_SETTINGS);
        EXPECT_EQ(opened, 1);
    }

    // Nothing of the track-number page was ever made.
    for (QWidget* w : QApplication::allWidgets()) {
        auto* d = qobject_cast<CDialog*>(w);
        EXPECT_TRUE(!d || d->GetTemplateId() != IDD_TRACK_PAGE);
    }
    EXPECT_EQ(ShownTexts(), shownBefore);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");
    EXPECT_EQ(ReadFile(dir.Path() / "a.mp3"), fileBefore);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Input reaches the main window again.
    ClickThroughWindow(Control(*dlg, IDC_WRITE_TITLE));
    EXPECT_EQ(dlg->m_bWriteTitle, 1);
}

INSTANTIATE_TEST_SUITE_P(EachWay, OptionsDialog,
                         testing::Values(CloseBy::Ok, CloseBy::Cancel, CloseBy::Esc, CloseBy::Enter, CloseBy::CloseBox),
                         testing::PrintToStringParamName());

}  // namespace
}  // namespace kestrune::test
