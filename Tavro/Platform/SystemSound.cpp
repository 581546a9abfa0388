#include "Tavro/Platform/SystemSound.h"
#include "Tavro/Platform/InstalledBackend.h"

#include <QApplication>

namespace tavro {

namespace {

class SystemBackend final : public SystemSound::Backend
{
public:
    void beep() override { QApplication::beep(); }
};

InstalledBackend<SystemSound::Backend> installedBackend;

} // namespace

SystemSound::Backend& SystemSound::systemBackend()
{
    static SystemBackend system;
    return system;
}

void SystemSound::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

void SystemSound::beep()
{
    installedBackend.orElse(systemBackend()).beep();
}

} // namespace tavro
