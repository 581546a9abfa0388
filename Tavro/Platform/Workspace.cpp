#include "Tavro/Platform/Workspace.h"
#include "Tavro/Platform/InstalledBackend.h"

#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/FileDescriptor.h"
#include "Tavro/Platform/PlatformLog.h"
#include "Tavro/Platform/PropertyList.h"

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFuture>
#include <QLocale>
#include <QMutex>
#include <QMutexLocker>
#include <QPromise>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace tavro {

namespace {

// The fields of /proc/<pid>/stat after the command name, which may itself hold spaces and ")".
QList<QByteArray> statFields(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    return line.mid(close + 1).simplified().split(' ');
}

// When the process started, in clock ticks after boot: with the pid, what tells it apart from a
// later process that was given the same pid.
std::optional<quint64> processStartTime(qint64 pid)
{
    const QList<QByteArray> fields = statFields(pid);
    // "starttime" is the 22nd field of the line; the state, the 3rd, is the first after the name.
    constexpr qsizetype startTimeIndex = 22 - 3;
    if (fields.size() <= startTimeIndex)
        return std::nullopt;
    bool ok = false;
    const quint64 ticks = fields.at(startTimeIndex).toULongLong(&ok);
    return ok ? std::optional(ticks) : std::nullopt;
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

// A folder's modification time moves whenever a bundle is added, removed or renamed in it. Linux
// stamps it from a coarse clock that lags by up to a scheduler tick, so a change made just after
// a reading may carry the very time that reading saw; an index read this close after the folder's
// last change is read again on the next lookup.
constexpr qint64 racyChangeNanoseconds = 50'000'000;

struct FolderIndex
{
    bool exists = false;
    timespec modified{};
    bool settled = false; // the folder had not changed for a while when it was read
    QList<AppBundle> bundles;
    // Desktop-entry ids present here but hidden: they hide the same ids in later folders too.
    QStringList hiddenIds;
};

enum class FolderKind { bundles, desktopEntries };

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FolderIndex readFolder(const QString& folder, FolderKind kind)
{
    FolderIndex index;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    struct stat info
    { };
    index.exists = ::stat(QFile::encodeName(folder).constData(), &info) == 0;
    if (!index.exists) {
        index.settled = true;
        return index;
    }
    index.modified = info.st_mtim;
    index.settled = nanoseconds(info.st_mtim) < nanoseconds(now) - racyChangeNanoseconds;
    const QDir dir(folder);
    if (kind == FolderKind::bundles) {
        const QStringList names
            = dir.entryList({QStringLiteral("*.app")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            if (auto bundle = Workspace::bundle(dir.filePath(name)))
                index.bundles.append(*bundle);
        }
        return index;
    }
    // Only the entries of the table's ids are read: a desktop holds hundreds of others.
    const QStringList names = dir.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (!DesktopApplications::bundleIdentifier(name))
            continue;
        if (auto entry = Workspace::desktopEntry(dir.filePath(name)))
            index.bundles.append(*entry);
        else
            index.hiddenIds.append(name);
    }
    return index;
}

bool unchanged(const FolderIndex& index, const QString& folder)
{
    if (!index.settled)
        return false;
    struct stat info
    { };
    const bool exists = ::stat(QFile::encodeName(folder).constData(), &info) == 0;
    if (exists != index.exists)
        return false;
    return !exists || (info.st_mtim.tv_sec == index.modified.tv_sec && info.st_mtim.tv_nsec == index.modified.tv_nsec);
}

// The bundles of the application folders, parsed once and read again only when a folder changed:
// each of a scan's browsers looks itself up, and every link looks up its browser.
QList<AppBundle> installedBundles()
{
    static QMutex mutex;
    static QHash<QString, FolderIndex> indexes;
    QMutexLocker lock(&mutex);
    QHash<QString, FolderIndex> current;
    auto indexOf = [&](const QString& folder, FolderKind kind) {
        auto known = indexes.constFind(folder);
        const FolderIndex index
            = known != indexes.constEnd() && unchanged(*known, folder) ? *known : readFolder(folder, kind);
        current.insert(folder, index);
        return index;
    };
    QList<AppBundle> result;
    for (const QString& folder : Workspace::applicationFolders())
        result.append(indexOf(folder, FolderKind::bundles).bundles);
    // An entry in an earlier folder (the user's own) replaces or hides the one with its id after it.
    QStringList seenIds;
    for (const QString& folder : DesktopApplications::entryFolders()) {
        const FolderIndex index = indexOf(folder, FolderKind::desktopEntries);
        for (const AppBundle& entry : index.bundles) {
            const QString id = QFileInfo(entry.bundlePath).fileName();
            if (!seenIds.contains(id))
                result.append(entry);
            seenIds.append(id);
        }
        seenIds.append(index.hiddenIds);
    }
    // Only the folders of the current HOME stay.
    indexes = current;
    return result;
}

// The identifier of the installed bundles that answer to `identifier`: their own, and for an
// application with no package installed, the first snap or Flatpak of it, which a destination made
// before installs had identifiers of their own still names by the application's identifier.
QString answeringIdentifier(const QString& identifier, const QList<AppBundle>& bundles)
{
    if (std::ranges::any_of(bundles, [&](const AppBundle& b) { return b.bundleIdentifier == identifier; }))
        return identifier;
    for (const AppBundle& bundle : bundles) {
        if (DesktopApplications::applicationIdentifier(bundle.bundleIdentifier) == identifier)
            return bundle.bundleIdentifier;
    }
    return identifier;
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
        if (matches && Workspace::processIsRunning(pid))
            pids.append(pid);
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

// Of what a watched program writes to its standard error, the last this many bytes are kept.
constexpr qsizetype keptErrorBytes = 4096;

// How a watched program ended within its early-exit window.
struct EarlyExit
{
    bool bySignal = false;
    int status = 0;        // its exit status, or the signal that ended it
    QString lastErrorLine; // the last line with text on its standard error; empty when it said nothing

    bool failed() const { return bySignal || status != 0; }
};

// The last line with text in what a program wrote.
QString lastLineWithText(const QByteArray& output)
{
    const QList<QByteArray> lines = output.split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString text = QString::fromLocal8Bit(*line).trimmed();
        if (!text.isEmpty())
            return text;
    }
    return {};
}

WorkspaceError quitAtOnce(const QString& name)
{
    //: System error text when an application ended with an error right after it was started, without saying
    //: why. %1 is the application name.
    return WorkspaceError{
        QCoreApplication::translate("Tavro", "The application “%1” quit right after it started.").arg(name)};
}

// A program the workspace started as its own child. Through its early-exit window what it writes to
// its standard error is kept, the last `keptErrorBytes` of it; then that stream is closed unread:
// the program's later writes fail at once (a datagram socket without a reader raises no SIGPIPE)
// instead of filling a buffer nobody empties. It is reaped whenever it ends, and then goes.
class StartedProgram final : public QObject
{
public:
    // `errors` is our end of its standard error, or none when it is not watched.
    StartedProgram(FileDescriptor process, FileDescriptor errors, std::chrono::milliseconds window)
        : QObject(QCoreApplication::instance())
        , m_process(std::move(process))
        , m_errors(std::move(errors))
        , m_exitNotifier(m_process.get(), QSocketNotifier::Read)
    {
        m_promise.start();
        connect(&m_exitNotifier, &QSocketNotifier::activated, this, [this] { reap(); });
        if (m_errors.get() < 0) {
            settle(std::nullopt);
            return;
        }
        m_errorNotifier = std::make_unique<QSocketNotifier>(m_errors.get(), QSocketNotifier::Read);
        connect(m_errorNotifier.get(), &QSocketNotifier::activated, this, [this] { readErrors(); });
        QTimer::singleShot(window, this, [this] { settle(std::nullopt); });
    }
    ~StartedProgram() override { settle(std::nullopt); }

    // How it ended within its window; nothing when it ran past the window or is not watched.
    QFuture<std::optional<EarlyExit>> earlyExit() { return m_promise.future(); }

private:
    void readErrors()
    {
        char buffer[keptErrorBytes];
        for (;;) {
            const ssize_t received = ::recv(m_errors.get(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (received < 0 && errno == EINTR)
                continue;
            if (received < 0)
                return;
            m_errorTail.append(buffer, received);
            if (m_errorTail.size() > keptErrorBytes)
                m_errorTail.remove(0, m_errorTail.size() - keptErrorBytes);
        }
    }

    void reap()
    {
        siginfo_t info{};
        const int waited = ::waitid(P_PIDFD, m_process.get(), &info, WEXITED | WNOHANG);
        if ((waited == 0 && info.si_pid == 0) || (waited < 0 && errno == EINTR))
            return;
        m_exitNotifier.setEnabled(false);
        if (waited == 0 && !m_settled) {
            readErrors();
            settle(EarlyExit{info.si_code != CLD_EXITED, info.si_status, lastLineWithText(m_errorTail)});
        }
        // Reaped by the system (where children are ignored): how it ended is unknown, and no failure.
        settle(std::nullopt);
        deleteLater();
    }

    void settle(std::optional<EarlyExit> exit)
    {
        if (m_settled)
            return;
        m_settled = true;
        m_errorNotifier.reset();
        m_errors = FileDescriptor(-1);
        m_errorTail.clear();
        m_promise.addResult(std::move(exit));
        m_promise.finish();
    }

    FileDescriptor m_process;
    FileDescriptor m_errors;
    QSocketNotifier m_exitNotifier;
    std::unique_ptr<QSocketNotifier> m_errorNotifier;
    QByteArray m_errorTail;
    QPromise<std::optional<EarlyExit>> m_promise;
    bool m_settled = false;
};

// A child just started: its pid, a pidfd to reap it by, and our end of its standard error when
// that is watched.
struct SpawnedChild
{
    qint64 pid = 0;
    FileDescriptor process{-1};
    FileDescriptor errors{-1};
};

// Starts `argv` as our child in a session of its own (away from our terminal's signals, and left
// running when Tavro quits), in "/", with the signals at their defaults, standard input and output
// on /dev/null, and standard error on a datagram socket of which we keep the other end when
// `watchErrors`, else on /dev/null. Nothing else of ours stays open in it.
std::optional<SpawnedChild> spawn(const QStringList& argv, bool watchErrors)
{
    int sockets[2] = {-1, -1};
    if (watchErrors && ::socketpair(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0, sockets) != 0)
        return std::nullopt;
    FileDescriptor ours(sockets[0]);
    const FileDescriptor theirs(sockets[1]);

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (watchErrors)
        ::posix_spawn_file_actions_adddup2(&actions, theirs.get(), STDERR_FILENO);
    else
        ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addchdir_np(&actions, "/");
    ::posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    ::sigemptyset(&none);
    ::sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setsigdefault(&attributes, &all);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    QList<QByteArray> encoded;
    for (const QString& argument : argv)
        encoded.append(QFile::encodeName(argument));
    std::vector<char*> pointers;
    for (QByteArray& argument : encoded)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, pointers.front(), &actions, &attributes, pointers.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return std::nullopt;
    // Through the system call itself: this C library's header declares pidfd_open without C linkage.
    return SpawnedChild{pid, FileDescriptor(int(::syscall(SYS_pidfd_open, pid, 0))), std::move(ours)};
}

// The system's own processes.
class SystemBackend final : public Workspace::Backend
{
public:
    QList<RunningApplication> runningApplications(const QString& bundleIdentifier) override
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

    std::optional<RunningApplication> frontmostApplication() override
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

    bool activate(const RunningApplication& application) override
    {
        if (!Workspace::processIsRunning(application.processIdentifier))
            return false;
        QMutexLocker lock(&m_mutex);
        m_frontmost = application;
        return true;
    }

    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openApplication(
        const AppBundle& bundle, const OpenConfiguration& configuration) override
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

    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openUrls(
        const QList<QUrl>& urls, const AppBundle& bundle, const OpenConfiguration& configuration) override
    {
        // A real application receives the URLs on its command line; a running single-instance
        // browser forwards them to its first process itself.
        QStringList arguments;
        for (const QUrl& url : urls)
            arguments.append(url.toString(QUrl::FullyEncoded));
        co_return co_await start(bundle, arguments, configuration);
    }

private:
    struct Started
    {
        qint64 pid = 0;
        quint64 startTime = 0;
        QString bundleIdentifier;
    };

    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> start(
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
        auto* program = new StartedProgram(std::move(child->process), std::move(child->errors), window);
        const std::optional<EarlyExit> exit = co_await program->earlyExit();
        if (!exit || !exit->failed())
            co_return started;
        qCInfo(lcPlatform) << "The application" << bundle.name << "ended right after it started,"
                           << (exit->bySignal ? "by signal" : "with status") << exit->status;
        co_return std::unexpected(
            exit->lastErrorLine.isEmpty() ? quitAtOnce(bundle.name) : WorkspaceError{exit->lastErrorLine});
    }

    void noteStarted(const RunningApplication& started, bool activates)
    {
        QMutexLocker lock(&m_mutex);
        pruneStarted();
        // A process that is gone already (a URL hand-over to a running browser) is not kept.
        if (const auto startTime = processStartTime(started.processIdentifier))
            m_started.append(Started{started.processIdentifier, *startTime, started.bundleIdentifier});
        if (activates)
            m_frontmost = started;
    }

    // Forgets processes that ended, and pids the system has given to another process since.
    void pruneStarted()
    {
        m_started.removeIf([](const Started& process) {
            return !Workspace::processIsRunning(process.pid) || processStartTime(process.pid) != process.startTime;
        });
    }

    QMutex m_mutex;
    QList<Started> m_started;
    std::optional<RunningApplication> m_frontmost;
};

InstalledBackend<Workspace::Backend> installedBackend;

Workspace::Backend& backend()
{
    return installedBackend.orElse(Workspace::systemBackend());
}

} // namespace

bool AppBundle::isDesktopEntry() const
{
    return bundlePath.endsWith(QLatin1String(".desktop"));
}

QString AppBundle::executablePath() const
{
    if (executableName.isEmpty())
        return {};
    if (isDesktopEntry())
        return QDir::isAbsolutePath(executableName) ? executableName : QStandardPaths::findExecutable(executableName);
    return bundlePath + QStringLiteral("/Contents/MacOS/") + executableName;
}

QStringList AppBundle::commandLine(const QStringList& arguments) const
{
    if (!isDesktopEntry())
        return QStringList{executablePath()} + arguments;
    return QStringList{executablePath()} + DesktopEntry::expandExec(exec, arguments, name, iconFile, bundlePath);
}

Workspace& Workspace::shared()
{
    static Workspace workspace;
    return workspace;
}

Workspace::Backend& Workspace::systemBackend()
{
    static SystemBackend system;
    return system;
}

void Workspace::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

bool Workspace::processIsRunning(qint64 processIdentifier)
{
    const QList<QByteArray> fields = statFields(processIdentifier);
    if (fields.isEmpty() || fields.first().isEmpty())
        return false;
    const char state = fields.first().at(0);
    return state != 'Z' && state != 'X';
}

std::optional<QHash<QString, QString>> Workspace::readPropertyList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<QVariantMap> values = PropertyList::parse(file.readAll());
    if (!values)
        return std::nullopt;
    // Values other than strings (arrays, numbers, booleans) are not needed.
    QHash<QString, QString> strings;
    for (auto it = values->cbegin(); it != values->cend(); ++it) {
        if (it->typeId() == QMetaType::QString)
            strings.insert(it.key(), it->toString());
    }
    return strings;
}

std::optional<AppBundle> Workspace::desktopEntry(const QString& entryPath)
{
    const auto identifier = DesktopApplications::bundleIdentifier(QFileInfo(entryPath).fileName());
    if (!identifier)
        return std::nullopt;
    const auto entry = DesktopEntry::read(entryPath);
    if (!entry || entry->value(QStringLiteral("Type")) != QLatin1String("Application")
        || entry->flag(QStringLiteral("Hidden")))
        return std::nullopt;
    // A TryExec that is not there means the package was removed but left its entry behind.
    if (const auto tryExec = entry->value(QStringLiteral("TryExec")); tryExec && !tryExec->isEmpty()) {
        if (!DesktopEntry::checkProgram(*tryExec))
            return std::nullopt;
    }
    const auto exec = DesktopEntry::splitExec(entry->value(QStringLiteral("Exec")).value_or(QString()));
    if (!exec)
        return std::nullopt;
    AppBundle bundle;
    bundle.bundlePath = QDir::cleanPath(entryPath);
    bundle.bundleIdentifier
        = DesktopApplications::installIdentifier(*identifier, DesktopApplications::installOf(entryPath));
    bundle.executableName = exec->first();
    bundle.exec = exec->mid(1);
    bundle.iconFile = entry->value(QStringLiteral("Icon")).value_or(QString());
    bundle.name = entry->value(QStringLiteral("Name"), QLocale::system().name()).value_or(QString());
    if (bundle.name.isEmpty())
        bundle.name = QFileInfo(bundle.bundlePath).completeBaseName();
    return bundle;
}

std::optional<AppBundle> Workspace::bundle(const QString& bundlePath)
{
    if (bundlePath.endsWith(QLatin1String(".desktop")))
        return desktopEntry(bundlePath);
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
    const QList<AppBundle> bundles = installedBundles();
    const QString answering = answeringIdentifier(bundleIdentifier, bundles);
    for (const AppBundle& bundle : bundles) {
        if (bundle.bundleIdentifier == answering)
            return bundle.bundlePath;
    }
    return std::nullopt;
}

QList<RunningApplication> Workspace::runningApplications(const QString& bundleIdentifier) const
{
    return backend().runningApplications(bundleIdentifier);
}

std::optional<RunningApplication> Workspace::frontmostApplication() const
{
    return backend().frontmostApplication();
}

bool Workspace::activate(const RunningApplication& application)
{
    return backend().activate(application);
}

QCoro::Task<std::expected<RunningApplication, WorkspaceError>> Workspace::openApplication(
    const QString& bundlePath, const OpenConfiguration& configuration)
{
    const auto bundle = Workspace::bundle(bundlePath);
    if (!bundle)
        co_return std::unexpected(cannotOpen(QFileInfo(bundlePath).completeBaseName()));
    co_return co_await backend().openApplication(*bundle, configuration);
}

QCoro::Task<std::expected<void, WorkspaceError>> Workspace::openUrls(
    const QList<QUrl>& urls, const QString& bundlePath, const OpenConfiguration& configuration)
{
    const auto bundle = Workspace::bundle(bundlePath);
    if (!bundle)
        co_return std::unexpected(cannotOpen(QFileInfo(bundlePath).completeBaseName()));
    const auto handed = co_await backend().openUrls(urls, *bundle, configuration);
    if (!handed)
        co_return std::unexpected(handed.error());
    co_return {};
}

std::optional<QString> Workspace::iconPath(const QString& bundlePath)
{
    const auto info = bundle(bundlePath);
    if (!info || info->iconFile.isEmpty())
        return std::nullopt;
    if (info->isDesktopEntry()) {
        if (QDir::isAbsolutePath(info->iconFile) && QFileInfo::exists(info->iconFile))
            return info->iconFile;
        return std::nullopt;
    }
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
    if (bundlePath.endsWith(QLatin1String(".desktop")) && !iconPath(bundlePath)) {
        const auto entry = bundle(bundlePath);
        if (!entry || entry->iconFile.isEmpty())
            return {};
        // Without a desktop's theme (Xvfb, a bare window manager) the standard's fallback theme holds
        // the icons the browsers install.
        if (QIcon::themeName().isEmpty())
            QIcon::setThemeName(QStringLiteral("hicolor"));
        return QIcon::fromTheme(entry->iconFile);
    }
    const auto path = iconPath(bundlePath);
    if (!path)
        return {};
    QIcon icon(*path);
    return icon.availableSizes().isEmpty() && icon.pixmap(32).isNull() ? QIcon() : icon;
}

WorkspaceError Workspace::cannotOpen(const QString& name)
{
    //: System error text when an application could not be started. %1 is the application name.
    return WorkspaceError{QCoreApplication::translate("Tavro", "The application “%1” can’t be opened.").arg(name)};
}

} // namespace tavro
