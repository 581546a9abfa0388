#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/InstalledBackend.h"

#include <QGuiApplication>
#include <QThread>

namespace tavro {

namespace {

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

// Keystrokes only ever go to an application's Accessibility elements, which no desktop here offers.
class SystemBackend final : public KeyEvents::Backend
{
public:
    void post(const KeyEvent&) override { }
    quint64 flagsState(int) override { return qtModifiers(); }
};

InstalledBackend<KeyEvents::Backend> installedBackend;

KeyEvents::Backend& backend()
{
    return installedBackend.orElse(KeyEvents::systemBackend());
}

} // namespace

namespace KeyEvents {

Backend& systemBackend()
{
    static SystemBackend system;
    return system;
}

void setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

void post(const KeyEvent& event)
{
    backend().post(event);
}

quint64 flagsState(int sourceStateIdentifier)
{
    return backend().flagsState(sourceStateIdentifier);
}

} // namespace KeyEvents

} // namespace tavro
