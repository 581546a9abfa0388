#include "Tavro/Simulation/WorkspaceHost.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

namespace tavro {

namespace {

struct SimulatedApp
{
    RunningApplication application;
    std::function<void(const QList<QUrl>&)> urlHandler;
};

// Simulated process identifiers sit far above any pid_max, so they never meet a real process.
constexpr qint64 firstSimulatedPid = 10'000'000;

bool isSimulatedPid(qint64 pid)
{
    return pid >= firstSimulatedPid;
}

// Simulated applications first; everything else goes to the system backend, and is logged.
class SimulatedWorkspace final : public Workspace::Backend
{
public:
    QList<RunningApplication> runningApplications(const QString& bundleIdentifier) override
    {
        QList<RunningApplication> result;
        {
            QMutexLocker lock(&mutex);
            ++lookups;
            if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread())
                ++guiThreadLookups;
            for (const SimulatedApp& app : std::as_const(simulated)) {
                if (app.application.bundleIdentifier == bundleIdentifier)
                    result.append(app.application);
            }
        }
        result.append(system().runningApplications(bundleIdentifier));
        return result;
    }

    std::optional<RunningApplication> frontmostApplication() override
    {
        QMutexLocker lock(&mutex);
        if (!frontmost)
            return std::nullopt;
        // The frontmost application may have quit since it came to the front.
        if (!isSimulatedPid(frontmost->processIdentifier))
            return Workspace::processIsRunning(frontmost->processIdentifier) ? frontmost : std::nullopt;
        if (const SimulatedApp* app = find(frontmost->processIdentifier))
            return app->application;
        return std::nullopt;
    }

    bool activate(const RunningApplication& application) override
    {
        QMutexLocker lock(&mutex);
        if (isSimulatedPid(application.processIdentifier)) {
            if (!find(application.processIdentifier))
                return false;
        } else if (!system().activate(application)) {
            return false;
        }
        frontmost = application;
        return true;
    }

    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openApplication(
        const AppBundle& bundle, const OpenConfiguration& configuration) override
    {
        const bool argumentLaunch = configuration.createsNewApplicationInstance || !configuration.arguments.isEmpty();
        LaunchRecord record;
        record.kind = argumentLaunch ? LaunchRecord::Kind::arguments : LaunchRecord::Kind::activation;
        record.bundlePath = bundle.bundlePath;
        record.bundleIdentifier = bundle.bundleIdentifier;
        record.arguments = configuration.arguments;

        if (!configuration.createsNewApplicationInstance) {
            const auto running = runningApplications(bundle.bundleIdentifier);
            if (!running.isEmpty()) {
                if (configuration.activates)
                    activate(running.first());
                log(record, running.first().processIdentifier, false);
                co_return running.first();
            }
            std::function<void()> launcher;
            {
                QMutexLocker lock(&mutex);
                launcher = launchers.value(bundle.bundleIdentifier);
            }
            if (launcher) {
                launcher();
                const auto started = runningApplications(bundle.bundleIdentifier);
                if (started.isEmpty()) {
                    log(record, 0, false);
                    co_return std::unexpected(Workspace::cannotOpen(bundle.name));
                }
                if (configuration.activates)
                    activate(started.last());
                log(record, started.last().processIdentifier, false);
                co_return started.last();
            }
        }
        // Nothing of this identifier runs: the system starts a process.
        const quint64 entry = logStarting(record);
        auto started = co_await system().openApplication(bundle, configuration);
        noteStarted(started ? std::optional(*started) : std::nullopt, configuration.activates);
        completeLog(entry, started ? started->processIdentifier : 0, bool(started));
        co_return started;
    }

    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openUrls(
        const QList<QUrl>& urls, const AppBundle& bundle, const OpenConfiguration& configuration) override
    {
        LaunchRecord record;
        record.kind = LaunchRecord::Kind::urlHandOver;
        record.bundlePath = bundle.bundlePath;
        record.bundleIdentifier = bundle.bundleIdentifier;
        record.urls = urls;

        auto running = runningApplications(bundle.bundleIdentifier);
        bool hasLauncher = false;
        {
            QMutexLocker lock(&mutex);
            hasLauncher = launchers.contains(bundle.bundleIdentifier);
        }
        if (running.isEmpty() && hasLauncher) {
            auto launched = co_await openApplication(bundle, OpenConfiguration{configuration.activates, false, {}});
            if (!launched)
                co_return std::unexpected(launched.error());
            running = {*launched};
        }
        if (!running.isEmpty() && isSimulatedPid(running.first().processIdentifier)) {
            const RunningApplication app = running.first();
            std::function<void(const QList<QUrl>&)> handler;
            {
                QMutexLocker lock(&mutex);
                if (const SimulatedApp* simulatedApp = find(app.processIdentifier))
                    handler = simulatedApp->urlHandler;
            }
            log(record, app.processIdentifier, false);
            if (configuration.activates)
                activate(app);
            if (handler)
                handler(urls);
            co_return app;
        }
        for (const QUrl& url : urls)
            record.arguments.append(url.toString(QUrl::FullyEncoded));
        const quint64 entry = logStarting(record);
        auto started = co_await system().openUrls(urls, bundle, configuration);
        noteStarted(started ? std::optional(*started) : std::nullopt, configuration.activates);
        completeLog(entry, started ? started->processIdentifier : 0, bool(started));
        co_return started;
    }

    QMutex mutex;
    QList<SimulatedApp> simulated;
    QHash<QString, std::function<void()>> launchers;
    // The log, each record with the number it was logged under.
    QList<std::pair<quint64, LaunchRecord>> launches;
    quint64 nextEntry = 0;
    int lookups = 0;
    int guiThreadLookups = 0;
    QList<qint64> started;
    std::optional<RunningApplication> frontmost;
    qint64 nextPid = firstSimulatedPid;

    SimulatedApp* find(qint64 pid)
    {
        auto it = std::find_if(simulated.begin(), simulated.end(),
            [&](const SimulatedApp& app) { return app.application.processIdentifier == pid; });
        return it == simulated.end() ? nullptr : &*it;
    }

private:
    static Workspace::Backend& system() { return Workspace::systemBackend(); }

    void noteStarted(const std::optional<RunningApplication>& application, bool activates)
    {
        if (!application)
            return;
        QMutexLocker lock(&mutex);
        started.append(application->processIdentifier);
        if (activates)
            frontmost = application;
    }

    void log(const LaunchRecord& record, qint64 pid, bool startedProcess)
    {
        completeLog(logStarting(record), pid, startedProcess);
    }

    // A process the system starts is logged as it starts, and completed with what was started once
    // the call returns, after the program's early-exit window.
    quint64 logStarting(const LaunchRecord& record)
    {
        QMutexLocker lock(&mutex);
        launches.append({nextEntry, record});
        return nextEntry++;
    }

    void completeLog(quint64 entry, qint64 pid, bool startedProcess)
    {
        QMutexLocker lock(&mutex);
        for (auto& [number, record] : launches) {
            if (number == entry) {
                record.processIdentifier = pid;
                record.startedProcess = startedProcess;
            }
        }
    }
};

SimulatedWorkspace& simulation()
{
    static SimulatedWorkspace workspace;
    return workspace;
}

} // namespace

void WorkspaceHost::install()
{
    Workspace::setBackend(&simulation());
}

QList<LaunchRecord> WorkspaceHost::launches()
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    QList<LaunchRecord> records;
    for (const auto& [number, record] : std::as_const(s.launches))
        records.append(record);
    return records;
}

void WorkspaceHost::clearLaunches()
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    s.launches.clear();
}

qint64 WorkspaceHost::addRunningApplication(const QString& bundleIdentifier, const QString& bundlePath)
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    const qint64 pid = s.nextPid++;
    s.simulated.append(SimulatedApp{RunningApplication{bundleIdentifier, pid, bundlePath}, {}});
    return pid;
}

void WorkspaceHost::removeRunningApplication(qint64 processIdentifier)
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    s.simulated.removeIf(
        [&](const SimulatedApp& app) { return app.application.processIdentifier == processIdentifier; });
    if (s.frontmost && s.frontmost->processIdentifier == processIdentifier)
        s.frontmost.reset();
}

void WorkspaceHost::setLauncher(const QString& bundleIdentifier, std::function<void()> launcher)
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    if (launcher)
        s.launchers.insert(bundleIdentifier, std::move(launcher));
    else
        s.launchers.remove(bundleIdentifier);
}

void WorkspaceHost::setUrlHandler(qint64 processIdentifier, std::function<void(const QList<QUrl>&)> handler)
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    if (SimulatedApp* app = s.find(processIdentifier))
        app->urlHandler = std::move(handler);
}

void WorkspaceHost::setFrontmost(std::optional<qint64> processIdentifier)
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    s.frontmost.reset();
    if (!processIdentifier)
        return;
    if (const SimulatedApp* app = s.find(*processIdentifier))
        s.frontmost = app->application;
    else
        s.frontmost = RunningApplication{{}, *processIdentifier, {}};
}

QList<qint64> WorkspaceHost::startedProcesses()
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    return s.started;
}

void WorkspaceHost::reset()
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    s.simulated.clear();
    s.launchers.clear();
    s.launches.clear();
    s.started.clear();
    s.frontmost.reset();
    s.lookups = 0;
    s.guiThreadLookups = 0;
}

int WorkspaceHost::runningApplicationLookups()
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    return s.lookups;
}

int WorkspaceHost::guiThreadRunningApplicationLookups()
{
    SimulatedWorkspace& s = simulation();
    QMutexLocker lock(&s.mutex);
    return s.guiThreadLookups;
}

} // namespace tavro
