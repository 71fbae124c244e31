// Calls into the window thread at their edges: from the window thread itself, and a call that can never
// run (its context object is gone) still lets the worker go. The worker's ordinary calls are those of
// every save through the window (SaveCommandTest).
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

namespace kestrune {
namespace {

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
    // Shared, so that a worker that never comes back cannot touch a dead frame.
    struct Shared {
        std::atomic<bool> ran{false};
        std::promise<std::string> released;
    };
    for (const bool valueCall : {true, false}) {
        SCOPED_TRACE(valueCall ? "value call" : "void call");
        auto shared = std::make_shared<Shared>();
        auto released = shared->released.get_future();
        auto* context = new PendingContext;
        std::thread worker([shared, context, valueCall] {
            if (valueCall) {
                shared->released.set_value(UiCall(context, [shared] {
                    shared->ran = true;
                    return std::string("x");
                }));
            } else {
                UiCall(context, [shared] { shared->ran = true; });
                shared->released.set_value("void");
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
        QCoreApplication::processEvents();  // nothing is left to run either
        EXPECT_EQ(released.get(), valueCall ? "" : "void");
        EXPECT_FALSE(shared->ran);
    }
}

}  // namespace
}  // namespace kestrune
