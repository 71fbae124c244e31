// The folder browser of the main window, driven as the user drives it: the two list fills, typing a
// path, the picker, Up, entering a folder from the list, "S", "A" and the selected count.
#include "res/ResourceIds.h"
#include "support/MainWindowFixture.h"
#include "support/Mp3Maker.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <initializer_list>
#include <set>
#include <utility>

namespace kestrune {
namespace {

namespace fs = std::filesystem;
using namespace kestrune::test;
using Texts = std::vector<std::string>;
using Set = std::set<std::string>;

class BrowserWindow : public MainWindowFixture {
protected:
    // What the window promises after every fill.
    void ExpectFillEnded()
    {
        EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));
        EXPECT_TRUE(Entries(LVNI_SELECTED).empty());
        EXPECT_EQ(Text(*dlg, IDC_SELECTED), "0");
        EXPECT_EQ(Text(*dlg, IDC_PATH).toStdString(), dlg->m_strPath);
        EXPECT_TRUE(Enabled(IDC_UP));
    }
};

TEST_F(BrowserWindow, FlatListPutsFoldersBeforeFilesAndSubfolderModeListsEveryFileOnce)
{
    for (const char* folder : {"Rock", ".hidden", "Album.mp3"})
        dir.Mkdir(folder);
    for (const char* file : {"b.mp3", "A.MP3", "cover.jpg", "Rock/inner.mp3", "Album.mp3/Disc/deep.mp3"})
        dir.Write(file, "x");
    fs::create_directory_symlink("../..", dir.Path() / "Album.mp3/Disc/up");  // a loop back to the top
    dlg->ShowFolder(dir.Str());
    const Texts entries = Entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(Set(entries.begin(), entries.begin() + 3), (Set{"Rock/", ".hidden/", "Album.mp3/"}));
    // The folder Album.mp3 is also a file entry: its name matches "*.mp3".
    EXPECT_EQ(Set(entries.begin() + 3, entries.end()), (Set{"b.mp3", "A.MP3", "Album.mp3"}));
    ExpectFillEnded();
    EXPECT_TRUE(Enabled(IDC_SELECT_ALL) && Enabled(IDC_SUBFOLDERS));
    EXPECT_EQ(fills, 1) << "the path written by the show must not start a second fill";

    // "S": the files level by level, each once, with their paths below the folder.
    Click(*dlg, IDC_SUBFOLDERS);
    Texts tree(entries.begin() + 3, entries.end());
    tree.insert(tree.end(), {"Rock/inner.mp3", "Album.mp3/Disc/deep.mp3"});
    EXPECT_EQ(Entries(), tree);
    EXPECT_TRUE(Enabled(IDC_SUBFOLDERS)) << "the mode can always be left";
    ExpectFillEnded();
    // Clicking "S" again gives back the flat list, the count at 0.
    Click(*dlg, IDC_SELECT_ALL);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "5");
    Click(*dlg, IDC_SUBFOLDERS);
    EXPECT_EQ(Entries(), entries);
    ExpectFillEnded();

    // A folder with nothing to list disables both.
    dlg->ShowFolder(dir.Str() + ".hidden/");
    EXPECT_TRUE(Entries().empty());
    EXPECT_FALSE(Enabled(IDC_SELECT_ALL) || Enabled(IDC_SUBFOLDERS));
}

// Paints of the status line: its text, and whether the wait cursor was up.
struct StatusPaints : QObject {
    std::vector<std::pair<QString, bool>> seen;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            const std::pair painted{static_cast<QLabel*>(watched)->text(), cursor && cursor->shape() == Qt::WaitCursor};
            if (seen.empty() || seen.back() != painted)
                seen.push_back(painted);
        }
        return false;
    }
};

// A fill and "A" hold the window thread: the wait cursor is up meanwhile and each status step is
// painted as it comes, while no input is handled before they end.
TEST_F(BrowserWindow, FillsAndSelectAllShowTheWaitCursorAndPaintEachStep)
{
    dir.Mkdir("Sub");
    dir.Write("a.mp3", "x");
    dir.Write("Sub/b.mp3", "x");
    StatusPaints paints;
    Control(*dlg, IDC_STATUS)->installEventFilter(&paints);
    auto* typedMeanwhile = ControlAs<QComboBox>(*dlg, IDC_CASE)->lineEdit();
    const auto expect = [](std::initializer_list<unsigned> steps) {
        std::vector<std::pair<QString, bool>> busy;
        for (unsigned step : steps)
            busy.emplace_back(Loaded(step), true);
        return busy;
    };
    const auto fill = expect({IDS_STATUS_FINDINGFOLDERS_TEXT, IDS_STATUS_FINDINGFILES_TEXT,
                              IDS_STATUS_ADDINGITEMS_TEXT, IDS_STATUS_READY_TEXT});

    for (const bool subfolders : {false, true}) {
        SCOPED_TRACE(subfolders ? "with S" : "flat");
        paints.seen.clear();
        QCoreApplication::postEvent(typedMeanwhile, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        dlg->m_chkSubfolders.SetCheck(subfolders);
        dlg->ShowFolder(dir.Str());
        EXPECT_EQ(paints.seen, fill);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(typedMeanwhile->text(), "") << "input waits until the fill is over";
        QCoreApplication::sendPostedEvents();
        typedMeanwhile->clear();
    }

    paints.seen.clear();
    Click(*dlg, IDC_SELECT_ALL);
    EXPECT_EQ(paints.seen, expect({IDS_STATUS_SELECTINGITEMS_TEXT, IDS_STATUS_READY_TEXT}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Every column is as wide as the widest name, which need not be the longest in characters, and no
// wider than the list: only a name longer than the list is cut.
TEST_F(BrowserWindow, ColumnsFitTheWidestNameUpToTheListsWidth)
{
    for (int i = 10; i < 70; ++i)
        dir.Write("Narrow/" + std::string(40, 'i') + std::to_string(i) + ".mp3", "x");
    dir.Write("Narrow/ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ.mp3", "x");
    dir.Write("Long/short.mp3", "x");
    dir.Write("Long/" + std::string(200, 'W') + ".mp3", "x");
    const auto columnWidth = [&](int row) { return List()->visualRect(List()->model()->index(row, 0)).width(); };

    dlg->ShowFolder(dir.Str() + "Narrow/");
    ASSERT_EQ(List()->GetItemCount(), 61);
    for (int row = 0; row < List()->GetItemCount(); ++row) {
        const QString text = QString::fromStdString(List()->GetItemText(row));
        EXPECT_GE(columnWidth(row), List()->fontMetrics().horizontalAdvance(text)) << text.toStdString();
    }
    EXPECT_LT(columnWidth(0), List()->viewport()->width() / 2) << "no wider than the widest name needs";

    dlg->ShowFolder(dir.Str() + "Long/");
    ASSERT_EQ(List()->GetItemCount(), 2);
    EXPECT_EQ(columnWidth(0), List()->viewport()->width());
}

TEST_F(BrowserWindow, PickerGivesAFolderOrLeavesEverythingAsItWas)
{
    dir.Write("a.mp3", "x");
    dir.Mkdir("Folder");
    pickerAnswer = dir.Str();
    Click(*dlg, IDC_BROWSE);
    EXPECT_EQ(Entries(), (Texts{"Folder/", "a.mp3"}));
    ExpectFillEnded();

    ClickEntry("a.mp3");
    pickerAnswer.reset();
    Click(*dlg, IDC_BROWSE);
    EXPECT_EQ(pickerRuns, 2);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(Entries(LVNI_SELECTED), Texts{"a.mp3"});
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");

    // Another folder starts the count at 0: emptying the list raises no notification to count down.
    pickerAnswer = dir.Str() + "Folder/";
    Click(*dlg, IDC_BROWSE);
    ExpectFillEnded();

    // The real picker is Qt's folder dialog with the window's title, driven here from a timer.
    const auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            ASSERT_TRUE(QTest::qWaitFor([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }));
            auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            EXPECT_EQ(picker->windowTitle(), "Выберите папку");
            picker->setDirectory(QString::fromStdString(dir.Str() + "Folder"));
            QMetaObject::invokeMethod(picker, accept ? "accept" : "reject");
        });
        return dlg->BrowseForFolder();
    };
    EXPECT_EQ(answer(true), dir.Str() + "Folder/");
    EXPECT_EQ(answer(false), std::nullopt);
}

TEST_F(BrowserWindow, TypedPathsAndFolderEntriesChangeTheFolderAndUpGoesBack)
{
    dir.Write("Music/Rock/a.mp3", "x");
    dir.Write("Music/b.mp3", "x");
    dir.Write("Mu1.mp3", "x");
    dir.Write("other.mp3", "x");

    // The list follows the typing from the third byte on.
    TypePath("/t");
    EXPECT_EQ(fills, 0);
    EXPECT_FALSE(Enabled(IDC_UP));
    TypePath("m");
    EXPECT_EQ(fills, 1);  // "/tm": the entries of "/" that begin with "tm"
    // A partly typed name filters its folder; a folder entry opens also from there.
    ControlAs<QLineEdit>(*dlg, IDC_PATH)->clear();
    TypePath(dir.Str() + "Mu");
    EXPECT_EQ(Entries(), (Texts{"Music/", "Mu1.mp3"}));
    ExpectFillEnded();  // the text stays as typed
    DoubleClickEntry("Music/");
    EXPECT_EQ(dlg->m_strPath, dir.Str() + "Music/");
    EXPECT_EQ(Entries(), (Texts{"Rock/", "b.mp3"}));

    // A file entry opens nothing, by double-click or by Enter.
    const int before = fills;
    DoubleClickEntry("b.mp3");
    PressEnterOnList();
    EXPECT_EQ(fills, before);

    // Enter on the entry last clicked; the path typed partly again.
    ControlAs<QLineEdit>(*dlg, IDC_PATH)->setText(QString::fromStdString(dir.Str() + "Music/R"));
    ClickEntry("Rock/");
    PressEnterOnList();
    EXPECT_EQ(dlg->m_strPath, dir.Str() + "Music/Rock/");
    EXPECT_EQ(Entries(), Texts{"a.mp3"});
    ExpectFillEnded();
    // Without a selection mark (right after a fill) Enter does nothing.
    PressEnterOnList();
    EXPECT_EQ(dlg->m_strPath, dir.Str() + "Music/Rock/");

    Click(*dlg, IDC_UP);
    EXPECT_EQ(dlg->m_strPath, dir.Str() + "Music/");
    // From a partly typed name the name goes: Up shows its folder.
    TypePath("Ro");
    Click(*dlg, IDC_UP);
    EXPECT_EQ(dlg->m_strPath, dir.Str() + "Music/");
    EXPECT_EQ(Entries(), (Texts{"Rock/", "b.mp3"}));
    // At the root, Up refreshes.
    dlg->ShowFolder("/");
    const int atRoot = fills;
    Click(*dlg, IDC_UP);
    EXPECT_EQ(dlg->m_strPath, "/");
    EXPECT_EQ(fills, atRoot + 1);
}

TEST_F(BrowserWindow, SelectAllSelectsMp3EntriesOnlyAndLoadsNoTag)
{
    dir.Mkdir("Folder");
    dir.Mkdir("Album.mp3");
    dir.Write("one.mp3", MakeMp3WithTitle("One"));
    dir.Write("two.MP3", MakeMp3WithTitle("Two"));
    dlg->ShowFolder(dir.Str());
    // An entry the disk cannot give here: matched by "*.mp3" on another system, but not an MP3 entry.
    dlg->m_lcFiles.InsertItem(dlg->m_lcFiles.GetItemCount(), "song.mp3x");
    ClickEntry("Folder/");
    ClickEntry("song.mp3x", Qt::ControlModifier);
    dlg->m_strTitle = "Kept";

    int notifications = 0;
    QObject::connect(List(), &ListView::itemChanged, [&] {
        ++notifications;
        EXPECT_EQ(dlg->m_bLoadOnSelect, 0);
        EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_SELECTINGITEMS_TEXT));
        EXPECT_EQ(Text(*dlg, IDC_TITLE), "Kept");
    });
    Click(*dlg, IDC_SELECT_ALL);

    EXPECT_EQ(notifications, 4);  // Folder/ off; Album.mp3, one.mp3, two.MP3 on
    const Texts selected = Entries(LVNI_SELECTED);
    EXPECT_EQ(Set(selected.begin(), selected.end()), (Set{"Album.mp3", "one.mp3", "two.MP3", "song.mp3x"}));
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "3");
    EXPECT_EQ(dlg->m_bLoadOnSelect, 1);
    EXPECT_TRUE(Enabled(IDC_SAVE));
    EXPECT_EQ(Text(*dlg, IDC_STATUS), Loaded(IDS_STATUS_READY_TEXT));

    // Nothing left to change: "A" again raises no notification.
    Click(*dlg, IDC_SELECT_ALL);
    EXPECT_EQ(notifications, 4);
}

}  // namespace
}  // namespace kestrune
