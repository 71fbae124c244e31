// Calls from a worker thread into the window thread: values come back, void calls finish before the
// worker goes on, and a call that can never run (its context object is gone) still lets the worker go.
#include "framework/UiCall.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kestrune {
namespace {

// A context object that can tell whether an event waits for it in the queue, so that a test can
// destroy it exactly between the worker's posting and the window thread's processing.
class PendingContext : public QObject {
public:
    bool hasPostedEvents() const { return d_ptr->postedEvents.loadAcquire() > 0; }
};

// Lets the window thread process events until `done` holds.
bool pumpUntil(const std::atomic<bool>& done)
{
    return QTest::qWaitFor([&] { return done.load(); }, 60000);
}

TEST(UiCall, WorkerCallsRunInTheWindowThreadInOrderAndReturnTheirValues)
{
    QObject context;
    std::vector<int> windowLog;  // touched only in the window thread, read by the worker after its calls
    std::vector<int> results;
    std::vector<QThread*> threads;
    std::string text;
    std::vector<int> seenByWorker;
    std::atomic<bool> done{false};

    std::thread worker([&] {
        for (int i = 0; i < 50; ++i) {
            results.push_back(uiCall(&context, [&, i] {
                threads.push_back(QThread::currentThread());
                return i * 2;
            }));
            uiCall(&context, [&, i] { windowLog.push_back(i); });
        }
        text = uiCall(&context, [] { return std::string("Готово"); });
        seenByWorker = windowLog;  // every void call has finished before uiCall returned
        done = true;
    });
    ASSERT_TRUE(pumpUntil(done));
    worker.join();

    ASSERT_EQ(results.size(), 50u);
    ASSERT_EQ(seenByWorker.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(results[i], i * 2);
        EXPECT_EQ(seenByWorker[i], i);
    }
    EXPECT_EQ(threads.size(), 50u);
    for (QThread* t : threads)
        EXPECT_EQ(t, context.thread());
    EXPECT_EQ(text, "Готово");
}

TEST(UiCall, FromTheContextsOwnThreadTheCallRunsAtOnce)
{
    QObject context;
    int calls = 0;
    // No event loop runs here: a queued hand-off would never come back.
    EXPECT_EQ(uiCall(&context, [&] { return ++calls; }), 1);
    uiCall(&context, [&] { ++calls; });
    EXPECT_EQ(calls, 2);
}

TEST(UiCall, ACallWhoseContextIsDestroyedBeforeItRunsReleasesTheWorker)
{
    // The worker's state is shared so that a worker that never comes back cannot touch a dead frame.
    struct Shared {
        std::atomic<bool> valueCallRan{false}, voidCallRan{false};
        std::promise<std::string> value;
        std::promise<void> voidCall;
    };
    auto shared = std::make_shared<Shared>();
    auto valueDone = shared->value.get_future();
    auto voidDone = shared->voidCall.get_future();

    for (int round = 0; round < 2; ++round) {
        auto* context = new PendingContext;
        std::thread worker([shared, context, round] {
            if (round == 0) {
                shared->value.set_value(uiCall(context, [shared] {
                    shared->valueCallRan = true;
                    return std::string("never");
                }));
            } else {
                uiCall(context, [shared] { shared->voidCallRan = true; });
                shared->voidCall.set_value();
            }
        });
        // The window thread processes no events here: wait for the call to be queued, then destroy its target.
        while (!context->hasPostedEvents())
            std::this_thread::yield();
        delete context;

        const bool released = (round == 0 ? valueDone.wait_for(std::chrono::seconds(60))
                                          : voidDone.wait_for(std::chrono::seconds(60))) == std::future_status::ready;
        if (!released) {
            worker.detach();  // blocked for good; it holds only the shared state
            FAIL() << "the worker still waits for a call whose context is gone";
        }
        worker.join();
    }
    QCoreApplication::processEvents();  // nothing is left to run either
    EXPECT_EQ(valueDone.get(), "");
    EXPECT_FALSE(shared->valueCallRan);
    EXPECT_FALSE(shared->voidCallRan);
}

}  // namespace
}  // namespace kestrune
