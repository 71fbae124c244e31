// The options dialog of the Settings command: empty, modal over the whole application, and closing
// it by any way changes nothing.
#include "save/SaveTestFiles.h"
#include "settings/OptionsDlg.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QTreeWidget>

namespace kestrune::test {
namespace {

using OptionsDialog = MainWindowFixture;

TEST_F(OptionsDialog, OpensEmptyEachTimeBlocksTheMainWindowAndChangesNothing)
{
    dir.Write("a.mp3", TaggedMp3("a"));
    OpenFolder();
    ClickEntry("a.mp3");
    const std::vector<QString> shownBefore = ShownTexts();
    const std::string fileBefore = ReadFile(dir.Path() / "a.mp3");

    // Closed by OK, Cancel, Esc, Enter and the close box, each in turn.
    for (int way = 0; way < 5; ++way) {
        SCOPED_TRACE(way);
        int opened = 0;
        ModalWatcher watcher([&](CDialog& options) {
            ++opened;
            EXPECT_NE(dynamic_cast<COptionsDlg*>(&options), nullptr);
            EXPECT_EQ(options.windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(ControlAs<QTreeWidget>(options, IDC_OPTIONS_TREE)->topLevelItemCount(), 0);
            // The main window takes no input meanwhile.
            ClickThroughWindow(Control(*dlg, IDC_WRITE_TITLE));
            QApplication::processEvents();
            EXPECT_EQ(dlg->m_bWriteTitle, 0);
            QWidget* tree = options.GetDlgItem(IDC_OPTIONS_TREE);
            switch (way) {
            case 0: Click(options, IDOK); break;
            case 1: Click(options, IDCANCEL); break;
            case 2: PressKey(tree, Qt::Key_Escape); break;
            case 3: PressKey(tree, Qt::Key_Return); break;
            default: options.close(); break;
            }
            EXPECT_FALSE(options.isVisible());
        });
        ChooseMenu(*dlg, ID_FILE_SETTINGS);
        EXPECT_EQ(opened, 1);
    }
    EXPECT_EQ(ShownTexts(), shownBefore);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");
    EXPECT_EQ(ReadFile(dir.Path() / "a.mp3"), fileBefore);
    // Input reaches the main window again.
    ClickThroughWindow(Control(*dlg, IDC_WRITE_TITLE));
    EXPECT_EQ(dlg->m_bWriteTitle, 1);
}

}  // namespace
}  // namespace kestrune::test
