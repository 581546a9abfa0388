#include "Tavro/Launch/ChromiumSingleton.h"

#include "Tavro/Platform/FileDescriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <ctime>
#include <limits>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tavro::ChromiumSingleton {

namespace {

// Seconds between 1601-01-01 and 1970-01-01 (134,774 days).
constexpr double epochDelta1601 = 11644473600.0;
constexpr qsizetype replyLimit = 16;

const QByteArray ackToken = QByteArrayLiteral("ACK");
const QByteArray shutdownToken = QByteArrayLiteral("SHUTDOWN");

QString appendingPathComponent(const QString& directory, const QString& component)
{
    if (directory.isEmpty())
        return component;
    return directory.endsWith(QLatin1Char('/')) ? directory + component : directory + QLatin1Char('/') + component;
}

enum class Reply { acknowledged, refused, undecided };

Reply classify(const QByteArray& reply)
{
    if (reply.startsWith(ackToken))
        return Reply::acknowledged;
    if (reply.startsWith(shutdownToken))
        return Reply::refused;
    if (ackToken.startsWith(reply) || shutdownToken.startsWith(reply))
        return Reply::undecided;
    // Something else: the browser took the message; what it says is not ours to judge.
    return Reply::acknowledged;
}

} // namespace

std::optional<QString> socketPath(const QString& userDataDir)
{
    const QString link = appendingPathComponent(userDataDir, QStringLiteral("SingletonSocket"));
    const QByteArray linkBytes = QFile::encodeName(link);
    QByteArray target(4096, Qt::Uninitialized);
    const ssize_t length = ::readlink(linkBytes.constData(), target.data(), size_t(target.size()));
    if (length > 0) {
        target.truncate(length);
        const QString resolved = QFile::decodeName(target);
        if (resolved.startsWith(QLatin1Char('/')))
            return resolved;
        return QDir::cleanPath(appendingPathComponent(userDataDir, resolved));
    }
    if (QFileInfo::exists(link))
        return link;
    return std::nullopt;
}

bool isHeldByLiveProcess(const QString& userDataDir)
{
    const QByteArray link = QFile::encodeName(appendingPathComponent(userDataDir, QStringLiteral("SingletonLock")));
    char target[512];
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0)
        return false;
    const QByteArray owner(target, length);
    const qsizetype dash = owner.lastIndexOf('-');
    if (dash <= 0)
        return false;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0 || owner.left(dash) != QByteArray(host))
        return false;
    bool isNumber = false;
    const qint64 pid = owner.mid(dash + 1).toLongLong(&isNumber);
    if (!isNumber || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    // A process of another user still counts: it exists, so the lock is not stale.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QStringList header(const QString& bundleIdentifier)
{
    if (bundleIdentifier != QLatin1String("com.microsoft.edgemac"))
        return {};
    // The token counts microseconds: read the wall clock at that resolution, not in milliseconds.
    const double now = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    timespec uptime{};
    ::clock_gettime(CLOCK_MONOTONIC, &uptime);
    const double uptimeSeconds = double(uptime.tv_sec) + double(uptime.tv_nsec) / 1e9;
    const auto since1601 = static_cast<qint64>((now + epochDelta1601) * 1'000'000.0);
    const auto uptimeMicros = static_cast<qint64>(uptimeSeconds * 1'000'000.0);
    return {QString::number(since1601), QString::number(uptimeMicros)};
}

QByteArray message(const QStringList& argv, const QStringList& header, const QString& currentDirectory)
{
    QByteArray bytes = QByteArrayLiteral("START");
    auto append = [&bytes](const QString& token) {
        bytes.append('\0');
        bytes.append(token.toUtf8());
    };
    append(currentDirectory);
    for (const QString& token : header)
        append(token);
    for (const QString& token : argv)
        append(token);
    return bytes;
}

timeval receiveTimeout(double seconds)
{
    const double whole = std::floor(seconds);
    timeval value{};
    value.tv_sec = static_cast<time_t>(whole);
    value.tv_usec = static_cast<suseconds_t>(static_cast<qint32>((seconds - whole) * 1'000'000.0));
    return value;
}

Outcome deliver(
    const QStringList& argv, const QStringList& header, const QString& socketPath, std::chrono::milliseconds ackTimeout)
{
    for (const QStringList* tokens : {&argv, &header}) {
        for (const QString& token : *tokens) {
            if (token.contains(QChar(0)))
                return Outcome::unreachable;
        }
    }

    const QByteArray bytes = message(argv, header, QStringLiteral("/"));
    if (bytes.size() > maxMessageBytes)
        return Outcome::tooLong;

    const FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.get() < 0)
        return Outcome::unreachable;
    // A browser that stopped accepting (hung, or stopped) lets its listen backlog fill up, and a
    // Linux connect to a full Unix socket then waits for room without end, where a Mac refuses at
    // once. Bounded by the reply time-out, such a browser counts as unreachable and is launched.
    const timeval sendTimeout = receiveTimeout(std::chrono::duration<double>(ackTimeout).count());
    ::setsockopt(socket.get(), SOL_SOCKET, SO_SNDTIMEO, &sendTimeout, sizeof(sendTimeout));

    const QByteArray path = socketPath.toUtf8();
    if (path.size() > maxSocketPathBytes)
        return Outcome::unreachable;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0)
        return Outcome::unreachable;

    qsizetype offset = 0;
    while (offset < bytes.size()) {
        // MSG_NOSIGNAL: a peer that went away gives an error here instead of killing us with SIGPIPE.
        const ssize_t written
            = ::send(socket.get(), bytes.constData() + offset, size_t(bytes.size() - offset), MSG_NOSIGNAL);
        if (written <= 0)
            return Outcome::unreachable;
        offset += written;
    }
    // The half-close tells the browser that the message is complete.
    ::shutdown(socket.get(), SHUT_WR);

    // One time-out for the whole reply: a reply that trickles in must not restart it with every
    // byte.
    const auto replyDeadline = std::chrono::steady_clock::now() + ackTimeout;
    QByteArray reply;
    for (;;) {
        const auto remaining
            = std::chrono::duration_cast<std::chrono::microseconds>(replyDeadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0)
            return Outcome::delivered;
        // Whole microseconds, never zero: a zero time-out would wait for ever.
        timeval timeout{};
        timeout.tv_sec = static_cast<time_t>(remaining.count() / 1'000'000);
        timeout.tv_usec = static_cast<suseconds_t>(remaining.count() % 1'000'000);
        ::setsockopt(socket.get(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));

        char buffer[replyLimit];
        const ssize_t count = ::recv(socket.get(), buffer, size_t(replyLimit - reply.size()), 0);
        if (count > 0) {
            reply.append(buffer, count);
            const Reply verdict = classify(reply);
            if (verdict == Reply::acknowledged)
                return Outcome::delivered;
            if (verdict == Reply::refused)
                return Outcome::unreachable;
            if (reply.size() >= replyLimit)
                return Outcome::delivered;
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // No answer in time: a busy browser that did take the message.
            return Outcome::delivered;
        }
        // End of stream (or a reset): nobody took the message unless a reply had begun that can
        // only be an acknowledgement.
        return !reply.isEmpty() && ackToken.startsWith(reply) ? Outcome::delivered : Outcome::unreachable;
    }
}

} // namespace tavro::ChromiumSingleton
