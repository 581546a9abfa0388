#include "Tavro/Platform/Linux/WorkspaceBackend.h"

#include "Tavro/Platform/Linux/BundleIndex.h"
#include "Tavro/Platform/Linux/ChildProgram.h"
#include "Tavro/Platform/Linux/Processes.h"
#include "Tavro/Platform/PlatformLog.h"

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QFileInfo>
#include <QMutexLocker>

#include <algorithm>

namespace tavro::Linux {

namespace {

WorkspaceError quitAtOnce(const QString& name)
{
    //: System error text when an application ended with an error right after it was started, without saying
    //: why. %1 is the application name.
    return WorkspaceError{
        QCoreApplication::translate("Tavro", "The application “%1” quit right after it started.").arg(name)};
}

} // namespace

QList<RunningApplication> WorkspaceBackend::runningApplications(const QString& bundleIdentifier)
{
    QStringList executables;
    QString bundlePath;
    const QList<AppBundle> bundles = installedBundles();
    const QString answering = answeringIdentifier(bundleIdentifier, bundles);
    for (const AppBundle& bundle : bundles) {
        if (bundle.bundleIdentifier != answering || bundle.executableName.isEmpty())
            continue;
        if (executables.isEmpty())
            bundlePath = bundle.bundlePath;
        executables.append(bundle.executablePath());
    }
    QList<qint64> pids = executables.isEmpty() ? QList<qint64>() : processesRunning(executables);
    // A process we started keeps counting while it lives, even after it changed its command line.
    {
        QMutexLocker lock(&m_mutex);
        pruneStarted();
        for (const Started& process : std::as_const(m_started)) {
            if (process.bundleIdentifier == answering && !pids.contains(process.pid))
                pids.append(process.pid);
        }
    }
    std::sort(pids.begin(), pids.end());
    QList<RunningApplication> result;
    for (qint64 pid : pids)
        result.append(RunningApplication{bundleIdentifier, pid, bundlePath});
    return result;
}

std::optional<RunningApplication> WorkspaceBackend::frontmostApplication()
{
    std::optional<RunningApplication> front;
    {
        QMutexLocker lock(&m_mutex);
        front = m_frontmost;
    }
    // The frontmost application may have quit since it came to the front.
    if (front && !Workspace::processIsRunning(front->processIdentifier))
        return std::nullopt;
    return front;
}

bool WorkspaceBackend::activate(const RunningApplication& application)
{
    if (!Workspace::processIsRunning(application.processIdentifier))
        return false;
    QMutexLocker lock(&m_mutex);
    m_frontmost = application;
    return true;
}

QCoro::Task<std::expected<RunningApplication, WorkspaceError>> WorkspaceBackend::openApplication(
    const AppBundle& bundle, const OpenConfiguration& configuration)
{
    if (!configuration.createsNewApplicationInstance) {
        const auto running = runningApplications(bundle.bundleIdentifier);
        if (!running.isEmpty()) {
            if (configuration.activates)
                activate(running.first());
            co_return running.first();
        }
    }
    co_return co_await start(bundle, configuration.arguments, configuration);
}

QCoro::Task<std::expected<RunningApplication, WorkspaceError>> WorkspaceBackend::openUrls(
    const QList<QUrl>& urls, const AppBundle& bundle, const OpenConfiguration& configuration)
{
    // A real application receives the URLs on its command line; a running single-instance
    // browser forwards them to its first process itself.
    QStringList arguments;
    for (const QUrl& url : urls)
        arguments.append(url.toString(QUrl::FullyEncoded));
    co_return co_await start(bundle, arguments, configuration);
}

QCoro::Task<std::expected<RunningApplication, WorkspaceError>> WorkspaceBackend::start(
    AppBundle bundle, QStringList arguments, OpenConfiguration configuration)
{
    const QString executable = bundle.executablePath();
    const QFileInfo info(executable);
    if (executable.isEmpty() || !info.isFile() || !info.isExecutable())
        co_return std::unexpected(Workspace::cannotOpen(bundle.name));
    const std::chrono::milliseconds window = configuration.earlyExitWindow;
    auto child = spawn(bundle.commandLine(arguments), window > std::chrono::milliseconds::zero());
    if (!child)
        co_return std::unexpected(Workspace::cannotOpen(bundle.name));
    const RunningApplication started{bundle.bundleIdentifier, child->pid, bundle.bundlePath};
    noteStarted(started, configuration.activates);
    // Without a pidfd (no descriptor left) the program runs on unwatched, and is not reaped.
    if (child->process.get() < 0)
        co_return started;
    const std::optional<EarlyExit> exit = co_await watchEarlyExit(std::move(*child), window);
    if (!exit || !exit->failed())
        co_return started;
    qCInfo(lcPlatform) << "The application" << bundle.name << "ended right after it started,"
                       << (exit->bySignal ? "by signal" : "with status") << exit->status;
    co_return std::unexpected(
        exit->lastErrorLine.isEmpty() ? quitAtOnce(bundle.name) : WorkspaceError{exit->lastErrorLine});
}

void WorkspaceBackend::noteStarted(const RunningApplication& started, bool activates)
{
    QMutexLocker lock(&m_mutex);
    pruneStarted();
    // A process that is gone already (a URL hand-over to a running browser) is not kept.
    if (const auto startTime = processStartTime(started.processIdentifier))
        m_started.append(Started{started.processIdentifier, *startTime, started.bundleIdentifier});
    if (activates)
        m_frontmost = started;
}

void WorkspaceBackend::pruneStarted()
{
    m_started.removeIf([](const Started& process) {
        return !Workspace::processIsRunning(process.pid) || processStartTime(process.pid) != process.startTime;
    });
}

} // namespace tavro::Linux
