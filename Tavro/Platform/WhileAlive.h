#pragma once
// Waits for coroutines on the GUI thread that end as soon as the object they wait for goes. A
// window's coroutine suspended in one never outlives the window: it resumes at once, inside the
// window's destruction, with "gone", and must then touch nothing of it.

#include <QCoro/QCoroTask>
#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <coroutine>
#include <optional>

namespace tavro {

namespace detail {

// Resumes the awaiting coroutine when `object` emits `signal` (true) or is destroyed (false).
template <typename Object, typename Signal> class SignalOrDestroyed
{
public:
    SignalOrDestroyed(Object* object, Signal signal) : m_object(object), m_signal(signal) { }
    // Moved before it suspends, as QCoro hands awaitables on; never once connected.
    SignalOrDestroyed(SignalOrDestroyed&&) = default;
    ~SignalOrDestroyed() { disconnect(); }

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> coroutine)
    {
        m_emitted = QObject::connect(m_object, m_signal, [this, coroutine] {
            m_hasEmitted = true;
            resume(coroutine);
        });
        m_destroyed = QObject::connect(m_object, &QObject::destroyed, [this, coroutine] { resume(coroutine); });
    }
    bool await_resume() const noexcept { return m_hasEmitted; }

private:
    void disconnect()
    {
        QObject::disconnect(m_emitted);
        QObject::disconnect(m_destroyed);
    }
    // The coroutine may end and free this awaiter before `resume` returns.
    void resume(std::coroutine_handle<> coroutine)
    {
        disconnect();
        coroutine.resume();
    }

    Object* m_object;
    Signal m_signal;
    QMetaObject::Connection m_emitted;
    QMetaObject::Connection m_destroyed;
    bool m_hasEmitted = false;
};

} // namespace detail

// Sleeps for `interval`, or less when `owner` is destroyed first: whether `owner` is still there.
inline QCoro::Task<bool> sleepWhileAlive(QObject* owner, std::chrono::milliseconds interval)
{
    if (!owner)
        co_return false;
    // A child of the owner: it goes with the owner, and so ends the sleep.
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    timer->start(interval);
    if (!co_await detail::SignalOrDestroyed(timer, &QTimer::timeout))
        co_return false;
    timer->deleteLater();
    co_return true;
}

// Awaits `future`, or less when `owner` is destroyed first: its result, or none when `owner` went.
template <typename T> QCoro::Task<std::optional<T>> awaitWhileAlive(QObject* owner, QFuture<T> future)
{
    if (!owner)
        co_return std::nullopt;
    auto* watcher = new QFutureWatcher<T>(owner);
    // The watcher reports the end of the future from the event loop, never from here.
    watcher->setFuture(future);
    if (!co_await detail::SignalOrDestroyed(watcher, &QFutureWatcherBase::finished))
        co_return std::nullopt;
    watcher->deleteLater();
    co_return future.result();
}

} // namespace tavro
