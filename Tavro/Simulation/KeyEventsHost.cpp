#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Simulation/AccessibilityHost.h"

#include <QMutex>
#include <QMutexLocker>

namespace tavro {

namespace {

// Keeps every posted event and hands it to the frontmost simulated application's key handler.
class SimulatedKeyEvents final : public KeyEvents::Backend
{
public:
    void post(const KeyEvent& event) override
    {
        {
            QMutexLocker lock(&mutex);
            posted.append(event);
        }
        const auto front = Workspace::shared().frontmostApplication();
        if (!front)
            return;
        if (const auto handler = AccessibilityHost::keyHandler(front->processIdentifier))
            handler(event);
    }

    quint64 flagsState(int sourceStateIdentifier) override
    {
        quint64 flags = 0;
        {
            QMutexLocker lock(&mutex);
            flags = held;
        }
        return flags | KeyEvents::systemBackend().flagsState(sourceStateIdentifier);
    }

    QMutex mutex;
    quint64 held = 0;
    QList<KeyEvent> posted;
};

SimulatedKeyEvents& simulation()
{
    static SimulatedKeyEvents s;
    return s;
}

} // namespace

void KeyEventsHost::install()
{
    KeyEvents::setBackend(&simulation());
}

void KeyEventsHost::setHeldModifiers(quint64 flags)
{
    SimulatedKeyEvents& s = simulation();
    QMutexLocker lock(&s.mutex);
    s.held = flags;
}

QList<KeyEvent> KeyEventsHost::posted()
{
    SimulatedKeyEvents& s = simulation();
    QMutexLocker lock(&s.mutex);
    return s.posted;
}

QList<KeyEvent> KeyEventsHost::keyDowns()
{
    QList<KeyEvent> downs;
    for (const KeyEvent& event : posted()) {
        if (event.keyDown)
            downs.append(event);
    }
    return downs;
}

void KeyEventsHost::reset()
{
    SimulatedKeyEvents& s = simulation();
    QMutexLocker lock(&s.mutex);
    s.held = 0;
    s.posted.clear();
}

} // namespace tavro
