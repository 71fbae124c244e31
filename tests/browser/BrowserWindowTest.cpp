// The folder browser of the main window, driven as the user drives it: the two list fills, typing a
// path, the picker, Up, entering a folder from the list, "S", "A" and the selected count.
#include "res/ResourceIds.h"
#include "support/MainWindowFixture.h"
#include "support/Mp3Maker.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>

#include <filesystem>
#include <set>
#include <tuple>
#include <utility>

namespace kestrune {
namespace {

namespace fs = std::filesystem;
using namespace kestrune::test;
using Texts = std::vector<std::string>;
using Set = std::set<std::string>;

class BrowserWindow : public MainWindowFixture {
protected:
    // What the window promises after every fill: ready, nothing selected, the path it listed, Up enabled.
    void ExpectFillEnded()
    {
        EXPECT_EQ(
            (std::tuple{Text(*dlg, IDC_STATUS), Entries(LVNI_SELECTED), Text(*dlg, IDC_SELECTED), Enabled(IDC_UP)}),
            (std::tuple{Loaded(IDS_STATUS_READY_TEXT), Texts{}, QString("0"), true}));
        EXPECT_EQ(Text(*dlg, IDC_PATH).toStdString(), dlg->m_strPath);
    }
};

// Paints of the status line: its text, and whether the wait cursor was up.
struct StatusPaints : QObject {
    std::vector<std::pair<QString, bool>> seen;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        const std::pair painted{static_cast<QLabel*>(watched)->text(), cursor && cursor->shape() == Qt::WaitCursor};
        if (event->type() == QEvent::Paint && (seen.empty() || seen.back() != painted))
            seen.push_back(painted);
        return false;
    }
};

// Folders come before files; "S" lists the files level by level, each once; both fills hold the window
// thread with the wait cursor up and paint each status step as it comes.
TEST_F(BrowserWindow, FlatListPutsFoldersBeforeFilesAndSubfolderModeListsEveryFileOnce)
{
    for (const char* file : {"b.mp3", "A.MP3", "cover.jpg", "Rock/inner.mp3", "Album.mp3/Disc/deep.mp3"})
        dir.Write(file, "x");
    dir.Mkdir(".hidden");
    fs::create_directory_symlink("../..", dir.Path() / "Album.mp3/Disc/up");  // a loop back to the top
    StatusPaints paints;
    Control(*dlg, IDC_STATUS)->installEventFilter(&paints);
    std::vector<std::pair<QString, bool>> fill;
    for (unsigned step : {IDS_STATUS_FINDINGFOLDERS_TEXT, IDS_STATUS_FINDINGFILES_TEXT, IDS_STATUS_ADDINGITEMS_TEXT,
                          IDS_STATUS_READY_TEXT})
        fill.emplace_back(Loaded(step), true);

    dlg->ShowFolder(dir.Str());
    EXPECT_EQ(paints.seen, fill);
    const Texts entries = Entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(Set(entries.begin(), entries.begin() + 3), (Set{"Rock/", ".hidden/", "Album.mp3/"}));
    // The folder Album.mp3 is also a file entry: its name matches "*.mp3".
    EXPECT_EQ(Set(entries.begin() + 3, entries.end()), (Set{"b.mp3", "A.MP3", "Album.mp3"}));
    ExpectFillEnded();
    EXPECT_TRUE(Enabled(IDC_SELECT_ALL) && Enabled(IDC_SUBFOLDERS));
    EXPECT_EQ(fills, 1) << "the path written by the show must not start a second fill";

    paints.seen.clear();
    Click(*dlg, IDC_SUBFOLDERS);
    EXPECT_EQ(paints.seen, fill);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Texts tree(entries.begin() + 3, entries.end());
    tree.insert(tree.end(), {"Rock/inner.mp3", "Album.mp3/Disc/deep.mp3"});
    EXPECT_EQ(Entries(), tree);
    ExpectFillEnded();
    // Clicking "S" again gives back the flat list, the count at 0.
    Click(*dlg, IDC_SELECT_ALL);
    Click(*dlg, IDC_SUBFOLDERS);
    EXPECT_EQ(Entries(), entries);
    ExpectFillEnded();

    // A folder with nothing to list disables both.
    dlg->ShowFolder(dir.Str() + ".hidden/");
    EXPECT_FALSE(Enabled(IDC_SELECT_ALL) || Enabled(IDC_SUBFOLDERS));
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
    for (int row = 0; row < List()->GetItemCount(); ++row) {
        const QString text = QString::fromStdString(List()->GetItemText(row));
        EXPECT_GE(columnWidth(row), List()->fontMetrics().horizontalAdvance(text)) << text.toStdString();
    }
    EXPECT_LT(columnWidth(0), List()->viewport()->width() / 2) << "no wider than the widest name needs";
    dlg->ShowFolder(dir.Str() + "Long/");
    EXPECT_EQ(columnWidth(0), List()->viewport()->width());
}

TEST_F(BrowserWindow, ThePickerTypedPathsAndFolderEntriesChangeTheFolderAndUpGoesBack)
{
    for (const char* file : {"Music/Rock/a.mp3", "Music/b.mp3", "Mu1.mp3", "other.mp3"})
        dir.Write(file, "x");
    // The picker gives a folder, or leaves everything as it was.
    pickerAnswer = dir.Str();
    Click(*dlg, IDC_BROWSE);
    ClickEntry("Mu1.mp3");
    pickerAnswer.reset();
    Click(*dlg, IDC_BROWSE);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "1");
    // The list follows the typing from the third byte on; a partly typed name filters its folder.
    ControlAs<QLineEdit>(*dlg, IDC_PATH)->clear();
    TypePath("/t");
    EXPECT_EQ(fills, 1);
    ControlAs<QLineEdit>(*dlg, IDC_PATH)->clear();
    TypePath(dir.Str() + "Mu");
    EXPECT_EQ(Entries(), (Texts{"Music/", "Mu1.mp3"}));
    DoubleClickEntry("Music/");
    EXPECT_EQ(Entries(), (Texts{"Rock/", "b.mp3"}));
    // A file entry opens nothing, by double-click or by Enter.
    const int before = fills;
    DoubleClickEntry("b.mp3");
    PressKey(List(), Qt::Key_Return);  // the list has the focus from the click
    EXPECT_EQ(fills, before);
    ClickEntry("Rock/");
    PressKey(List(), Qt::Key_Return);
    EXPECT_EQ(dlg->m_strPath, dir.Str() + "Music/Rock/");
    ExpectFillEnded();

    Click(*dlg, IDC_UP);
    EXPECT_EQ(dlg->m_strPath, dir.Str() + "Music/");
    // From a partly typed name the name goes: Up shows its folder.
    TypePath("Ro");
    Click(*dlg, IDC_UP);
    EXPECT_EQ(Entries(), (Texts{"Rock/", "b.mp3"}));
    dlg->ShowFolder("/");
    Click(*dlg, IDC_UP);
    EXPECT_EQ(dlg->m_strPath, "/") << "at the root, Up refreshes";
}

TEST_F(BrowserWindow, SelectAllSelectsMp3EntriesOnlyAndLoadsNoTag)
{
    dir.Mkdir("Folder");
    dir.Mkdir("Album.mp3");
    dir.Write("one.mp3", MakeMp3WithTitle("One"));
    dir.Write("two.MP3", MakeMp3WithTitle("Two"));
    dlg->ShowFolder(dir.Str());
    ClickEntry("Folder/");
    dlg->m_strTitle = "Kept";
    int notifications = 0;
    QObject::connect(List(), &ListView::itemChanged, [&] {
        ++notifications;
        EXPECT_EQ(Text(*dlg, IDC_TITLE), "Kept");
    });
    Click(*dlg, IDC_SELECT_ALL);
    EXPECT_EQ(notifications, 4);  // Folder/ off; Album.mp3, one.mp3, two.MP3 on
    const Texts selected = Entries(LVNI_SELECTED);
    EXPECT_EQ(Set(selected.begin(), selected.end()), (Set{"Album.mp3", "one.mp3", "two.MP3"}));
    EXPECT_EQ(Text(*dlg, IDC_SELECTED), "3");
    EXPECT_TRUE(Enabled(IDC_SAVE));
}

}  // namespace
}  // namespace kestrune
