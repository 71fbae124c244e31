// The dialog layer on its own: templates become windows (dialog units to pixels from the dialog font,
// every control at its place in tab order, no text cut off), data exchange, the dialog manager's keys,
// standard actions, ending a run, the progress control, and a call into the window thread that cannot run.
#include "framework/DataExchange.h"
#include "framework/DialogUnits.h"
#include "framework/ProgressBar.h"
#include "framework/ProgressCtrl.h"
#include "framework/UiCall.h"
#include "framework/Wnd.h"
#include "support/DialogDriver.h"
#include "support/FrameworkTemplates.h"
#include "support/TemplateLayoutCheck.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
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

TEST(DialogUnits, BaseUnitsComeFromTheFontsMetricsAndHalvesRoundAwayFromZero)
{
    EXPECT_EQ(MulDiv(374, 7, 4), 655);  // 654.5
    EXPECT_EQ(MulDiv(-1, 6, 4), -2);
    const QFont font(QStringLiteral("DejaVu Sans"), 9);
    if (QFontInfo(font).family() != QStringLiteral("DejaVu Sans"))
        GTEST_SKIP() << "DejaVu Sans is not installed";
    const DialogUnits units(font);
    EXPECT_EQ(units.BaseX(), 7);
    EXPECT_EQ(units.BaseY(), 14);
    EXPECT_EQ(units.Rect(7, 22, 360, 83), QRect(12, 39, 630, 145));
}

TEST(TemplateLayout, ControlsSitAtTheirPlacesInTabOrderWithTextsWhole)
{
    ExpectLaidOutAsTemplates({IDD_TEST_FORM, IDD_TEST_BOX});
}

// The test form with a member bound to each kind of control, the number between the others, and a
// message table of its own that logs what arrives. Routing of list notifications, edits and menu
// commands is exercised through the program's windows (TagPanelTest, the browser and options tests).
class Form : public CDialog {
public:
    Form() : CDialog(IDD_TEST_FORM) {}

    std::string m_strName, m_strChoice;
    int m_nCount = 0;
    int m_bTick = 0, m_bPush = 0;
    Log log;
    int endInInit = 0;

    void OnOK() override { log.push_back("OK"); }
    void OnCancel() override { log.push_back("Cancel"); }
    void OnBrowse() { log.push_back("clicked"); }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Check(pDX, IDC_TICK, m_bTick);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDX_CBString(pDX, IDC_CHOICE, m_strChoice);
        DDX_Check(pDX, IDC_PUSH_TICK, m_bPush);
    }
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endInInit)
            EndDialog(endInInit);
        return true;
    }
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map{msg::Clicked(IDC_BROWSE, &Form::OnBrowse)};
        return map;
    }
};

// Show and store of each kind of control, long texts whole; a store stops at a number that is not one.
TEST(DataExchange, ShowAndStoreCarryEachKindOfControlAndStopAtANumberThatIsNotOne)
{
    Form dlg;
    dlg.Create();
    const std::string longText(40000, 's');
    dlg.m_strName = "Имя";
    dlg.m_strChoice = longText;
    dlg.m_nCount = 42;
    dlg.m_bTick = 7;  // any non-zero value shows ticked and is stored back as 1
    ASSERT_TRUE(dlg.UpdateData(false));
    const auto ticked = [&](int id) { return ControlAs<QAbstractButton>(dlg, id)->isChecked(); };
    // Show sets a combo box's edit text and adds no entry.
    EXPECT_EQ((std::tuple{Text(dlg, IDC_NAME), Text(dlg, IDC_COUNT), ticked(IDC_TICK), ticked(IDC_PUSH_TICK),
                          ControlAs<QComboBox>(dlg, IDC_CHOICE)->count()}),
              (std::tuple{QString("Имя"), QString("42"), true, false, 0}));
    SetControlText(Control(dlg, IDC_COUNT), "-3");
    ControlAs<QAbstractButton>(dlg, IDC_PUSH_TICK)->setChecked(true);
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_TRUE(dlg.m_strChoice == longText) << dlg.m_strChoice.size() << " characters";
    EXPECT_EQ((std::tuple{dlg.m_nCount, dlg.m_bTick, dlg.m_bPush}), (std::tuple{-3, 1, 1}));

    SetControlText(Control(dlg, IDC_NAME), "/a/");
    SetControlText(Control(dlg, IDC_COUNT), "12a");
    SetControlText(Control(dlg, IDC_CHOICE), "после");
    EXPECT_FALSE(dlg.UpdateData(true));
    // Bindings before the number are stored, the number and those after it are not.
    EXPECT_TRUE(dlg.m_strName == "/a/" && dlg.m_nCount == -3 && dlg.m_strChoice == longText);
}

TEST(DataExchange, DecimalIntegers)
{
    int value = 0;
    EXPECT_TRUE(ParseDecimalInt("+5", value) && value == 5);
    EXPECT_TRUE(ParseDecimalInt(" -2147483648 ", value) && value == -2147483648);
    for (const char* bad : {"", " ", "1.5", "12a", "a12", "+-1", "--1", "2147483648", "0x10", "1 2"})
        EXPECT_FALSE(ParseDecimalInt(bad, value)) << bad;
    EXPECT_EQ(value, -2147483648) << "a failed parse leaves the value";
}

TEST(DialogKeys, EnterEscAndTheCloseBoxAreTheDialogsCommandsAndAFocusedButtonTakesEnter)
{
    Form dlg;
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
TEST(DialogKeys, DefaultButtonTakesEnter)
{
    CDialog dlg(IDD_TEST_BOX);
    dlg.Create();
    QObject::connect(ControlAs<QPushButton>(dlg, IDC_YES), &QPushButton::clicked, [&] { dlg.EndDialog(IDC_YES); });
    EXPECT_EQ(RunModal(dlg, [&] { PressKey(Control(dlg, IDC_NOTE), Qt::Key_Return); }), IDC_YES);
}

TEST(DialogRun, EndDialogDuringInitialisationSkipsTheRunAndFromAWorkerIsPosted)
{
    Form dlg;
    dlg.endInInit = 7;
    EXPECT_EQ(dlg.DoModal(), 7);

    CDialog progress(IDD_TEST_BOX);
    EXPECT_EQ(RunModal(progress,
                       [&] {
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

// Calls into the window thread: a call that can never run (its context object is gone) still lets the
// worker go. The worker's ordinary calls are those of every save through the window (SaveCommandTest);
// the window thread's own, which must run at once, are those of every control wrapper in the window tests.
// A context object that can tell whether an event waits for it in the queue, so that a test can
// destroy it exactly between the worker's posting and the window thread's processing.
class PendingContext : public QObject {
public:
    bool HasPostedEvents() const { return d_ptr->postedEvents.loadAcquire() > 0; }
};

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
