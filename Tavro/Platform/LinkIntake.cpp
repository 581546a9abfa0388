#include "Tavro/Platform/LinkIntake.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tavro {

namespace {

// One link per line, then an empty line. URLs in their encoded form never hold a line feed.
const QByteArray kTerminator = QByteArrayLiteral("\n\n");
const QByteArray kAcknowledgement = QByteArrayLiteral("ok\n");

QByteArray encodeRequest(const QList<QUrl>& links)
{
    QByteArray request;
    for (const QUrl& link : links) {
        request += link.toEncoded();
        request += '\n';
    }
    request += '\n';
    return request;
}

// A request is complete once it ends in an empty line; an empty request is the empty line alone.
bool isComplete(const QByteArray& request)
{
    return request == "\n" || request.endsWith(kTerminator);
}

QList<QUrl> decodeRequest(const QByteArray& request)
{
    QList<QUrl> links;
    for (const QByteArray& line : request.split('\n')) {
        if (line.isEmpty())
            continue;
        const QUrl link = QUrl::fromEncoded(line, QUrl::StrictMode);
        if (link.isValid() && !link.isRelative())
            links.append(link);
    }
    return links;
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// A connected socket, -1 when nobody listens at `socketPath` (no file, or a file left by a
// Tavro that died), or -2 when the path cannot be a socket address.
int connectTo(const QString& socketPath)
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return -2;
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -2;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(qMax<qint64>(0, deadline.remainingTime())));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// Only processes of this user may hand us links. The socket lives in a folder only the user
// can enter, so this matters only where that folder was set up wrongly, but it is cheap.
bool peerIsThisUser(QLocalSocket* socket)
{
    ucred credentials{};
    socklen_t length = sizeof(credentials);
    const int fd = static_cast<int>(socket->socketDescriptor());
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == ::getuid();
}

} // namespace

QString description(LinkIntakeError error)
{
    switch (error) {
    case LinkIntakeError::noRunningInstance:
        return QStringLiteral("Tavro is not running");
    case LinkIntakeError::unanswered:
        return QStringLiteral("Tavro is running but did not take the links");
    case LinkIntakeError::socketUnavailable:
        return QStringLiteral("the link socket could not be opened");
    }
    return {};
}

QString LinkIntake::defaultSocketPath()
{
    const QByteArray home = QDir::homePath().toUtf8();
    const QByteArray key = QCryptographicHash::hash(home, QCryptographicHash::Sha256).toHex().left(16);
    // Looked up once: Qt warns on every lookup where the session sets no runtime folder.
    static const QString runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtimeFolder + QStringLiteral("/tavro-") + QString::fromLatin1(key) + QStringLiteral(".sock");
}

QList<QUrl> LinkIntake::linksFromArguments(const QStringList& arguments, const QString& workingDirectory)
{
    QList<QUrl> links;
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-')))
            continue;
        const QUrl asUrl(argument, QUrl::StrictMode);
        // A one-letter "scheme" would be a drive letter elsewhere; here it is never a URL scheme
        // worth guessing at, so such arguments are paths like any other.
        if (asUrl.isValid() && asUrl.scheme().size() > 1) {
            links.append(asUrl);
            continue;
        }
        links.append(QUrl::fromLocalFile(QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(argument))));
    }
    return links;
}

std::expected<void, LinkIntakeError> LinkIntake::forward(
    const QList<QUrl>& links, const QString& socketPath, std::chrono::milliseconds timeout)
{
    FileDescriptor fd(connectTo(socketPath));
    if (fd.get() == -2)
        return std::unexpected(LinkIntakeError::socketUnavailable);
    if (fd.get() < 0)
        return std::unexpected(LinkIntakeError::noRunningInstance);

    const QDeadlineTimer deadline(timeout);
    const QByteArray request = encodeRequest(links);
    qsizetype written = 0;
    while (written < request.size()) {
        if (!waitFor(fd.get(), POLLOUT, deadline))
            return std::unexpected(LinkIntakeError::unanswered);
        const ssize_t n = ::send(fd.get(), request.constData() + written, request.size() - written, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::unexpected(LinkIntakeError::unanswered);
        written += n;
    }

    QByteArray reply;
    while (!reply.contains('\n')) {
        if (!waitFor(fd.get(), POLLIN, deadline))
            return std::unexpected(LinkIntakeError::unanswered);
        char buffer[64];
        const ssize_t n = ::recv(fd.get(), buffer, sizeof(buffer), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::unexpected(LinkIntakeError::unanswered);
        reply.append(buffer, n);
    }
    if (!reply.startsWith(kAcknowledgement))
        return std::unexpected(LinkIntakeError::unanswered);
    return {};
}

LinkIntake::LinkIntake(const QString& socketPath, QObject* parent) : QObject(parent), m_socketPath(socketPath) { }

LinkIntake::~LinkIntake()
{
    if (m_server)
        m_server->close();
}

bool LinkIntake::isListening() const
{
    return m_server && m_server->isListening();
}

std::expected<void, LinkIntakeError> LinkIntake::listen()
{
    if (isListening())
        return {};
    if (QFileInfo::exists(m_socketPath)) {
        // Someone answers: another Tavro owns the socket, and we must not steal it.
        if (FileDescriptor probe(connectTo(m_socketPath)); probe.get() >= 0)
            return std::unexpected(LinkIntakeError::socketUnavailable);
        QLocalServer::removeServer(m_socketPath);
    }
    QDir().mkpath(QFileInfo(m_socketPath).absolutePath());

    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_socketPath)) {
        delete server;
        return std::unexpected(LinkIntakeError::socketUnavailable);
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &LinkIntake::acceptConnection);
    return {};
}

void LinkIntake::acceptConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(socket)) {
            socket->abort();
            continue;
        }
        // A peer that connects and then says nothing is dropped after a while.
        QTimer::singleShot(kRequestTimeout, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void LinkIntake::readRequest(QLocalSocket* socket)
{
    QByteArray request = socket->property("tavro.request").toByteArray();
    request += socket->readAll();
    if (request.size() > kMaximumRequestBytes) {
        socket->abort();
        return;
    }
    if (!isComplete(request)) {
        socket->setProperty("tavro.request", request);
        return;
    }
    socket->setProperty("tavro.request", QVariant());
    socket->write(kAcknowledgement);
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT linksReceived(decodeRequest(request));
}

} // namespace tavro
