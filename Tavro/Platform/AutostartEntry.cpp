#include "Tavro/Platform/AutostartEntry.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/AutostartEntryBackend.h"

#include "Tavro/Platform/DesktopApplications.h"

namespace tavro {

QString description(AutostartError error)
{
    switch (error) {
    case AutostartError::notPermitted:
        return QStringLiteral("Operation not permitted");
    case AutostartError::notRegistered:
        return QStringLiteral("Can’t find the login item to remove");
    }
    return {};
}

namespace {
BackendSlot<AutostartEntry::Backend, Linux::AutostartEntryBackend> backendSlot;
} // namespace

namespace AutostartEntry {

Backend& systemBackend()
{
    return backendSlot.system();
}

void setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

QString entryPath()
{
    return DesktopApplications::configHome() + QStringLiteral("/autostart/tavro.desktop");
}

std::expected<void, AutostartError> registerMainApp()
{
    return backendSlot.current().registerMainApp();
}

std::expected<void, AutostartError> unregisterMainApp()
{
    return backendSlot.current().unregisterMainApp();
}

Status status()
{
    return backendSlot.current().status();
}

} // namespace AutostartEntry

} // namespace tavro
