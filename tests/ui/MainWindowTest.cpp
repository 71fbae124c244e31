// The main window as the user meets it: its state right after start, the keys that must not
// close it, the ways that do, the menu, and what screen readers and Qt's own texts say.
#include "framework/QtTranslations.h"
#include "framework/Wnd.h"
#include "res/DialogIds.h"
#include "res/ResourceIds.h"
#include "res/Version.h"
#include "settings/SettingsInfo.h"
#include "settings/StringResources.h"
#include "support/DialogDriver.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

#include <set>
#include <utility>
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
        EXPECT_EQ(QApplication::focusWidget(), dlg.GetDlgItem(IDC_FILES));
        for (const FieldControl& f : kFieldControls) {
            SCOPED_TRACE(FieldOf(f.field).name);
            EXPECT_FALSE(Enabled(dlg, f.controlId));
            EXPECT_TRUE(Enabled(dlg, f.checkId));
            EXPECT_FALSE(ControlAs<QAbstractButton>(dlg, f.checkId)->isChecked());
        }
        for (int id : {IDC_SAVE, IDC_SUBFOLDERS, IDC_SELECT_ALL, IDC_UP, IDC_RENAME, IDC_GENERATE})
            EXPECT_FALSE(Enabled(dlg, id)) << id;
        for (int id : {IDC_FILES, IDC_PATH, IDC_BROWSE, IDC_SAVE_TAGS, IDC_TRANSLITERATE, IDC_LOAD_TAGS, IDC_CASE})
            EXPECT_TRUE(Enabled(dlg, id)) << id;
        EXPECT_FALSE(dlg.windowIcon().isNull());
    });
    EXPECT_EQ(result, kStillOpen);
}

TEST(MainWindowStart, StatusLineComesFromTheKeyedTableAndFromAWorkerThread)
{
    CKestruneDlg shadowed;
    shadowed.m_lstStatus.AddHead(CSettingsInfo("STATUS_READY", "Проверка"));
    shadowed.Create();
    EXPECT_EQ(Text(shadowed, IDC_STATUS), "Проверка");

    // Without the entry the line keeps the template's text.
    CKestruneDlg dlg;
    dlg.m_lstStatus.RemoveAll();
    dlg.m_lstStatus.AddTail(CSettingsInfo("OTHER", "Другое"));
    dlg.Create();
    EXPECT_EQ(Text(dlg, IDC_STATUS), "Готов");

    // The worker waits for the window thread, which must keep handling events meanwhile.
    CKestruneDlg fromWorker;
    fromWorker.Create();
    std::thread worker([&] { fromWorker.ShowStatus(IDS_STATUS_SAVING_KEY); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return Text(fromWorker, IDC_STATUS) != "Готов"; }, 5000));
    worker.join();
    EXPECT_EQ(Text(fromWorker, IDC_STATUS), QString::fromStdString(LoadString(IDS_STATUS_SAVING_TEXT)));
}

TEST(MainWindowKeys, EnterAndEscNeverCloseTheWindow)
{
    CKestruneDlg dlg;
    const int result = RunModal(dlg, [&] {
        auto* path = ControlAs<QLineEdit>(dlg, IDC_PATH);
        path->setFocus();
        Type(path, "Му");
        // On the list, Enter is the list's own Enter key; with nothing listed it changes nothing.
        for (QWidget* control : {static_cast<QWidget*>(path), Control(dlg, IDC_SAVE_TAGS), Control(dlg, IDC_FILES)}) {
            control->setFocus();
            PressKey(control, Qt::Key_Return);
            PressKey(control, Qt::Key_Enter);
            PressKey(control, Qt::Key_Escape);
        }
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Text(dlg, IDC_PATH), "Му");
    });
    EXPECT_EQ(result, kStillOpen);
}


void AltKey(QWidget* widget, char16_t upper, const char* lower)
{
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(upper), QString::fromUtf8(lower), Qt::AltModifier);
}

// Alt+Ф opens "&Файл"; Esc closes the popup and leaves the menu bar highlighted, where Enter opens the
// menu again and a second Esc gives the keyboard back. "&Путь:" and "&Помощь" share Alt+П: the
// window's own access key wins every time.
TEST(MainWindowKeys, TheMenuBarKeepsEnterAndEscAndTheFieldsAccessKeysWin)
{
    CKestruneDlg dlg;
    RunModal(dlg, [&] {
        QWidget* list = Control(dlg, IDC_FILES);
        list->setFocus();
        AltKey(list, 0x0424, "ф");
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(popup, Qt::Key_Escape);
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        popup = QApplication::activePopupWidget();
        EXPECT_NE(popup, nullptr) << "Enter on the menu bar opens its menu";
        if (popup)
            QTest::keyClick(popup, Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(QApplication::focusWidget(), list) << "Esc leaves the menu bar";

        for (int press = 0; press < 2; ++press) {
            SCOPED_TRACE(press);
            list->setFocus();
            AltKey(list, 0x041F, "п");
            EXPECT_EQ(QApplication::focusWidget(), Control(dlg, IDC_PATH));
            popup = QApplication::activePopupWidget();
            EXPECT_EQ(popup, nullptr);
            if (popup)
                popup->close();
        }
    });
}


TEST(MainWindowClosing, ExitAndTheCloseButtonEndTheRunWithOkOnceTheStoreSucceeds)
{
    CKestruneDlg byMenu;
    EXPECT_EQ(RunModal(byMenu, [&] { ChooseMenu(byMenu, ID_FILE_EXIT); }), IDOK);

    CKestruneDlg byClose;
    EXPECT_EQ(RunModal(byClose, [&] {
                  Type(Control(byClose, IDC_PATH), "/tmp");
                  byClose.close();
              }),
              IDOK);
    EXPECT_EQ(byClose.m_strPath, "/tmp");

    CKestruneDlg failing;
    EXPECT_EQ(RunModal(failing, [&] {
                  SetControlText(Control(failing, IDC_SELECTED), "много");  // not a number: the store fails
                  ChooseMenu(failing, ID_FILE_EXIT);
                  failing.close();
              }),
              kStillOpen);
}

TEST(MainWindowMenu, HelpCommandsAndAcceleratorsOpenNothingAndAboutShowsTheProductLine)
{
    CKestruneDlg dlg;
    QString line;
    int helpOpened = -1, aboutOpened = 0;
    EXPECT_EQ(RunModal(dlg, [&] {
                  {
                      ModalWatcher anyDialog;
                      ChooseMenu(dlg, ID_HELP_HELP);
                      ChooseMenu(dlg, ID_HELP_CONTENTS);
                      for (const auto& [key, mods] : {std::pair{Qt::Key_O, Qt::ControlModifier},
                                                      {Qt::Key_F1, Qt::ShiftModifier}, {Qt::Key_F1, Qt::NoModifier}})
                          PressKey(Control(dlg, IDC_FILES), key, mods);
                      helpOpened = anyDialog.Count();
                  }
                  ModalWatcher about([&](CDialog& box) {
                      line = box.parentWidget() == &dlg ? Text(box, IDC_VERSION) : "not owned by the main window";
                      Click(box, IDOK);
                  });
                  ChooseMenu(dlg, ID_APP_ABOUT);
                  aboutOpened = about.Count();
              }),
              kStillOpen);
    EXPECT_EQ(helpOpened, 0);
    EXPECT_EQ(aboutOpened, 1);
    EXPECT_EQ(line, QString::fromStdString(LoadString(IDS_PRODUCT_VERSION)));
}

// The text of the template's label that introduces the control.
const char* LabelOf(int controlId)
{
    for (const ControlTemplate& control : FindDialogTemplate(CKestruneDlg::IDD)->controls)
        if (control.kind == ControlKind::Label && control.ref == controlId)
            return control.text;
    ADD_FAILURE() << "no label for " << controlId;
    return "";
}

// A screen reader names every control the user can reach: each after what it does, none like
// another; a field and its tick box after the field's label; the one-character buttons in words.
TEST(MainWindowAccessibility, EveryControlTheUserCanReachHasItsOwnName)
{
    CKestruneDlg dlg;
    dlg.Create();
    // Linux screen readers take a combo box's name from the label that points to it.
    const auto spoken = [&](int id) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(Control(dlg, id));
        if (!qobject_cast<QComboBox*>(Control(dlg, id)))
            return control->text(QAccessible::Name);
        const auto labels = control->relations(QAccessible::Label);
        return labels.size() == 1 ? labels.front().first->text(QAccessible::Name) : QString();
    };
    std::set<QString> names;
    for (const ControlTemplate& control : FindDialogTemplate(CKestruneDlg::IDD)->controls) {
        if (!(control.style & cs::TabStop))
            continue;
        const QString name = spoken(control.id);
        EXPECT_FALSE(name.isEmpty()) << control.id;
        EXPECT_TRUE(names.insert(name).second) << name.toStdString();
    }
    for (const FieldControl& f : kFieldControls) {
        const QString label = QString::fromUtf8(LabelOf(f.controlId)).remove('&');
        EXPECT_EQ(spoken(f.controlId), label);
        EXPECT_EQ(spoken(f.checkId), "Записывать: " + label);
    }
    EXPECT_EQ(spoken(IDC_UP), "На уровень вверх");
}

// The window's own texts are Russian; so must be the texts Qt puts beside them.
TEST(MainWindowLanguage, QtsStockTextsAreRussianWhenItsTranslationsAreInstalled)
{
    const CQtTranslations qtTexts(kLanguage);
    if (!qtTexts.IsLoaded())
        GTEST_SKIP() << "Qt's translations (Debian package qt6-translations-l10n) are not installed";
    const QRegularExpression russian(QStringLiteral("[А-Яа-я]"));
    CKestruneDlg dlg;
    dlg.Create();
    // "OK" is "OK" in Russian too; Cancel and the details button are not.
    QMessageBox box(QMessageBox::Warning, "", "", QMessageBox::Ok | QMessageBox::Cancel, &dlg);
    box.setDetailedText("…");
    for (QAbstractButton* button : box.buttons()) {
        if (button != box.button(QMessageBox::Ok)) {
            EXPECT_TRUE(button->text().contains(russian)) << button->text().toStdString();
        }
    }
}

}  // namespace
}  // namespace kestrune
