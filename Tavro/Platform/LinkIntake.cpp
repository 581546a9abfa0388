#include "Tavro/Platform/LinkIntake.h"

#include "Tavro/Platform/PlatformLog.h"
#include "Tavro/Platform/SerialQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace tavro {

namespace {

using Deliver = std::function<void(const QList<QUrl>&)>;

// How long the listener waits before it accepts again when the system had no descriptor to give.
constexpr std::chrono::milliseconds kAcceptRetryInterval{100};

// How many senders the listener serves at a time, by the process's limit of open files.
int maximumOpenRequests()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 1;
    const rlim_t share = limit.rlim_cur / LinkIntake::kOpenFilesPerRequest;
    return int(qBound(rlim_t(1), share, rlim_t(LinkIntake::kMaximumOpenRequests)));
}

// One sender's connection, on the intake's thread: reads one request, acknowledges it and only
// then hands its links on, so that the sender's answer never waits for what the receiver does with
// them. A sender that has gone by then (it gave up waiting) is told nothing and its links are
// dropped: it said they were not taken. A peer that says nothing, or sends part of a request and
// stays, is dropped after a while; one that keeps writing is refused.
class Request : public QObject
{
public:
    Request(FileDescriptor socket, Deliver deliver, QObject* parent)
        : QObject(parent)
        , m_socket(std::move(socket))
        , m_readable(m_socket.get(), QSocketNotifier::Read)
        , m_deliver(std::move(deliver))
    {
        // Only processes of this user may hand us links. The socket lives in a folder only the
        // user can enter, so this matters only where that folder was set up wrongly, but it is cheap.
        if (!LinkHandOver::peerIsThisUser(m_socket.get())) {
            end();
            return;
        }
        connect(&m_readable, &QSocketNotifier::activated, this, &Request::read);
        // A timer of its own goes with the request: thousands of senders a second leave no
        // timers behind.
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, this, &Request::end);
        m_deadline.start(LinkIntake::kRequestTimeout);
    }

private:
    void read()
    {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::recv(m_socket.get(), buffer, sizeof(buffer), MSG_DONTWAIT);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            // The sender went before its request was whole.
            if (n <= 0)
                return end();
            m_request.append(buffer, n);
            if (m_request.size() > LinkIntake::kMaximumRequestBytes)
                return refuse();
            if (LinkHandOver::isCompleteRequest(std::string_view(m_request.constData(), std::size_t(m_request.size()))))
                return answer();
        }
    }

    void answer()
    {
        if (reply(LinkHandOver::kAcknowledgement))
            m_deliver(LinkForwarding::decodeRequest(m_request));
        else
            qCInfo(lcPlatform) << "A sender gave up before its links were taken; they are dropped";
        end();
    }

    void refuse()
    {
        reply(LinkHandOver::kRefusal);
        end();
    }

    // Whether the whole line went out: it does only while the sender is still there.
    bool reply(std::string_view line)
    {
        return ::send(m_socket.get(), line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT) == ssize_t(line.size());
    }

    void end()
    {
        m_readable.setEnabled(false);
        deleteLater();
    }

    FileDescriptor m_socket;
    QSocketNotifier m_readable;
    QTimer m_deadline;
    Deliver m_deliver;
    QByteArray m_request;
};

// The listening socket, on the intake's thread. It serves a bounded number of senders at a time;
// the others wait in the socket's queue. When the process runs out of descriptors it waits for
// some to come free and goes on: a listener that gave up would lose every later link.
class Listener : public QObject
{
public:
    Listener(FileDescriptor socket, QString path, Deliver deliver, QObject* parent)
        : QObject(parent)
        , m_socket(std::move(socket))
        , m_path(std::move(path))
        , m_incoming(m_socket.get(), QSocketNotifier::Read)
        , m_deliver(std::move(deliver))
    {
        connect(&m_incoming, &QSocketNotifier::activated, this, &Listener::acceptWaiting);
    }

    ~Listener() override
    {
        m_incoming.setEnabled(false);
        ::unlink(QFile::encodeName(m_path).constData());
    }

private:
    void acceptWaiting()
    {
        while (m_open < m_maximumOpen) {
            FileDescriptor connection(::accept4(m_socket.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
            if (connection.get() >= 0) {
                serve(std::move(connection));
                continue;
            }
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                waitForDescriptors(errno);
            return;
        }
        // The senders beyond wait in the socket's queue until one of these is done.
        m_incoming.setEnabled(false);
    }

    void serve(FileDescriptor connection)
    {
        m_waitingForDescriptors = false;
        ++m_open;
        auto* request = new Request(std::move(connection), m_deliver, this);
        connect(request, &QObject::destroyed, this, [this] {
            --m_open;
            m_incoming.setEnabled(!m_waitingForDescriptors);
        });
    }

    void waitForDescriptors(int error)
    {
        if (!std::exchange(m_waitingForDescriptors, true))
            qCWarning(lcPlatform) << "The link socket cannot take a sender now:" << std::strerror(error);
        m_incoming.setEnabled(false);
        QTimer::singleShot(kAcceptRetryInterval, this, [this] {
            m_incoming.setEnabled(true);
            acceptWaiting();
        });
    }

    FileDescriptor m_socket;
    QString m_path;
    QSocketNotifier m_incoming;
    Deliver m_deliver;
    const int m_maximumOpen = maximumOpenRequests();
    int m_open = 0;
    bool m_waitingForDescriptors = false;
};

// Takes the lock beside the socket without waiting and returns the descriptor that holds it.
// The kernel lets an flock() lock go when its holder dies, so a lock file left by a crash, empty
// or not, never stands in the way. Close-on-exec: a browser Tavro launches must not inherit it.
[[nodiscard]] std::expected<FileDescriptor, LinkIntakeError> takeLock(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    FileDescriptor fd(::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.get() < 0) {
        qCWarning(lcPlatform) << "Cannot open the lock file" << path << std::strerror(errno);
        return std::unexpected(LinkIntakeError::socketUnavailable);
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK)
            return std::unexpected(LinkIntakeError::heldByAnotherTavro);
        qCWarning(lcPlatform) << "Cannot lock" << path << std::strerror(error);
        return std::unexpected(LinkIntakeError::socketUnavailable);
    }
    return fd;
}

// A socket listening at `path`, for this user alone. Holding the lock, this process alone may own
// the path: a file still there was left by a Tavro that died.
[[nodiscard]] std::expected<FileDescriptor, LinkIntakeError> listenAt(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path))) {
        qCWarning(lcPlatform) << "Cannot listen on" << path << "the path is too long for a socket";
        return std::unexpected(LinkIntakeError::socketUnavailable);
    }
    std::memcpy(address.sun_path, name.constData(), name.size());
    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    ::unlink(name.constData());
    // Nobody can connect before listen(): the mode is in place by then.
    if (fd.get() < 0 || ::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0
        || ::chmod(name.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd.get(), SOMAXCONN) != 0) {
        qCWarning(lcPlatform) << "Cannot listen on" << path << std::strerror(errno);
        return std::unexpected(LinkIntakeError::socketUnavailable);
    }
    return fd;
}

} // namespace

LinkIntake::LinkIntake(const QString& socketPath, QObject* parent) : QObject(parent), m_socketPath(socketPath) { }

LinkIntake::~LinkIntake()
{
    // The listener goes first, and removes its socket file while this process still holds the lock.
    m_queue.reset();
}

std::expected<void, LinkIntakeError> LinkIntake::listen()
{
    if (isListening())
        return {};
    QDir().mkpath(QFileInfo(m_socketPath).absolutePath());
    if (m_lockFile.get() < 0) {
        auto lock = takeLock(m_socketPath + QStringLiteral(".lock"));
        if (!lock)
            return std::unexpected(lock.error());
        m_lockFile = std::move(*lock);
    }
    auto socket = listenAt(m_socketPath);
    if (!socket)
        return std::unexpected(socket.error());

    auto queue = std::make_unique<SerialQueue>(QStringLiteral("tavro.link-intake"));
    // Made on the queue's thread, a child of its context: it is deleted, and closed, there.
    QMetaObject::invokeMethod(
        queue->context(),
        [this, context = queue->context(), socket = std::make_shared<FileDescriptor>(std::move(*socket))] {
            new Listener(
                std::move(*socket), m_socketPath, [this](const QList<QUrl>& links) { arrived(links); }, context);
        },
        Qt::BlockingQueuedConnection);
    m_queue = std::move(queue);
    return {};
}

void LinkIntake::arrived(const QList<QUrl>& links)
{
    const QMutexLocker locker(&m_arrivedLock);
    m_arrived.append(links);
    // One call takes every request that came meanwhile: a burst of senders costs the receiving
    // thread one turn of its event loop, not one for each.
    if (m_arrived.size() == 1)
        QMetaObject::invokeMethod(this, &LinkIntake::deliverArrived, Qt::QueuedConnection);
}

void LinkIntake::deliverArrived()
{
    QList<QList<QUrl>> requests;
    {
        const QMutexLocker locker(&m_arrivedLock);
        requests = std::exchange(m_arrived, {});
    }
    Q_EMIT requestsReceived(requests);
}

} // namespace tavro
