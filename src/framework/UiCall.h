#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <future>
#include <memory>
#include <type_traits>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace kestrune {

namespace detail {

// Qt's event queue orders a queued call after what the posting thread did before posting it, and
// the call's destruction after the call, wherever the last reference is dropped. ThreadSanitizer
// cannot see into Qt, so without these annotations it would report those accesses as races.
#if defined(__SANITIZE_THREAD__)
inline void HandOffRelease(void* p) { __tsan_release(p); }
inline void HandOffAcquire(void* p) { __tsan_acquire(p); }
#else
inline void HandOffRelease(void*) {}
inline void HandOffAcquire(void*) {}
#endif

// A function that Qt carries to another thread in a queued call.
template <class F>
class QueuedCall {
public:
    explicit QueuedCall(F f) : m_f(std::move(f)) { HandOffRelease(this); }
    QueuedCall(QueuedCall&& o) noexcept : m_f(std::move(o.m_f)) { HandOffRelease(this); }
    QueuedCall(const QueuedCall&) = delete;
    QueuedCall& operator=(const QueuedCall&) = delete;
    QueuedCall& operator=(QueuedCall&&) = delete;
    ~QueuedCall() { HandOffAcquire(this); }
    void operator()()
    {
        HandOffAcquire(this);
        m_f();
        HandOffRelease(this);
    }

private:
    F m_f;
};

// Carries one call into the window thread. If Qt drops the queued event (its context object
// is gone), the carrier is destroyed without running and still releases the waiting thread.
template <class R, class F>
class UiCallCarrier {
public:
    UiCallCarrier(F f, std::shared_ptr<std::promise<R>> p) : m_f(std::move(f)), m_promise(std::move(p)) {}
    UiCallCarrier(UiCallCarrier&& o) noexcept
        : m_f(std::move(o.m_f)), m_promise(std::move(o.m_promise)) {}
    UiCallCarrier(const UiCallCarrier&) = delete;
    UiCallCarrier& operator=(const UiCallCarrier&) = delete;
    UiCallCarrier& operator=(UiCallCarrier&&) = delete;
    ~UiCallCarrier()
    {
        if (!m_promise)
            return;
        if constexpr (std::is_void_v<R>)
            m_promise->set_value();
        else
            m_promise->set_value(R{});
    }
    void operator()()
    {
        auto p = std::move(m_promise);
        if constexpr (std::is_void_v<R>) {
            m_f();
            p->set_value();
        } else {
            p->set_value(m_f());
        }
    }

private:
    F m_f;
    std::shared_ptr<std::promise<R>> m_promise;
};
}  // namespace detail

// Runs f later in the thread of ctx and returns at once: the worker's "post message". Dropped
// silently when ctx is destroyed first.
template <class F>
void UiPost(QObject* ctx, F&& f)
{
    QMetaObject::invokeMethod(ctx, detail::QueuedCall<std::decay_t<F>>(std::forward<F>(f)), Qt::QueuedConnection);
}

// Runs f in the thread of ctx and waits for its result: the worker's "send message".
// The hand-off goes through a std::promise rather than a blocking queued connection so that
// ThreadSanitizer sees the synchronisation. Called from ctx's own thread it runs f directly.
template <class F>
auto UiCall(QObject* ctx, F&& f) -> decltype(f())
{
    using R = decltype(f());
    if (QThread::currentThread() == ctx->thread())
        return f();
    auto promise = std::make_shared<std::promise<R>>();
    auto future = promise->get_future();
    UiPost(ctx, detail::UiCallCarrier<R, std::decay_t<F>>(std::forward<F>(f), promise));
    return future.get();
}

}  // namespace kestrune
