// The dialog layer on its own: message routing, the dialog manager's keys, standard actions,
// ending a run, and the control handles.
#include "framework/DataExchange.h"
#include "framework/ListCtrl.h"
#include "framework/ProgressBar.h"
#include "framework/ProgressCtrl.h"
#include "res/DialogIds.h"
#include "support/DialogDriver.h"
#include "ui/main/AboutDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace kestrune {
namespace {

using namespace kestrune::test;
using Log = std::vector<std::string>;

// A dialog on the main window's template with a message table of its own that logs what arrives.
class Probe : public CDialog {
public:
    Probe() : CDialog(IDD_KESTRUNE_DIALOG) {}

    Log log;
    std::vector<NMLISTVIEW> changes;
    CListCtrl list;
    int endInInit = 0;

    void OnOK() override { log.push_back("OK"); }
    void OnCancel() override { log.push_back("Cancel"); }

private:
    void OnBrowse() { log.push_back("clicked"); }
    void OnPathChange() { log.push_back("changed"); }
    void OnSettings() { log.push_back("command"); }
    void OnItemChanged(NMHDR* header, LRESULT* result)
    {
        changes.push_back(*reinterpret_cast<NMLISTVIEW*>(header));
        *result = 0;
    }
    void OnActivate(NMHDR* header, LRESULT*)
    {
        log.push_back("activate " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem));
    }
    void OnKeyDown(NMHDR* header, LRESULT*)
    {
        log.push_back("key " + std::to_string(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey));
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_FILES, list); }
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endInInit)
            EndDialog(endInInit);
        return true;
    }
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map{
            msg::Clicked(IDC_BROWSE, &Probe::OnBrowse),
            msg::EditChange(IDC_PATH, &Probe::OnPathChange),
            msg::Command(ID_FILE_SETTINGS, &Probe::OnSettings),
            msg::Notify(LVN_ITEMCHANGED, IDC_FILES, &Probe::OnItemChanged),
            msg::Notify(LVN_ITEMACTIVATE, IDC_FILES, &Probe::OnActivate),
            msg::Notify(LVN_KEYDOWN, IDC_FILES, &Probe::OnKeyDown),
        };
        return map;
    }
};

TEST(MessageTable, RoutesClicksEditsCommandsAndListNotifications)
{
    Probe dlg;
    RunModal(dlg, [&] {
        Click(dlg, IDC_BROWSE);
        Type(Control(dlg, IDC_PATH), "п");
        ChooseMenu(dlg, ID_HELP_HELP);  // no entry: nothing
        ChooseMenu(dlg, ID_FILE_SETTINGS);
        EXPECT_EQ(dlg.log, (Log{"clicked", "changed", "command"}));

        dlg.log.clear();
        dlg.list.InsertItem(0, "a.mp3");
        dlg.list.InsertItem(1, "b.mp3");
        ListView* view = dlg.list.GetListView();
        view->setFocus();
        const QPoint second = view->visualRect(view->model()->index(1, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, second);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, second);
        PressKey(view, Qt::Key_Up);
    });
    EXPECT_EQ(dlg.log, (Log{"activate 1", "key " + std::to_string(VK_UP)}));
    const auto changed = [&](int item, bool selected) {
        return std::any_of(dlg.changes.begin(), dlg.changes.end(), [&](const NMLISTVIEW& nm) {
            return nm.hdr.idFrom == IDC_FILES && nm.hdr.code == LVN_ITEMCHANGED && nm.iItem == item &&
                   bool(nm.uOldState & LVIS_SELECTED) != selected && bool(nm.uNewState & LVIS_SELECTED) == selected;
        });
    };
    EXPECT_TRUE(changed(1, true));
    EXPECT_TRUE(changed(1, false));
    EXPECT_TRUE(changed(0, true));
}

TEST(DialogKeys, EnterAndEscAreTheDialogsCommands)
{
    Probe dlg;
    const int result = RunModal(dlg, [&] {
        QWidget* path = Control(dlg, IDC_PATH);
        path->setFocus();
        PressKey(path, Qt::Key_Return);
        PressKey(path, Qt::Key_Escape);
        dlg.close();  // no Close entry: Cancel

        // A focused push button takes Enter as a click.
        QWidget* browse = Control(dlg, IDC_BROWSE);
        browse->setFocus();
        PressKey(browse, Qt::Key_Enter);
    });
    EXPECT_EQ(result, kStillOpen);
    EXPECT_EQ(dlg.log, (Log{"OK", "Cancel", "Cancel", "clicked"}));
}

TEST(DialogKeys, DefaultButtonTakesEnterAndEscCancels)
{
    CAboutDlg enter;
    EXPECT_EQ(RunModal(enter, [&] { PressKey(QApplication::focusWidget(), Qt::Key_Return); }), IDOK);
    CAboutDlg esc;
    EXPECT_EQ(RunModal(esc, [&] { PressKey(QApplication::focusWidget(), Qt::Key_Escape); }), IDCANCEL);
    CDialog options(IDD_OPTIONS);
    EXPECT_EQ(RunModal(options, [&] { options.close(); }), IDCANCEL);
    CDialog progress(IDD_SAVE_PROGRESS);
    EXPECT_EQ(RunModal(progress, [&] { Click(progress, IDCANCEL); }), IDCANCEL);
}

TEST(DialogRun, EndingDuringInitialisationSkipsTheRun)
{
    Probe dlg;
    dlg.endInInit = 7;
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(DialogRun, EndDialogFromAnotherThreadIsPosted)
{
    CDialog dlg(IDD_SAVE_PROGRESS);
    const int result = RunModal(dlg, [&] {
        std::thread worker([&] { dlg.EndDialog(5); });
        worker.join();  // posting must not wait for this thread
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 5000));
    });
    EXPECT_EQ(result, 5);
}

TEST(ControlHandles, RefuseAControlOfAnotherKind)
{
    CDialog dlg(IDD_SAVE_PROGRESS);
    dlg.Create();
    CProgressCtrl bar;
    EXPECT_THROW(bar.Attach(dlg.GetDlgItem(IDCANCEL)), std::logic_error);
    CButton unattached;
    EXPECT_THROW(unattached.EnableWindow(false), std::logic_error);
}

// A probe of the save progress template whose bar counts its paints.
class BarProbe : public CDialog {
public:
    BarProbe() : CDialog(IDD_SAVE_PROGRESS) {}
    CProgressCtrl bar;
    int paints = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_PROGRESS_FILE, bar); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == bar.GetSafeHwnd() && event->type() == QEvent::Paint)
            ++paints;
        return CDialog::eventFilter(watched, event);
    }
};

TEST(ProgressControl, KeepsExactValuesAndPaintsAtTheDisplaysPace)
{
    BarProbe dlg;
    RunModal(dlg, [&] {
        dlg.bar.GetSafeHwnd()->installEventFilter(&dlg);
        dlg.bar.SetRange32(0, 14);
        int low = -1, high = -1;
        dlg.bar.GetRange(low, high);
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 14);
        EXPECT_EQ(dlg.bar.SetPos(3), 0);
        EXPECT_EQ(dlg.bar.SetPos(99), 3);
        EXPECT_EQ(dlg.bar.GetPos(), 14) << "positions are clamped into the range";
        EXPECT_EQ(dlg.bar.SetPos(-5), 14);
        EXPECT_EQ(dlg.bar.GetPos(), 0);

        QApplication::processEvents();
        dlg.paints = 0;
        for (int i = 1; i <= 14; ++i)
            dlg.bar.SetPos(i);
        EXPECT_EQ(dlg.paints, 0) << "setting a position must not repaint at once";
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.paints > 0; }, 5000));
        EXPECT_EQ(static_cast<ProgressBar*>(dlg.bar.GetSafeHwnd())->value(), 14);
    });
}

TEST(ProgressControl, AnswersAWorkerThread)
{
    BarProbe dlg;
    dlg.Create();
    bool done = false;
    int readBack = -1;
    std::thread worker([&] {
        dlg.bar.SetRange32(0, 100);
        for (int i = 0; i < 50; ++i)
            dlg.bar.SetPos(dlg.bar.GetPos() + 1);
        readBack = dlg.bar.GetPos();
        QMetaObject::invokeMethod(&dlg, [&] { done = true; }, Qt::QueuedConnection);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
    worker.join();
    EXPECT_EQ(readBack, 50);
}

}  // namespace
}  // namespace kestrune
