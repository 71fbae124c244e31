// The main window as the user meets it: its state right after start, the keys that must not
// close it, the ways that do, the menu and the options dialog, what screen readers and Qt's own texts
// say, every dialog's layout, and the program itself started as scripts/start.sh starts it without
// a display.
#include "framework/QtTranslations.h"
#include "framework/Wnd.h"
#include "res/ResourceIds.h"
#include "res/Version.h"
#include "save/SaveTestFiles.h"
#include "settings/OptionsDlg.h"
#include "support/MainWindowFixture.h"
#include "support/TemplateLayoutCheck.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include <map>
#include <set>
#include <tuple>

namespace kestrune::test {
namespace {

using MainWindow = MainWindowFixture;

// Every dialog template of the program becomes a window with its controls at their places and no
// text cut off, at several font sizes.
TEST(ProgramDialogLayout, ControlsSitAtTheirPlacesInTabOrderWithTextsWhole)
{
    ExpectLaidOutAsTemplates(
        {IDD_KESTRUNE_DIALOG, IDD_ABOUTBOX, IDD_SAVE_PROGRESS, IDD_GENERATE, IDD_TRACK_PAGE, IDD_OPTIONS});
}

TEST_F(MainWindow, StartsReadyWithTheListFocusedAndOnlyTheTickBoxesOfTheFieldsEnabled)
{
    EXPECT_EQ((std::tuple{Text(*dlg, IDC_STATUS), Text(*dlg, IDC_SELECTED), QApplication::focusWidget() == List()}),
              (std::tuple{Loaded(IDS_STATUS_READY_TEXT), QString("0"), true}));
    for (const FieldControl& f : kFieldControls) {
        EXPECT_FALSE(Enabled(f.controlId)) << f.controlId;
        EXPECT_TRUE(Enabled(f.checkId) && !ControlAs<QAbstractButton>(*dlg, f.checkId)->isChecked()) << f.checkId;
    }
    for (int id : {IDC_SAVE, IDC_SUBFOLDERS, IDC_SELECT_ALL, IDC_UP, IDC_RENAME, IDC_GENERATE})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {IDC_FILES, IDC_PATH, IDC_BROWSE, IDC_SAVE_TAGS, IDC_TRANSLITERATE, IDC_LOAD_TAGS, IDC_CASE})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(dlg->windowIcon().isNull());
}

// On the list, Enter is the list's own Enter key; with nothing listed it changes nothing.
TEST_F(MainWindow, EnterAndEscNeverCloseIt)
{
    TypePath("Му");
    for (int id : {IDC_PATH, IDC_SAVE_TAGS, IDC_FILES}) {
        Control(*dlg, id)->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            PressKey(Control(*dlg, id), key);
    }
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Text(*dlg, IDC_PATH), "Му");
}

// Alt+Ф opens "&Файл"; Esc closes the popup and leaves the menu bar highlighted, where Enter opens the
// menu again and a second Esc gives the keyboard back. "&Путь:" and "&Помощь" share Alt+П: the
// window's own access key wins every time.
TEST_F(MainWindow, TheMenuBarKeepsEnterAndEscAndTheFieldsAccessKeysWin)
{
    List()->setFocus();
    Type(List(), "ф", Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "Enter on the menu bar opens its menu";
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), List()) << "Esc leaves the menu bar";

    for (int press = 0; press < 2; ++press) {
        List()->setFocus();
        Type(List(), "п", Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), Control(*dlg, IDC_PATH)) << press;
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr) << press;
    }
}

TEST(MainWindowClosing, ExitAndTheCloseButtonEndTheRunWithOkOnceTheStoreSucceeds)
{
    CKestruneDlg byMenu, byClose, failing;
    EXPECT_EQ(RunModal(byMenu, [&] { ChooseMenu(byMenu, ID_FILE_EXIT); }), IDOK);
    EXPECT_EQ(RunModal(byClose, [&] {
                  Type(Control(byClose, IDC_PATH), "/tmp");
                  byClose.close();
              }),
              IDOK);
    EXPECT_EQ(byClose.m_strPath, "/tmp");
    EXPECT_EQ(RunModal(failing, [&] {
                  SetControlText(Control(failing, IDC_SELECTED), "много");  // not a number: the store fails
                  ChooseMenu(failing, ID_FILE_EXIT);
                  failing.close();
              }),
              kStillOpen);
}

TEST_F(MainWindow, HelpCommandsAndAcceleratorsOpenNothingAndAboutShowsTheProductLine)
{
    onDialog = [](CDialog&) {};
    ChooseMenu(*dlg, ID_HELP_HELP);
    ChooseMenu(*dlg, ID_HELP_CONTENTS);
    for (const auto& [key, mods] : {std::pair{Qt::Key_O, Qt::ControlModifier}, {Qt::Key_F1, Qt::ShiftModifier},
                                    {Qt::Key_F1, Qt::NoModifier}})
        PressKey(List(), key, mods);
    EXPECT_EQ(dialogs, 0);
    QString line;
    onDialog = [&](CDialog& box) {
        line = box.parentWidget() == dlg.get() ? Text(box, IDC_VERSION) : "not owned by the main window";
        Click(box, IDOK);
    };
    ChooseMenu(*dlg, ID_APP_ABOUT);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(line, Loaded(IDS_PRODUCT_VERSION));
}

// A screen reader names every control the user can reach: each after what it does, none like
// another; a field and its tick box after the field's label (Linux screen readers take a combo box's
// name from the label that points to it); the one-character buttons in words.
TEST_F(MainWindow, EveryControlTheUserCanReachHasItsOwnName)
{
    const auto spoken = [&](int id) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(Control(*dlg, id));
        if (!qobject_cast<QComboBox*>(Control(*dlg, id)))
            return control->text(QAccessible::Name);
        const auto labels = control->relations(QAccessible::Label);
        return labels.size() == 1 ? labels.front().first->text(QAccessible::Name) : QString();
    };
    std::set<QString> names;
    std::map<int, QString> labels;  // a control's label in the template
    for (const ControlTemplate& control : FindDialogTemplate(CKestruneDlg::IDD)->controls) {
        if (control.kind == ControlKind::Label)
            labels[control.ref] = QString::fromUtf8(control.text).remove('&');
        if (control.style & cs::TabStop) {
            EXPECT_TRUE(names.insert(spoken(control.id)).second) << spoken(control.id).toStdString();
        }
    }
    EXPECT_FALSE(names.count(QString()));
    for (const FieldControl& f : kFieldControls) {
        EXPECT_EQ(spoken(f.controlId), labels.at(f.controlId));
        EXPECT_EQ(spoken(f.checkId), "Записывать: " + labels.at(f.controlId));
    }
    EXPECT_EQ(spoken(IDC_UP), "На уровень вверх");
}

// The window's own texts are Russian; so must be the texts Qt puts beside them ("OK" is "OK" in
// Russian too; Cancel and the details button are not).
TEST_F(MainWindow, QtsStockTextsAreRussianWhenItsTranslationsAreInstalled)
{
    const CQtTranslations qtTexts(kLanguage);
    if (!qtTexts.IsLoaded())
        GTEST_SKIP() << "Qt's translations (Debian package qt6-translations-l10n) are not installed";
    QMessageBox box(QMessageBox::Warning, "", "", QMessageBox::Ok | QMessageBox::Cancel, dlg.get());
    box.setDetailedText("…");
    for (QAbstractButton* button : box.buttons())
        EXPECT_TRUE(button == box.button(QMessageBox::Ok) || button->text().contains(QRegularExpression("[А-Яа-я]")))
            << button->text().toStdString();
}

using OptionsDialog = MainWindowFixture;

TEST_F(OptionsDialog, OpensEmptyEachTimeBlocksTheMainWindowAndChangesNothing)
{
    dir.Write("a.mp3", TaggedMp3("a"));
    OpenFolder();
    ClickEntry("a.mp3");
    const std::vector<QString> shownBefore = ShownTexts();
    const std::string fileBefore = ReadFile(dir.Path() / "a.mp3");

    // Closed by OK, Cancel, Esc, Enter and the close box, each in turn.
    const auto key = [](Qt::Key k) { return [k](CDialog& d) { PressKey(d.GetDlgItem(IDC_OPTIONS_TREE), k); }; };
    const std::function<void(CDialog&)> ways[] = {[](CDialog& d) { Click(d, IDOK); },
                                                  [](CDialog& d) { Click(d, IDCANCEL); }, key(Qt::Key_Escape),
                                                  key(Qt::Key_Return), [](CDialog& d) { d.close(); }};
    for (const auto& close : ways) {
        onDialog = [&](CDialog& options) {
            EXPECT_NE(dynamic_cast<COptionsDlg*>(&options), nullptr);
            EXPECT_EQ(options.windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(ControlAs<QTreeWidget>(options, IDC_OPTIONS_TREE)->topLevelItemCount(), 0);
            // The main window takes no input meanwhile.
            ClickThroughWindow(Control(*dlg, IDC_WRITE_TITLE));
            QApplication::processEvents();
            EXPECT_EQ(dlg->m_bWriteTitle, 0);
            close(options);
            EXPECT_FALSE(options.isVisible()) << "way " << dialogs;
        };
        ChooseMenu(*dlg, ID_FILE_SETTINGS);
    }
    EXPECT_EQ(dialogs, 5);
    EXPECT_EQ((std::tuple{ShownTexts(), Text(*dlg, IDC_SELECTED), ReadFile(dir.Path() / "a.mp3") == fileBefore}),
              (std::tuple{shownBefore, QString("1"), true}));
    // Input reaches the main window again.
    ClickThroughWindow(Control(*dlg, IDC_WRITE_TITLE));
    EXPECT_EQ(dlg->m_bWriteTitle, 1);
}

TEST(ProgramStart, SavesAPictureOfTheMainWindowAndEndsCleanly)
{
    TempDir dir;
    const QString picture = QString::fromStdString((dir.Path() / "window.png").string());
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KESTRUNE_SCREENSHOT"), picture);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(KESTRUNE_APP_PATH), {});
    ASSERT_TRUE(program.waitForFinished(120000)) << "the program did not end by itself";
    EXPECT_TRUE(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0)
        << program.readAllStandardError().toStdString();

    const QImage image(picture);  // none at all is 0 by 0
    EXPECT_GT(image.width(), image.height()) << "the main window is wider than tall";
}

}  // namespace
}  // namespace kestrune::test
