#include "Tavro/Platform/Linux/ChildProgram.h"

#include <QCoreApplication>
#include <QFile>
#include <QPromise>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tavro::Linux {

namespace {

// Of what a watched program writes to its standard error, the last this many bytes are kept.
constexpr qsizetype keptErrorBytes = 4096;

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

} // namespace

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

QFuture<std::optional<EarlyExit>> watchEarlyExit(SpawnedChild child, std::chrono::milliseconds window)
{
    auto* program = new StartedProgram(std::move(child.process), std::move(child.errors), window);
    return program->earlyExit();
}

} // namespace tavro::Linux
