#include "Tavro/Platform/SystemInfo.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/SystemInfoBackend.h"

namespace tavro {

namespace {
BackendSlot<SystemInfo::Backend, Linux::SystemInfoBackend> backendSlot;
} // namespace

SystemInfo::Backend& SystemInfo::systemBackend()
{
    return backendSlot.system();
}

void SystemInfo::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

std::optional<QString> SystemInfo::bundleString(const QString& key)
{
    return backendSlot.current().bundleString(key);
}

SystemInfo::OperatingSystemVersion SystemInfo::operatingSystemVersion()
{
    return backendSlot.current().operatingSystemVersion();
}

QByteArray SystemInfo::osBuild()
{
    return backendSlot.current().osBuild();
}

std::optional<QString> SystemInfo::prettyName()
{
    return backendSlot.current().prettyName();
}

} // namespace tavro
