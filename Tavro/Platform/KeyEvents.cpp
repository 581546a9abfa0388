#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/AccessibilityHost.h"
#include "Tavro/Platform/KeyEventsHost.h"
#include "Tavro/Platform/Workspace.h"

#include <QGuiApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

namespace tavro {

namespace {

struct KeyState
{
    QMutex mutex;
    quint64 held = 0;
    QList<KeyEvent> posted;
};

KeyState& keyState()
{
    static KeyState s;
    return s;
}

quint64 qtModifiers()
{
    // The pointer's platform knows the keyboard only on the GUI thread.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread())
        return 0;
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    quint64 flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= KeyEvents::maskShift;
    // Qt reports the Command key as Control on a Mac; here the Super (Meta) key stands in for it.
    if (modifiers & Qt::ControlModifier)
        flags |= KeyEvents::maskControl;
    if (modifiers & Qt::AltModifier)
        flags |= KeyEvents::maskAlternate;
    if (modifiers & Qt::MetaModifier)
        flags |= KeyEvents::maskCommand;
    return flags;
}

} // namespace

namespace KeyEvents {

void post(const KeyEvent& event)
{
    {
        KeyState& s = keyState();
        QMutexLocker lock(&s.mutex);
        s.posted.append(event);
    }
    const auto front = Workspace::shared().frontmostApplication();
    if (!front)
        return;
    if (const auto handler = AccessibilityHost::keyHandler(front->processIdentifier))
        handler(event);
}

quint64 flagsState(int sourceStateIdentifier)
{
    Q_UNUSED(sourceStateIdentifier);
    KeyState& s = keyState();
    quint64 held = 0;
    {
        QMutexLocker lock(&s.mutex);
        held = s.held;
    }
    return held | qtModifiers();
}

} // namespace KeyEvents

void KeyEventsHost::setHeldModifiers(quint64 flags)
{
    KeyState& s = keyState();
    QMutexLocker lock(&s.mutex);
    s.held = flags;
}

quint64 KeyEventsHost::heldModifiers()
{
    KeyState& s = keyState();
    QMutexLocker lock(&s.mutex);
    return s.held;
}

QList<KeyEvent> KeyEventsHost::posted()
{
    KeyState& s = keyState();
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
    KeyState& s = keyState();
    QMutexLocker lock(&s.mutex);
    s.held = 0;
    s.posted.clear();
}

} // namespace tavro
