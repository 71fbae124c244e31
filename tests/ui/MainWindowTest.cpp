// The main window as the user meets it: its state right after start, the keys that must not
// close it, the ways that do, and the menu.
#include "framework/ListView.h"
#include "framework/Wnd.h"
#include "res/DialogIds.h"
#include "res/ResourceIds.h"
#include "settings/SettingsInfo.h"
#include "settings/StringResources.h"
#include "support/DialogDriver.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include <thread>

namespace kestrune {
namespace {

using namespace kestrune::test;

bool Enabled(const CDialog& dlg, int id)
{
    QWidget* w = Control(dlg, id);
    return w && w->isEnabled();
}

TEST(MainWindowStart, ShowsTheReadyStateWithTheListFocused)
{
    CKestruneDlg dlg;
    const int result = RunModal(dlg, [&] {
        EXPECT_EQ(Text(dlg, IDC_STATUS), QString::fromStdString(LoadString(IDS_STATUS_READY_TEXT)));
        EXPECT_EQ(Text(dlg, IDC_SELECTED), "0");
        EXPECT_EQ(Text(dlg, IDC_PATH), "");
        EXPECT_EQ(dlg.GetFocusControl(), dlg.GetDlgItem(IDC_FILES));
        EXPECT_EQ(QApplication::focusWidget(), dlg.GetDlgItem(IDC_FILES));

        for (const FieldControl& f : kFieldControls) {
            SCOPED_TRACE(f.label);
            EXPECT_FALSE(Enabled(dlg, f.controlId));
            EXPECT_TRUE(Enabled(dlg, f.checkId));
            EXPECT_FALSE(ControlAs<QAbstractButton>(dlg, f.checkId)->isChecked());
            EXPECT_EQ(Text(dlg, f.controlId), "");
        }
        EXPECT_FALSE(ControlAs<QAbstractButton>(dlg, IDC_TRANSLITERATE)->isChecked());
        EXPECT_FALSE(ControlAs<QAbstractButton>(dlg, IDC_SUBFOLDERS)->isChecked());
        for (int id : {IDC_SAVE, IDC_SUBFOLDERS, IDC_SELECT_ALL, IDC_UP, IDC_RENAME, IDC_GENERATE})
            EXPECT_FALSE(Enabled(dlg, id)) << id;
        for (int id : {IDC_FILES, IDC_PATH, IDC_BROWSE, IDC_SAVE_TAGS, IDC_TRANSLITERATE, IDC_LOAD_TAGS, IDC_CASE})
            EXPECT_TRUE(Enabled(dlg, id)) << id;

        EXPECT_FALSE(dlg.windowIcon().isNull());
        EXPECT_FALSE(dlg.QueryDragIcon().isNull());
        ASSERT_NE(dlg.GetMenu(), nullptr);
        for (int id : {ID_FILE_SETTINGS, ID_FILE_EXIT, ID_HELP_HELP, ID_HELP_CONTENTS, ID_APP_ABOUT})
            EXPECT_NE(dlg.GetMenuCommand(id), nullptr) << id;
    });
    EXPECT_EQ(result, kStillOpen);
}

TEST(MainWindowStart, StatusLineComesFromTheKeyedTable)
{
    CKestruneDlg shadowed;
    shadowed.m_lstStatus.AddHead(CSettingsInfo("STATUS_READY", "Проверка"));
    shadowed.Create();
    EXPECT_EQ(Text(shadowed, IDC_STATUS), "Проверка");

    // Without the entry the line keeps the template's text.
    CKestruneDlg empty;
    empty.m_lstStatus.RemoveAll();
    empty.m_lstStatus.AddTail(CSettingsInfo("OTHER", "Другое"));
    empty.Create();
    EXPECT_EQ(Text(empty, IDC_STATUS), "Готов");
}

TEST(MainWindowStart, StatusCanBeShownFromAWorkerThread)
{
    CKestruneDlg dlg;
    dlg.Create();
    std::thread worker([&] { dlg.ShowStatus(IDS_STATUS_SAVING_KEY); });
    // The worker waits for the window thread, which must keep handling events meanwhile.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Text(dlg, IDC_STATUS) != "Готов"; }, 5000));
    worker.join();
    EXPECT_EQ(Text(dlg, IDC_STATUS), QString::fromStdString(LoadString(IDS_STATUS_SAVING_TEXT)));
}

TEST(MainWindowKeys, EnterAndEscNeverCloseTheWindow)
{
    CKestruneDlg dlg;
    const int result = RunModal(dlg, [&] {
        auto* path = ControlAs<QLineEdit>(dlg, IDC_PATH);
        path->setFocus();
        Type(path, "Му");
        PressKey(path, Qt::Key_Return);
        PressKey(path, Qt::Key_Escape);
        EXPECT_EQ(path->text(), "Му");

        auto* combo = ControlAs<QComboBox>(dlg, IDC_SAVE_TAGS);
        combo->setFocus();
        Type(combo, "ID3");
        PressKey(combo, Qt::Key_Enter);
        PressKey(combo, Qt::Key_Escape);
        EXPECT_EQ(combo->count(), 0) << "Enter must not add the typed text to the list";

        // On the list, Enter is the list's own Enter key; with nothing listed it changes nothing.
        QWidget* list = Control(dlg, IDC_FILES);
        list->setFocus();
        PressKey(list, Qt::Key_Return);
        PressKey(list, Qt::Key_Escape);

        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Text(dlg, IDC_PATH), "Му");
        EXPECT_FALSE(Enabled(dlg, IDC_RENAME));
        EXPECT_FALSE(Enabled(dlg, IDC_GENERATE));
    });
    EXPECT_EQ(result, kStillOpen);
}

TEST(MainWindowClosing, ExitCommandEndsTheRunWithOk)
{
    CKestruneDlg dlg;
    EXPECT_EQ(RunModal(dlg, [&] { ChooseMenu(dlg, ID_FILE_EXIT); }), IDOK);
}

TEST(MainWindowClosing, CloseButtonEndsTheRunWithOkAndStores)
{
    CKestruneDlg dlg;
    const int result = RunModal(dlg, [&] {
        Type(Control(dlg, IDC_PATH), "/tmp");
        dlg.close();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strPath, "/tmp");
}

TEST(MainWindowClosing, ClosingWaitsForAStoreThatSucceeds)
{
    CKestruneDlg dlg;
    const int result = RunModal(dlg, [&] {
        SetControlText(Control(dlg, IDC_SELECTED), "много");
        ChooseMenu(dlg, ID_FILE_EXIT);
        dlg.close();
        EXPECT_TRUE(dlg.isVisible());
    });
    EXPECT_EQ(result, kStillOpen);
}

TEST(MainWindowMenu, HelpCommandsAndAcceleratorsDoNothing)
{
    CKestruneDlg dlg;
    int opened = -1;
    const int result = RunModal(dlg, [&] {
        ModalWatcher anyDialog;
        ChooseMenu(dlg, ID_HELP_HELP);
        ChooseMenu(dlg, ID_HELP_CONTENTS);
        QWidget* list = Control(dlg, IDC_FILES);
        PressKey(list, Qt::Key_O, Qt::ControlModifier);
        PressKey(list, Qt::Key_F1, Qt::ShiftModifier);
        PressKey(list, Qt::Key_F1);
        EXPECT_TRUE(dlg.isVisible());
        opened = anyDialog.Count();
    });
    EXPECT_EQ(result, kStillOpen);
    EXPECT_EQ(opened, 0);
}

TEST(MainWindowMenu, AboutShowsTheProductLine)
{
    CKestruneDlg dlg;
    QString line;
    int opened = 0;
    bool ownedByMain = false;
    RunModal(dlg, [&] {
        ModalWatcher about([&](CDialog& box) {
            line = Text(box, IDC_VERSION);
            ownedByMain = box.parentWidget() == &dlg;
            Click(box, IDOK);
        });
        ChooseMenu(dlg, ID_APP_ABOUT);
        opened = about.Count();
        EXPECT_TRUE(dlg.isVisible());
    });
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(line, QString::fromStdString(LoadString(IDS_PRODUCT_VERSION)));
    EXPECT_NE(line, "Kestrune") << "the template's text must be replaced";
    EXPECT_TRUE(ownedByMain);
}

}  // namespace
}  // namespace kestrune
