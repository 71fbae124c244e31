// The dialog layer on its own: the dialog manager's keys, standard actions, ending a run, the
// progress control, and calls into the window thread at their edges.
#include "framework/ProgressBar.h"
#include "framework/ProgressCtrl.h"
#include "framework/UiCall.h"
#include "support/DialogDriver.h"
#include "support/FrameworkTemplates.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QVariant>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace kestrune {
namespace {

using namespace kestrune::test;
using Log = std::vector<std::string>;

// A dialog with a message table of its own that logs what arrives. Routing of list
// notifications, edits and menu commands is exercised through the program's windows (TagPanelTest,
// the browser and options tests).
class Probe : public CDialog {
public:
    Probe() : CDialog(IDD_TEST_FORM) {}

    Log log;
    int endInInit = 0;

    void OnOK() override { log.push_back("OK"); }
    void OnCancel() override { log.push_back("Cancel"); }
    void OnBrowse() { log.push_back("clicked"); }

protected:
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endInInit)
            EndDialog(endInInit);
        return true;
    }
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map{msg::Clicked(IDC_BROWSE, &Probe::OnBrowse)};
        return map;
    }
};

TEST(DialogKeys, EnterEscAndTheCloseBoxAreTheDialogsCommandsAndAFocusedButtonTakesEnter)
{
    Probe dlg;
    const int result = RunModal(dlg, [&] {
        QWidget* path = Control(dlg, IDC_NAME);
        path->setFocus();
        PressKey(path, Qt::Key_Return);
        PressKey(path, Qt::Key_Escape);
        dlg.close();  // no Close entry: Cancel
        QWidget* browse = Control(dlg, IDC_BROWSE);
        browse->setFocus();
        PressKey(browse, Qt::Key_Enter);
    });
    EXPECT_EQ(result, kStillOpen);
    EXPECT_EQ(dlg.log, (Log{"OK", "Cancel", "Cancel", "clicked"}));
}

// From the edit, the first tab stop (a focused push button would take Enter itself), Enter clicks the
// default button.
TEST(DialogKeys, DefaultButtonTakesEnterAndEscCancels)
{
    CDialog enter(IDD_TEST_BOX), esc(IDD_TEST_BOX);
    EXPECT_EQ(RunModal(enter, [&] {
                  QObject::connect(ControlAs<QPushButton>(enter, IDC_YES), &QPushButton::clicked,
                                   [&] { enter.EndDialog(IDC_YES); });
                  PressKey(Control(enter, IDC_NOTE), Qt::Key_Return);
              }),
              IDC_YES);
    EXPECT_EQ(RunModal(esc, [&] { PressKey(QApplication::focusWidget(), Qt::Key_Escape); }), IDCANCEL);
}

TEST(DialogRun, EndDialogDuringInitialisationSkipsTheRunAndFromAWorkerIsPosted)
{
    Probe dlg;
    dlg.endInInit = 7;
    EXPECT_EQ(dlg.DoModal(), 7);

    CDialog progress(IDD_TEST_BOX);
    EXPECT_EQ(RunModal(progress, [&] {
                  std::thread([&] { progress.EndDialog(5); }).join();  // posting must not wait for this thread
                  EXPECT_TRUE(QTest::qWaitFor([&] { return !progress.isVisible(); }, 5000));
              }),
              5);
}

// The bar clamps positions. Screen readers see the bar with its value and hear of its changes from the
// window thread, whichever thread sets it.
TEST(ProgressControl, ClampsAndTellsScreenReadersFromTheWindowThread)
{
    CDialog dlg(IDD_TEST_BOX);
    RunModal(dlg, [&] {
        CProgressCtrl bar;
        bar.Attach(dlg.GetDlgItem(IDC_BAR));
        bar.SetRange32(0, 14);
        bar.SetPos(99);
        EXPECT_EQ(bar.SetPos(-5), 14);
        EXPECT_EQ(bar.GetPos(), 0);
        std::vector<int> reported;
        bool offTheWindowThread = false;
        QObject::connect(static_cast<ProgressBar*>(bar.GetSafeHwnd()), &ProgressBar::valueReported, [&](int value) {
            reported.push_back(value);
            offTheWindowThread |= QThread::currentThread() != qApp->thread();
        });
        std::thread([&] {
            for (int i = 8; i <= 14; ++i)
                bar.SetPos(i);
        }).join();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !reported.empty() && reported.back() == 14; }));
        EXPECT_FALSE(offTheWindowThread);

        QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(bar.GetSafeHwnd());
        ASSERT_TRUE(seen && seen->valueInterface());
        // Named after its label.
        EXPECT_EQ((std::tuple{seen->role(), seen->text(QAccessible::Name), seen->valueInterface()->currentValue()}),
                  (std::tuple{QAccessible::ProgressBar, QString("Ход работы"), QVariant(14)}));
    });
}

// Calls into the window thread: from the window thread itself, and a call that can never run (its
// context object is gone) still lets the worker go. The worker's ordinary calls are those of every save
// through the window (SaveCommandTest).
// A context object that can tell whether an event waits for it in the queue, so that a test can
// destroy it exactly between the worker's posting and the window thread's processing.
class PendingContext : public QObject {
public:
    bool HasPostedEvents() const { return d_ptr->postedEvents.loadAcquire() > 0; }
};

TEST(UiCall, FromTheContextsOwnThreadTheCallRunsAtOnce)
{
    QObject context;
    int calls = 0;
    // No event loop runs here: a queued hand-off would never come back.
    UiCall(&context, [&] { ++calls; });
    EXPECT_EQ(UiCall(&context, [&] { return ++calls; }), 2);
}

TEST(UiCall, ACallWhoseContextIsDestroyedBeforeItRunsReleasesTheWorker)
{
    for (const bool valueCall : {true, false}) {
        SCOPED_TRACE(valueCall ? "value call" : "void call");
        // Shared, so that a worker that never comes back cannot touch a dead frame.
        const auto ran = std::make_shared<std::atomic<bool>>(false);
        const auto release = std::make_shared<std::promise<std::string>>();
        auto released = release->get_future();
        auto* context = new PendingContext;
        std::thread worker([=] {
            if (valueCall) {
                release->set_value(UiCall(context, [ran] {
                    *ran = true;
                    return std::string("x");
                }));
            } else {
                UiCall(context, [ran] { *ran = true; });
                release->set_value("void");
            }
        });
        // No events are processed here: wait for the call to be queued, then destroy its target.
        while (!context->HasPostedEvents())
            std::this_thread::yield();
        delete context;
        if (released.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
            worker.detach();  // blocked for good; it holds only the shared state
            FAIL() << "the worker still waits for a call whose context is gone";
        }
        worker.join();
        QApplication::processEvents();  // nothing is left to run either
        EXPECT_EQ(released.get(), valueCall ? "" : "void");
        EXPECT_FALSE(*ran);
    }
}

}  // namespace
}  // namespace kestrune
