#include "Tavro/Platform/Workspace.h"
#include "Tavro/Platform/WorkspaceHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QXmlStreamReader>

#include <algorithm>
#include <unistd.h>

namespace tavro {

namespace {

struct SimulatedApp
{
    RunningApplication application;
    std::function<void(const QList<QUrl>&)> urlHandler;
    std::function<void()> activationHandler;
};

struct StartedProcess
{
    qint64 pid = 0;
    QString bundleIdentifier;
    QString bundlePath;
};

// Simulated process identifiers sit far above any pid_max, so they never meet a real process.
constexpr qint64 firstSimulatedPid = 10'000'000;

struct WorkspaceState
{
    QMutex mutex;
    QList<SimulatedApp> simulated;
    QHash<QString, std::function<void()>> launchers;
    QList<LaunchRecord> log;
    QList<StartedProcess> started;
    std::optional<RunningApplication> frontmost;
    qint64 nextPid = firstSimulatedPid;
};

WorkspaceState& state()
{
    static WorkspaceState s;
    return s;
}

bool isSimulatedPid(qint64 pid)
{
    return pid >= firstSimulatedPid;
}

// A zombie or vanished process does not run any more.
bool processIsAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0 || close + 2 >= line.size())
        return false;
    const char processState = line.at(close + 2);
    return processState != 'Z' && processState != 'X';
}

QList<QByteArray> commandLine(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> argv = file.readAll().split('\0');
    if (!argv.isEmpty() && argv.constLast().isEmpty())
        argv.removeLast();
    return argv;
}

QList<AppBundle> installedBundles()
{
    QList<AppBundle> result;
    for (const QString& folder : Workspace::applicationFolders()) {
        const QDir dir(folder);
        const QStringList names
            = dir.entryList({QStringLiteral("*.app")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            if (auto bundle = Workspace::bundle(dir.filePath(name)))
                result.append(*bundle);
        }
    }
    return result;
}

// Real processes running from one of `executables`: by their executable file, by argv[0] (a
// wrapper that execs the real binary under the bundle's name), or as the script a shell runs.
QList<qint64> processesRunning(const QStringList& executables)
{
    QStringList canonical;
    for (const QString& path : executables) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty())
            canonical.append(resolved);
    }
    QList<qint64> pids;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isNumber = false;
        const qint64 pid = entry.toLongLong(&isNumber);
        if (!isNumber || pid == self)
            continue;
        const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
        const QList<QByteArray> argv = commandLine(pid);
        const QString argv0 = argv.isEmpty() ? QString() : QString::fromLocal8Bit(argv.at(0));
        const QString exeName = QFileInfo(exe).fileName();
        const bool isShell
            = exeName == QLatin1String("sh") || exeName == QLatin1String("bash") || exeName == QLatin1String("dash");
        const QString script = isShell && argv.size() > 1 ? QString::fromLocal8Bit(argv.at(1)) : QString();
        const bool matches = (!exe.isEmpty() && canonical.contains(exe)) || executables.contains(argv0)
            || (!script.isEmpty() && executables.contains(script));
        if (matches && processIsAlive(pid))
            pids.append(pid);
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

QString cannotOpenText(const QString& name)
{
    return QCoreApplication::translate("Tavro", "The application “%1” can’t be opened.",
        "System error text when an application could not be started. %1 is the application name.")
        .arg(name);
}

} // namespace

QString AppBundle::executablePath() const
{
    if (executableName.isEmpty())
        return {};
    return bundlePath + QStringLiteral("/Contents/MacOS/") + executableName;
}

Workspace& Workspace::shared()
{
    static Workspace workspace;
    return workspace;
}

std::optional<QHash<QString, QString>> Workspace::readPropertyList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QXmlStreamReader xml(&file);
    QHash<QString, QString> values;
    bool sawPlist = false;
    int dictDepth = 0;
    QString key;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("plist")) {
                sawPlist = true;
            } else if (name == QLatin1String("dict")) {
                ++dictDepth;
                key.clear();
            } else if (dictDepth == 1 && name == QLatin1String("key")) {
                key = xml.readElementText();
            } else if (dictDepth == 1 && name == QLatin1String("string")) {
                const QString text = xml.readElementText();
                if (!key.isNull())
                    values.insert(key, text);
                key = QString();
            } else if (dictDepth == 1) {
                // Values other than strings (arrays, numbers, booleans) are not needed; skip them whole.
                if (name != QLatin1String("array"))
                    xml.skipCurrentElement();
                key = QString();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("dict")) {
            --dictDepth;
        }
    }
    if (xml.hasError() || !sawPlist)
        return std::nullopt;
    return values;
}

std::optional<AppBundle> Workspace::bundle(const QString& bundlePath)
{
    const auto plist = readPropertyList(bundlePath + QStringLiteral("/Contents/Info.plist"));
    if (!plist)
        return std::nullopt;
    const QString identifier = plist->value(QStringLiteral("CFBundleIdentifier"));
    if (identifier.isEmpty())
        return std::nullopt;
    AppBundle bundle;
    bundle.bundlePath = QDir::cleanPath(bundlePath);
    bundle.bundleIdentifier = identifier;
    bundle.executableName = plist->value(QStringLiteral("CFBundleExecutable"));
    bundle.iconFile = plist->value(QStringLiteral("CFBundleIconFile"));
    bundle.name = plist->value(QStringLiteral("CFBundleName"));
    if (bundle.name.isEmpty())
        bundle.name = QFileInfo(bundle.bundlePath).completeBaseName();
    return bundle;
}

QStringList Workspace::applicationFolders()
{
    return {QStringLiteral("/Applications"), QDir::homePath() + QStringLiteral("/Applications")};
}

std::optional<QString> Workspace::urlForApplication(const QString& bundleIdentifier) const
{
    for (const AppBundle& bundle : installedBundles()) {
        if (bundle.bundleIdentifier == bundleIdentifier)
            return bundle.bundlePath;
    }
    return std::nullopt;
}

QList<RunningApplication> Workspace::runningApplications(const QString& bundleIdentifier) const
{
    QList<RunningApplication> result;
    QList<StartedProcess> started;
    {
        WorkspaceState& s = state();
        QMutexLocker lock(&s.mutex);
        for (const SimulatedApp& app : std::as_const(s.simulated)) {
            if (app.application.bundleIdentifier == bundleIdentifier)
                result.append(app.application);
        }
        started = s.started;
    }
    QStringList executables;
    QHash<QString, QString> bundleOfExecutable;
    for (const AppBundle& bundle : installedBundles()) {
        if (bundle.bundleIdentifier != bundleIdentifier || bundle.executableName.isEmpty())
            continue;
        executables.append(bundle.executablePath());
        bundleOfExecutable.insert(bundle.executablePath(), bundle.bundlePath);
    }
    QList<qint64> pids = executables.isEmpty() ? QList<qint64>() : processesRunning(executables);
    // A process we started keeps counting while it lives, even after it changed its command line.
    for (const StartedProcess& process : started) {
        if (process.bundleIdentifier == bundleIdentifier && !pids.contains(process.pid) && processIsAlive(process.pid))
            pids.append(process.pid);
    }
    std::sort(pids.begin(), pids.end());
    const QString bundlePath = executables.isEmpty() ? QString() : bundleOfExecutable.value(executables.first());
    for (qint64 pid : pids)
        result.append(RunningApplication{bundleIdentifier, pid, bundlePath});
    return result;
}

std::optional<RunningApplication> Workspace::frontmostApplication() const
{
    std::optional<RunningApplication> front;
    {
        WorkspaceState& s = state();
        QMutexLocker lock(&s.mutex);
        front = s.frontmost;
    }
    if (!front)
        return std::nullopt;
    // The frontmost application may have quit since it came to the front.
    if (isSimulatedPid(front->processIdentifier)) {
        WorkspaceState& s = state();
        QMutexLocker lock(&s.mutex);
        for (const SimulatedApp& app : std::as_const(s.simulated)) {
            if (app.application.processIdentifier == front->processIdentifier)
                return app.application;
        }
        return std::nullopt;
    }
    return processIsAlive(front->processIdentifier) ? front : std::nullopt;
}

bool Workspace::activate(const RunningApplication& application)
{
    std::function<void()> handler;
    {
        WorkspaceState& s = state();
        QMutexLocker lock(&s.mutex);
        if (isSimulatedPid(application.processIdentifier)) {
            auto it = std::find_if(s.simulated.begin(), s.simulated.end(), [&](const SimulatedApp& app) {
                return app.application.processIdentifier == application.processIdentifier;
            });
            if (it == s.simulated.end())
                return false;
            handler = it->activationHandler;
        } else if (!processIsAlive(application.processIdentifier)) {
            return false;
        }
        s.frontmost = application;
    }
    if (handler)
        handler();
    return true;
}

std::expected<RunningApplication, WorkspaceError> Workspace::start(
    const AppBundle& bundle, const QStringList& arguments, bool activates)
{
    const QString executable = bundle.executablePath();
    const QFileInfo info(executable);
    if (executable.isEmpty() || !info.isFile() || !info.isExecutable())
        return std::unexpected(WorkspaceError{cannotOpenText(bundle.name)});
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setWorkingDirectory(QStringLiteral("/"));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return std::unexpected(WorkspaceError{cannotOpenText(bundle.name)});
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    s.started.append(StartedProcess{pid, bundle.bundleIdentifier, bundle.bundlePath});
    const RunningApplication started{bundle.bundleIdentifier, pid, bundle.bundlePath};
    if (activates)
        s.frontmost = started;
    return started;
}

QCoro::Task<std::expected<RunningApplication, WorkspaceError>> Workspace::openApplication(
    const QString& bundlePath, const OpenConfiguration& configuration)
{
    const auto bundle = Workspace::bundle(bundlePath);
    if (!bundle)
        co_return std::unexpected(WorkspaceError{cannotOpenText(QFileInfo(bundlePath).completeBaseName())});
    const bool argumentLaunch = configuration.createsNewApplicationInstance || !configuration.arguments.isEmpty();
    LaunchRecord record;
    record.kind = argumentLaunch ? LaunchRecord::Kind::arguments : LaunchRecord::Kind::activation;
    record.bundlePath = bundle->bundlePath;
    record.bundleIdentifier = bundle->bundleIdentifier;
    record.arguments = configuration.arguments;

    auto log = [&record](qint64 pid, bool started) {
        record.processIdentifier = pid;
        record.startedProcess = started;
        WorkspaceState& s = state();
        QMutexLocker lock(&s.mutex);
        s.log.append(record);
    };

    if (!configuration.createsNewApplicationInstance) {
        const auto running = runningApplications(bundle->bundleIdentifier);
        if (!running.isEmpty()) {
            if (configuration.activates)
                activate(running.first());
            log(running.first().processIdentifier, false);
            co_return running.first();
        }
        std::function<void()> launcher;
        {
            WorkspaceState& s = state();
            QMutexLocker lock(&s.mutex);
            launcher = s.launchers.value(bundle->bundleIdentifier);
        }
        if (launcher) {
            launcher();
            const auto started = runningApplications(bundle->bundleIdentifier);
            if (started.isEmpty()) {
                log(0, false);
                co_return std::unexpected(WorkspaceError{cannotOpenText(bundle->name)});
            }
            if (configuration.activates)
                activate(started.last());
            log(started.last().processIdentifier, false);
            co_return started.last();
        }
    }
    auto started = start(*bundle, configuration.arguments, configuration.activates);
    log(started ? started->processIdentifier : 0, bool(started));
    co_return started;
}

QCoro::Task<std::expected<void, WorkspaceError>> Workspace::openUrls(
    const QList<QUrl>& urls, const QString& bundlePath, const OpenConfiguration& configuration)
{
    const auto bundle = Workspace::bundle(bundlePath);
    if (!bundle)
        co_return std::unexpected(WorkspaceError{cannotOpenText(QFileInfo(bundlePath).completeBaseName())});
    LaunchRecord record;
    record.kind = LaunchRecord::Kind::urlHandOver;
    record.bundlePath = bundle->bundlePath;
    record.bundleIdentifier = bundle->bundleIdentifier;
    record.urls = urls;

    auto running = runningApplications(bundle->bundleIdentifier);
    if (running.isEmpty() || !isSimulatedPid(running.first().processIdentifier)) {
        bool simulatedLauncher = false;
        {
            WorkspaceState& s = state();
            QMutexLocker lock(&s.mutex);
            simulatedLauncher = s.launchers.contains(bundle->bundleIdentifier);
        }
        if (running.isEmpty() && simulatedLauncher) {
            auto launched = co_await openApplication(bundlePath, OpenConfiguration{configuration.activates, false, {}});
            if (!launched)
                co_return std::unexpected(launched.error());
            running = {*launched};
        }
    }
    if (!running.isEmpty() && isSimulatedPid(running.first().processIdentifier)) {
        const RunningApplication app = running.first();
        std::function<void(const QList<QUrl>&)> handler;
        {
            WorkspaceState& s = state();
            QMutexLocker lock(&s.mutex);
            for (const SimulatedApp& simulated : std::as_const(s.simulated)) {
                if (simulated.application.processIdentifier == app.processIdentifier)
                    handler = simulated.urlHandler;
            }
            record.processIdentifier = app.processIdentifier;
            s.log.append(record);
        }
        if (configuration.activates)
            activate(app);
        if (handler)
            handler(urls);
        co_return {};
    }
    // A real application receives the URLs on its command line; a running single-instance
    // browser forwards them to its first process itself.
    QStringList arguments;
    for (const QUrl& url : urls)
        arguments.append(url.toString(QUrl::FullyEncoded));
    record.arguments = arguments;
    auto started = start(*bundle, arguments, configuration.activates);
    record.processIdentifier = started ? started->processIdentifier : 0;
    record.startedProcess = bool(started);
    {
        WorkspaceState& s = state();
        QMutexLocker lock(&s.mutex);
        s.log.append(record);
    }
    if (!started)
        co_return std::unexpected(started.error());
    co_return {};
}

std::optional<QString> Workspace::iconPath(const QString& bundlePath)
{
    const auto info = bundle(bundlePath);
    if (!info || info->iconFile.isEmpty())
        return std::nullopt;
    QString file = info->iconFile;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".icns");
    const QString path = info->bundlePath + QStringLiteral("/Contents/Resources/") + file;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return path;
}

QIcon Workspace::icon(const QString& bundlePath)
{
    const auto path = iconPath(bundlePath);
    if (!path)
        return {};
    QIcon icon(*path);
    return icon.availableSizes().isEmpty() && icon.pixmap(32).isNull() ? QIcon() : icon;
}

// Test surface

QList<LaunchRecord> WorkspaceHost::launches()
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    return s.log;
}

void WorkspaceHost::clearLaunches()
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    s.log.clear();
}

qint64 WorkspaceHost::addRunningApplication(const QString& bundleIdentifier, const QString& bundlePath)
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    const qint64 pid = s.nextPid++;
    s.simulated.append(SimulatedApp{RunningApplication{bundleIdentifier, pid, bundlePath}, {}, {}});
    return pid;
}

void WorkspaceHost::removeRunningApplication(qint64 processIdentifier)
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    s.simulated.removeIf(
        [&](const SimulatedApp& app) { return app.application.processIdentifier == processIdentifier; });
    if (s.frontmost && s.frontmost->processIdentifier == processIdentifier)
        s.frontmost.reset();
}

void WorkspaceHost::setLauncher(const QString& bundleIdentifier, std::function<void()> launcher)
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    if (launcher)
        s.launchers.insert(bundleIdentifier, std::move(launcher));
    else
        s.launchers.remove(bundleIdentifier);
}

void WorkspaceHost::setUrlHandler(qint64 processIdentifier, std::function<void(const QList<QUrl>&)> handler)
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    for (SimulatedApp& app : s.simulated) {
        if (app.application.processIdentifier == processIdentifier)
            app.urlHandler = handler;
    }
}

void WorkspaceHost::setActivationHandler(qint64 processIdentifier, std::function<void()> handler)
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    for (SimulatedApp& app : s.simulated) {
        if (app.application.processIdentifier == processIdentifier)
            app.activationHandler = handler;
    }
}

void WorkspaceHost::setFrontmost(std::optional<qint64> processIdentifier)
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    s.frontmost.reset();
    if (!processIdentifier)
        return;
    for (const SimulatedApp& app : std::as_const(s.simulated)) {
        if (app.application.processIdentifier == *processIdentifier)
            s.frontmost = app.application;
    }
    if (!s.frontmost)
        s.frontmost = RunningApplication{{}, *processIdentifier, {}};
}

QList<qint64> WorkspaceHost::startedProcesses()
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    QList<qint64> pids;
    for (const StartedProcess& process : std::as_const(s.started))
        pids.append(process.pid);
    return pids;
}

void WorkspaceHost::reset()
{
    WorkspaceState& s = state();
    QMutexLocker lock(&s.mutex);
    s.simulated.clear();
    s.launchers.clear();
    s.log.clear();
    s.started.clear();
    s.frontmost.reset();
}

} // namespace tavro
