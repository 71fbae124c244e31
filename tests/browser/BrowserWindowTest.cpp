// The folder browser of the main window, driven as the user drives it: the two list fills, typing a
// path, the picker, Up, entering a folder from the list, "S", "A" and the selected count.
#include "framework/ListView.h"
#include "res/ResourceIds.h"
#include "settings/StringResources.h"
#include "support/DialogDriver.h"
#include "support/Mp3Maker.h"
#include "support/TempDir.h"
#include "ui/main/KestruneDlg.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrune {
namespace {

namespace fs = std::filesystem;
using namespace kestrune::test;
using Texts = std::vector<std::string>;

QString StatusText(unsigned textId)
{
    return QString::fromStdString(LoadString(textId));
}

class BrowserWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg.m_folderPicker = [this] {
            ++pickerRuns;
            return pickerAnswer;
        };
        dlg.Create();
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        // Every fill starts by emptying the list.
        QObject::connect(List()->model(), &QAbstractItemModel::modelReset, [this] { ++fills; });
    }

    ListView* List() const { return ControlAs<ListView>(dlg, IDC_FILES); }
    bool Enabled(int id) const { return Control(dlg, id)->isEnabled(); }
    bool Ticked(int id) const { return ControlAs<QAbstractButton>(dlg, id)->isChecked(); }

    Texts Entries() const
    {
        Texts texts;
        for (int i = 0; i < dlg.m_lcFiles.GetItemCount(); ++i)
            texts.push_back(dlg.m_lcFiles.GetItemText(i));
        return texts;
    }
    Texts SelectedEntries() const
    {
        Texts texts;
        for (int i = dlg.m_lcFiles.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = dlg.m_lcFiles.GetNextItem(i, LVNI_SELECTED))
            texts.push_back(dlg.m_lcFiles.GetItemText(i));
        return texts;
    }
    int Row(const std::string& text) const
    {
        const Texts texts = Entries();
        const auto it = std::find(texts.begin(), texts.end(), text);
        EXPECT_NE(it, texts.end()) << "no entry " << text;
        return it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
    }
    QPoint At(const std::string& text) const
    {
        const QModelIndex index = List()->model()->index(Row(text), 0);
        List()->scrollTo(index);
        return List()->visualRect(index).center();
    }
    void ClickEntry(const std::string& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, At(text));
    }
    // What a real double-click delivers: press, release, double-click, release.
    void DoubleClickEntry(const std::string& text)
    {
        const QPoint at = At(text);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(List()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    void PressEnterOnList()
    {
        List()->setFocus();
        PressKey(List(), Qt::Key_Return);
    }
    void TypePath(const std::string& text)
    {
        auto* path = ControlAs<QLineEdit>(dlg, IDC_PATH);
        path->setFocus();
        Type(path, QString::fromStdString(text));
    }
    void ShowTicked(const std::string& path)
    {
        dlg.m_chkSubfolders.SetCheck(1);
        dlg.ShowFolder(path);
    }
    // What the window promises after every fill.
    void ExpectFillEnded()
    {
        EXPECT_EQ(Text(dlg, IDC_STATUS), StatusText(IDS_STATUS_READY_TEXT));
        EXPECT_TRUE(dlg.m_lstFolders.empty());
        EXPECT_TRUE(dlg.m_lstFiles.empty());
        EXPECT_TRUE(SelectedEntries().empty());
        EXPECT_EQ(Text(dlg, IDC_SELECTED), "0");
        EXPECT_EQ(Text(dlg, IDC_PATH).toStdString(), dlg.m_strPath);
        EXPECT_TRUE(Enabled(IDC_UP));
    }

    TempDir tmp;
    CKestruneDlg dlg;
    std::optional<std::string> pickerAnswer;
    int pickerRuns = 0;
    int fills = 0;
};

// ---- The two fills ---------------------------------------------------------------------------

TEST_F(BrowserWindow, FlatListPutsEveryFolderBeforeEveryFile)
{
    for (const char* folder : {"Rock", ".hidden", "Album.mp3"})
        tmp.mkdir(folder);
    for (const char* file : {"b.mp3", "A.MP3", "cover.jpg", "Rock/inner.mp3"})
        tmp.write(file, "x");
    QString statusWhileAdding;
    QObject::connect(List()->model(), &QAbstractItemModel::rowsInserted,
                     [&] { statusWhileAdding = Text(dlg, IDC_STATUS); });

    dlg.ShowFolder(tmp.str());

    const Texts entries = Entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(std::set<std::string>(entries.begin(), entries.begin() + 3),
              (std::set<std::string>{"Rock/", ".hidden/", "Album.mp3/"}));
    // The folder Album.mp3 is also a file entry: its name matches "*.mp3".
    EXPECT_EQ(std::set<std::string>(entries.begin() + 3, entries.end()),
              (std::set<std::string>{"b.mp3", "A.MP3", "Album.mp3"}));
    EXPECT_EQ(statusWhileAdding, StatusText(IDS_STATUS_ADDINGITEMS_TEXT));
    ExpectFillEnded();
    EXPECT_TRUE(Enabled(IDC_SELECT_ALL));
    EXPECT_TRUE(Enabled(IDC_SUBFOLDERS));
    EXPECT_EQ(fills, 1) << "the path written by the show must not start a second fill";

    // A folder with nothing to list disables both.
    dlg.ShowFolder(tmp.str() + ".hidden/");
    EXPECT_TRUE(Entries().empty());
    EXPECT_FALSE(Enabled(IDC_SELECT_ALL));
    EXPECT_FALSE(Enabled(IDC_SUBFOLDERS));
    ExpectFillEnded();
}

TEST_F(BrowserWindow, SubfolderModeListsEveryFileOnceWithItsRelativePath)
{
    tmp.write("top.mp3", "x");
    tmp.write("A/a.mp3", "x");
    tmp.write("B/notes.txt", "x");
    tmp.write("B/C/c.mp3", "x");
    dlg.ShowFolder(tmp.str());
    Click(dlg, IDC_SUBFOLDERS);

    EXPECT_TRUE(Ticked(IDC_SUBFOLDERS));
    // Level by level: the file two levels down comes last whichever of A and B the disk gives first.
    EXPECT_EQ(Entries(), (Texts{"top.mp3", "A/a.mp3", "B/C/c.mp3"}));
    EXPECT_TRUE(Enabled(IDC_SUBFOLDERS)) << "the mode can always be left";
    ExpectFillEnded();

    // Clicking "S" again gives back the flat list of the same folder, the count at 0.
    Click(dlg, IDC_SELECT_ALL);
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "3");
    Click(dlg, IDC_SUBFOLDERS);
    EXPECT_FALSE(Ticked(IDC_SUBFOLDERS));
    EXPECT_EQ(Entries().size(), 3u);  // A/, B/, top.mp3
    EXPECT_EQ(Entries().back(), "top.mp3");
    ExpectFillEnded();
}

TEST_F(BrowserWindow, FolderLinkBackUpTheTreeListsEachFileOnce)
{
    tmp.write("top.mp3", "x");
    tmp.write("B/b.mp3", "x");
    tmp.write("B/C/c.mp3", "x");
    fs::create_directory_symlink("../..", tmp.path() / "B/C/up");

    ShowTicked(tmp.str());
    const Texts entries = Entries();
    EXPECT_EQ(std::set<std::string>(entries.begin(), entries.end()),
              (std::set<std::string>{"top.mp3", "B/b.mp3", "B/C/c.mp3"}));
    EXPECT_EQ(entries.size(), 3u);
    ExpectFillEnded();

    // In flat mode the link is a folder like any other, and it can be entered.
    dlg.m_chkSubfolders.SetCheck(0);
    dlg.ShowFolder(tmp.str() + "B/C/");
    EXPECT_EQ(Entries(), (Texts{"up/", "c.mp3"}));
    DoubleClickEntry("up/");
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "B/C/up/");
    EXPECT_EQ(Row("top.mp3"), static_cast<int>(Entries().size()) - 1);
}

// ---- Changing the folder ---------------------------------------------------------------------

TEST_F(BrowserWindow, TypedPathIsFollowedFromTheThirdByteAndFiltersByTheNameBegun)
{
    tmp.mkdir("Music");
    tmp.mkdir("Other");
    tmp.write("Mu1.mp3", "x");
    tmp.write("other.mp3", "x");

    TypePath("/t");
    EXPECT_EQ(fills, 0);
    EXPECT_FALSE(Enabled(IDC_UP));
    TypePath("m");
    EXPECT_EQ(fills, 1);  // "/tm": the entries of "/" that begin with "tm"
    EXPECT_EQ(dlg.m_strPath, "/tm");

    ControlAs<QLineEdit>(dlg, IDC_PATH)->clear();
    TypePath(tmp.str() + "Mu");
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "Mu");
    EXPECT_EQ(Entries(), (Texts{"Music/", "Mu1.mp3"}));
    EXPECT_EQ(Text(dlg, IDC_PATH).toStdString(), tmp.str() + "Mu") << "the text stays as typed";
    ExpectFillEnded();
}

TEST_F(BrowserWindow, PickerGivesAFolderOrLeavesEverythingAsItWas)
{
    tmp.write("a.mp3", "x");
    pickerAnswer = tmp.str();
    Click(dlg, IDC_BROWSE);
    EXPECT_EQ(pickerRuns, 1);
    EXPECT_EQ(dlg.m_strPath, tmp.str());
    EXPECT_EQ(Entries(), Texts{"a.mp3"});
    ExpectFillEnded();

    ClickEntry("a.mp3");
    pickerAnswer.reset();
    Click(dlg, IDC_BROWSE);
    EXPECT_EQ(pickerRuns, 2);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(SelectedEntries(), Texts{"a.mp3"});
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "1");
}

// The real picker: Qt's folder dialog with the window's title, driven from a timer.
TEST_F(BrowserWindow, FolderDialogYieldsAFolderEndingInASlash)
{
    tmp.mkdir("Music");
    const auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            ASSERT_TRUE(QTest::qWaitFor([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }));
            auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            EXPECT_EQ(picker->windowTitle(), "Выберите папку");
            picker->setDirectory(QString::fromStdString(tmp.str() + "Music"));
            QMetaObject::invokeMethod(picker, accept ? "accept" : "reject");
        });
        return dlg.BrowseForFolder();
    };
    EXPECT_EQ(answer(true), tmp.str() + "Music/");
    EXPECT_EQ(answer(false), std::nullopt);
}

TEST_F(BrowserWindow, UpGoesToTheParentAndRefreshesAtTheRoot)
{
    tmp.write("Music/Rock/a.mp3", "x");
    dlg.ShowFolder(tmp.str() + "Music/Rock/");
    Click(dlg, IDC_UP);
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "Music/");
    EXPECT_EQ(Entries(), Texts{"Rock/"});

    // From a partly typed name the name goes: Up shows its folder.
    TypePath("Ro");
    EXPECT_EQ(Entries(), Texts{"Rock/"});
    Click(dlg, IDC_UP);
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "Music/");
    ExpectFillEnded();

    dlg.ShowFolder("/");
    ClickEntry(Entries().front());
    const int before = fills;
    Click(dlg, IDC_UP);
    EXPECT_EQ(dlg.m_strPath, "/");
    EXPECT_EQ(fills, before + 1);
    EXPECT_NE(Row(fs::path(tmp.path()).parent_path().filename().string() + "/"), -1);
    ExpectFillEnded();
}

TEST_F(BrowserWindow, DoubleClickAndEnterOpenFolderEntriesOnly)
{
    tmp.write("Music/Rock/a.mp3", "x");
    tmp.write("Music/b.mp3", "x");

    // Double-click, also while the path holds a partly typed name.
    TypePath(tmp.str() + "Mu");
    DoubleClickEntry("Music/");
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "Music/");
    EXPECT_EQ(Text(dlg, IDC_PATH).toStdString(), tmp.str() + "Music/");
    EXPECT_EQ(Entries(), (Texts{"Rock/", "b.mp3"}));

    // A file entry opens nothing, by double-click or by Enter.
    const int before = fills;
    DoubleClickEntry("b.mp3");
    PressEnterOnList();
    EXPECT_EQ(fills, before);
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "Music/");

    // Enter on the entry last clicked; the path typed partly again.
    ControlAs<QLineEdit>(dlg, IDC_PATH)->setText(QString::fromStdString(tmp.str() + "Music/R"));
    EXPECT_EQ(Entries(), Texts{"Rock/"});
    ClickEntry("Rock/");
    PressEnterOnList();
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "Music/Rock/");
    EXPECT_EQ(Entries(), Texts{"a.mp3"});
    ExpectFillEnded();

    // Without a selection mark (right after a fill) Enter does nothing.
    PressEnterOnList();
    EXPECT_EQ(dlg.m_strPath, tmp.str() + "Music/Rock/");
}

// ---- Selection: "A", the count and Save ------------------------------------------------------

TEST_F(BrowserWindow, SelectAllSelectsMp3EntriesOnlyAndLoadsNoTag)
{
    tmp.mkdir("Folder");
    tmp.mkdir("Album.mp3");
    tmp.write("one.mp3", makeMp3WithTitle("One"));
    tmp.write("two.MP3", makeMp3WithTitle("Two"));
    dlg.ShowFolder(tmp.str());
    // An entry the disk cannot give here: matched by "*.mp3" on another system, but not an MP3 entry.
    dlg.m_lcFiles.InsertItem(dlg.m_lcFiles.GetItemCount(), "song.mp3x");
    dlg.m_lcFiles.InsertItem(dlg.m_lcFiles.GetItemCount(), "cover.jpg");
    ClickEntry("Folder/");
    ClickEntry("song.mp3x", Qt::ControlModifier);
    dlg.m_strTitle = "Kept";

    // Every notification ends in a full show, while loading is off and the selecting status stands.
    int notifications = 0;
    QObject::connect(List(), &ListView::itemChanged, [&] {
        ++notifications;
        EXPECT_EQ(dlg.m_bLoadOnSelect, 0);
        EXPECT_EQ(Text(dlg, IDC_STATUS), StatusText(IDS_STATUS_SELECTINGITEMS_TEXT));
        EXPECT_EQ(Text(dlg, IDC_SELECTED), QString::number(dlg.m_nSelected));
        EXPECT_EQ(Text(dlg, IDC_TITLE), "Kept");
        EXPECT_EQ(Enabled(IDC_SAVE), dlg.m_nSelected != 0);
    });
    Click(dlg, IDC_SELECT_ALL);

    EXPECT_EQ(notifications, 4);  // Folder/ off; Album.mp3, one.mp3, two.MP3 on
    const Texts selected = SelectedEntries();
    EXPECT_EQ(std::set<std::string>(selected.begin(), selected.end()),
              (std::set<std::string>{"Album.mp3", "one.mp3", "two.MP3", "song.mp3x"}));
    EXPECT_EQ(dlg.m_nSelected, 3);
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "3");
    EXPECT_EQ(dlg.m_strTitle, "Kept");
    EXPECT_EQ(dlg.m_bLoadOnSelect, 1);
    EXPECT_TRUE(Enabled(IDC_SAVE));
    EXPECT_EQ(Text(dlg, IDC_STATUS), StatusText(IDS_STATUS_READY_TEXT));

    // Nothing left to change: "A" again raises no notification.
    Click(dlg, IDC_SELECT_ALL);
    EXPECT_EQ(notifications, 4);
}

TEST_F(BrowserWindow, CountFollowsCtrlClicksAndSaveFollowsTheCount)
{
    tmp.mkdir("Folder");
    tmp.write("one.mp3", makeMp3WithTitle("One"));
    tmp.write("two.mp3", makeMp3WithTitle("Two"));
    dlg.ShowFolder(tmp.str());
    EXPECT_FALSE(Enabled(IDC_SAVE));

    ClickEntry("one.mp3");
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "1");
    EXPECT_EQ(Text(dlg, IDC_TITLE), "One");
    EXPECT_TRUE(Enabled(IDC_SAVE));
    ClickEntry("two.mp3", Qt::ControlModifier);
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "2");
    EXPECT_EQ(Text(dlg, IDC_TITLE), "Two");
    ClickEntry("two.mp3", Qt::ControlModifier);  // deselecting keeps the texts
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "1");
    EXPECT_EQ(Text(dlg, IDC_TITLE), "Two");
    ClickEntry("Folder/", Qt::ControlModifier);  // a folder entry is never counted
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "1");

    // A text typed into a field is replaced by its member at the next notification, even when the
    // member has not changed since the last show.
    ControlAs<QLineEdit>(dlg, IDC_TITLE)->setText("typed");
    ClickEntry("Folder/", Qt::ControlModifier);
    EXPECT_EQ(Text(dlg, IDC_TITLE), "Two");

    // Entering a folder sets the count to 0 and leaves Save until the next selection change.
    pickerAnswer = tmp.str() + "Folder/";
    Click(dlg, IDC_BROWSE);
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "0");
    EXPECT_TRUE(Enabled(IDC_SAVE));
    Click(dlg, IDC_UP);
    EXPECT_TRUE(Enabled(IDC_SAVE));
    ClickEntry("Folder/");
    EXPECT_FALSE(Enabled(IDC_SAVE));
}

}  // namespace
}  // namespace kestrune
