#pragma once

#include "Tavro/Platform/SerialQueue.h"

#include <QSemaphore>

#include <memory>

namespace tavro::test {

// Holds a serial queue: the work submitted after the hold waits until it is released (or goes
// away). Work that would otherwise finish before the test looks at it waits for the test.
class QueueHold
{
public:
    explicit QueueHold(const SerialQueue& queue)
    {
        queue.async([gate = m_gate] { gate->acquire(); });
    }
    ~QueueHold() { release(); }
    QueueHold(const QueueHold&) = delete;
    QueueHold& operator=(const QueueHold&) = delete;

    void release()
    {
        if (!m_released)
            m_gate->release();
        m_released = true;
    }

private:
    std::shared_ptr<QSemaphore> m_gate = std::make_shared<QSemaphore>();
    bool m_released = false;
};

} // namespace tavro::test
