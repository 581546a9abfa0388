#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/InstalledBackend.h"
#include "Tavro/Platform/ModifierFlags.h"

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
    return ModifierFlag::fromQt(QGuiApplication::queryKeyboardModifiers());
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
