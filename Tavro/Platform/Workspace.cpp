#include "Tavro/Platform/Workspace.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/WorkspaceBackend.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tavro {

namespace {
BackendSlot<Workspace::Backend, Linux::WorkspaceBackend> backendSlot;
} // namespace

Workspace& Workspace::shared()
{
    static Workspace workspace;
    return workspace;
}

Workspace::Backend& Workspace::systemBackend()
{
    return backendSlot.system();
}

void Workspace::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

QList<RunningApplication> Workspace::runningApplications(const QString& bundleIdentifier) const
{
    return backendSlot.current().runningApplications(bundleIdentifier);
}

std::optional<RunningApplication> Workspace::frontmostApplication() const
{
    return backendSlot.current().frontmostApplication();
}

bool Workspace::activate(const RunningApplication& application)
{
    return backendSlot.current().activate(application);
}

QCoro::Task<std::expected<RunningApplication, WorkspaceError>> Workspace::openApplication(
    const QString& bundlePath, const OpenConfiguration& configuration)
{
    const auto bundle = Workspace::bundle(bundlePath);
    if (!bundle)
        co_return std::unexpected(cannotOpen(QFileInfo(bundlePath).completeBaseName()));
    co_return co_await backendSlot.current().openApplication(*bundle, configuration);
}

QCoro::Task<std::expected<void, WorkspaceError>> Workspace::openUrls(
    const QList<QUrl>& urls, const QString& bundlePath, const OpenConfiguration& configuration)
{
    const auto bundle = Workspace::bundle(bundlePath);
    if (!bundle)
        co_return std::unexpected(cannotOpen(QFileInfo(bundlePath).completeBaseName()));
    const auto handed = co_await backendSlot.current().openUrls(urls, *bundle, configuration);
    if (!handed)
        co_return std::unexpected(handed.error());
    co_return {};
}

WorkspaceError Workspace::cannotOpen(const QString& name)
{
    //: System error text when an application could not be started. %1 is the application name.
    return WorkspaceError{QCoreApplication::translate("Tavro", "The application “%1” can’t be opened.").arg(name)};
}

} // namespace tavro
