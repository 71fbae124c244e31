#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <future>
#include <memory>
#include <type_traits>
#include <utility>

namespace kestrune {

namespace detail {
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

// Runs f in the thread of ctx and waits for its result: the worker's "send message".
// The hand-off goes through a std::promise rather than a blocking queued connection so that
// ThreadSanitizer sees the synchronisation. Called from ctx's own thread it runs f directly.
template <class F>
auto uiCall(QObject* ctx, F&& f) -> decltype(f())
{
    using R = decltype(f());
    if (QThread::currentThread() == ctx->thread())
        return f();
    auto promise = std::make_shared<std::promise<R>>();
    auto future = promise->get_future();
    QMetaObject::invokeMethod(
        ctx, detail::UiCallCarrier<R, std::decay_t<F>>(std::forward<F>(f), promise), Qt::QueuedConnection);
    return future.get();
}

}  // namespace kestrune
