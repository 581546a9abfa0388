#pragma once
// Stands for a serial dispatch queue with a label: one worker thread that runs submitted work
// in order, one item at a time.

#include <QFuture>
#include <QPromise>
#include <QString>
#include <QThread>

#include <functional>
#include <memory>
#include <type_traits>

namespace tavro {

class SerialQueue
{
public:
    explicit SerialQueue(const QString& label, QThread::Priority priority = QThread::NormalPriority);
    // Lets the work already submitted finish, then stops the thread. Destroy it while the
    // application object exists; a queue that lives for the whole process is never destroyed.
    ~SerialQueue();

    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    QString label() const;
    // Runs `work` on the queue's thread after everything submitted before it.
    void async(std::function<void()> work) const;
    // The same, with a future of its result that a coroutine can await.
    template <typename Work> QFuture<std::invoke_result_t<Work>> run(Work work) const
    {
        using Result = std::invoke_result_t<Work>;
        auto promise = std::make_shared<QPromise<Result>>();
        QFuture<Result> future = promise->future();
        promise->start();
        async([promise, work = std::move(work)]() mutable {
            if constexpr (std::is_void_v<Result>)
                work();
            else
                promise->addResult(work());
            promise->finish();
        });
        return future;
    }
    // An object that lives on the queue's thread, for queued connections and invokeMethod.
    QObject* context() const;
    QThread* thread() const;

private:
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<QObject> m_context;
};

} // namespace tavro
