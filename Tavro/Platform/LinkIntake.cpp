#include "Tavro/Platform/LinkIntake.h"

#include "Tavro/Platform/PlatformLog.h"
#include "Tavro/Platform/SerialQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/file.h>

namespace tavro {

namespace {

using Deliver = std::function<void(const QList<QUrl>&)>;

// Reads one request, acknowledges it at once and only then hands its links on, so that the
// sender's answer never waits for what the receiver does with them. A peer that says nothing or
// sends part of a request and goes is dropped after a while; one that keeps writing is cut off.
void serve(QLocalSocket* socket, const Deliver& deliver)
{
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // Only processes of this user may hand us links. The socket lives in a folder only the user
    // can enter, so this matters only where that folder was set up wrongly, but it is cheap.
    if (!LinkForwarding::peerIsThisUser(static_cast<int>(socket->socketDescriptor()))) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    QTimer::singleShot(LinkIntake::kRequestTimeout, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    auto request = std::make_shared<QByteArray>();
    auto answered = std::make_shared<bool>(false);
    const auto read = [socket, request, answered, deliver] {
        if (*answered)
            return;
        *request += socket->readAll();
        if (request->size() > LinkIntake::kMaximumRequestBytes) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        if (!LinkForwarding::isCompleteRequest(*request))
            return;
        *answered = true;
        socket->write(LinkForwarding::kAcknowledgement);
        socket->flush();
        socket->disconnectFromServer();
        deliver(LinkForwarding::decodeRequest(*request));
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
    if (socket->bytesAvailable() > 0)
        read();
}

// Takes the lock beside the socket without waiting and returns the descriptor that holds it.
// The kernel lets an flock() lock go when its holder dies, so a lock file left by a crash, empty
// or not, never stands in the way. Close-on-exec: a browser Tavro launches must not inherit it.
std::expected<FileDescriptor, LinkIntakeError> takeLock(const QString& path)
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

} // namespace

LinkIntake::LinkIntake(const QString& socketPath, QObject* parent) : QObject(parent), m_socketPath(socketPath) { }

LinkIntake::~LinkIntake()
{
    // The server goes first, and removes its socket file while this process still holds the lock.
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

    // Holding the lock, this process alone may own the socket path: a file still there was left
    // by a Tavro that died.
    QLocalServer::removeServer(m_socketPath);
    auto queue = std::make_unique<SerialQueue>(QStringLiteral("tavro.link-intake"));
    bool listening = false;
    // Emitted on this object's thread. The queue stops before this object goes, and a call still
    // posted to it then is dropped with it.
    const auto deliver = [this](const QList<QUrl>& links) {
        QMetaObject::invokeMethod(
            this, [this, links] { Q_EMIT linksReceived(links); }, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(
        queue->context(),
        [&listening, &deliver, context = queue->context(), path = m_socketPath] {
            // A child of the queue's context: it is deleted, and closed, on the queue's thread.
            auto* server = new QLocalServer(context);
            server->setSocketOptions(QLocalServer::UserAccessOption);
            listening = server->listen(path);
            if (!listening) {
                qCWarning(lcPlatform) << "Cannot listen on" << path << server->errorString();
                delete server;
                return;
            }
            QObject::connect(server, &QLocalServer::newConnection, server, [server, deliver] {
                while (QLocalSocket* socket = server->nextPendingConnection())
                    serve(socket, deliver);
            });
        },
        Qt::BlockingQueuedConnection);
    if (!listening)
        return std::unexpected(LinkIntakeError::socketUnavailable);
    m_queue = std::move(queue);
    return {};
}

} // namespace tavro
