#include "Tavro/Platform/SerialQueue.h"

namespace tavro {

SerialQueue::SerialQueue(const QString& label, QThread::Priority priority)
    : m_thread(std::make_unique<QThread>()), m_context(std::make_unique<QObject>())
{
    m_thread->setObjectName(label);
    m_context->moveToThread(m_thread.get());
    m_thread->start(priority);
}

SerialQueue::~SerialQueue()
{
    // Stopping from a last queued item lets the items before it run; quit() from here would
    // drop whatever is still waiting. The context is deleted on its own thread.
    QObject* context = m_context.release();
    QMetaObject::invokeMethod(
        context,
        [context] {
            delete context;
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    m_thread->wait();
}

QString SerialQueue::label() const
{
    return m_thread->objectName();
}

void SerialQueue::async(std::function<void()> work) const
{
    QMetaObject::invokeMethod(m_context.get(), std::move(work), Qt::QueuedConnection);
}

QObject* SerialQueue::context() const
{
    return m_context.get();
}

QThread* SerialQueue::thread() const
{
    return m_thread.get();
}

} // namespace tavro
