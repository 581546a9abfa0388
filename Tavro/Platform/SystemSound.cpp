#include "Tavro/Platform/SystemSound.h"

#include <QApplication>

namespace tavro {

namespace {

class SystemBackend final : public SystemSound::Backend
{
public:
    void beep() override { QApplication::beep(); }
};

// Main thread only.
SystemSound::Backend* installedBackend = nullptr;

} // namespace

SystemSound::Backend& SystemSound::systemBackend()
{
    static SystemBackend system;
    return system;
}

void SystemSound::setBackend(Backend* backend)
{
    installedBackend = backend;
}

void SystemSound::beep()
{
    (installedBackend ? *installedBackend : systemBackend()).beep();
}

} // namespace tavro
