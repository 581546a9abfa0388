#include "Tavro/Platform/LinkForwarding.h"

#include "Tavro/Platform/FileDescriptor.h"
#include "Tavro/Platform/PlatformLog.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tavro {

namespace {

// Qt's own options that take the next argument as their value: QGuiApplication's, QApplication's
// and the xcb platform's. Qt reads them with one or two leading hyphens. Their values are never
// links, whether or not the platform in use reads them.
const QSet<QString> kQtOptionsWithValue = {
    QStringLiteral("-platform"),
    QStringLiteral("-platformpluginpath"),
    QStringLiteral("-platformtheme"),
    QStringLiteral("-plugin"),
    QStringLiteral("-qwindowgeometry"),
    QStringLiteral("-qwindowtitle"),
    QStringLiteral("-qwindowicon"),
    QStringLiteral("-geometry"),
    QStringLiteral("-title"),
    QStringLiteral("-icon"),
    QStringLiteral("-session"),
    QStringLiteral("-style"),
    QStringLiteral("-stylesheet"),
    QStringLiteral("-display"),
    QStringLiteral("-name"),
    QStringLiteral("-visual"),
};

// RFC 3986: scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), then ":". A one-letter scheme
// would be a drive letter elsewhere; here it is never worth guessing at, so it makes a path.
const QRegularExpression kSchemePrefix(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));

// One link per line, then an empty line. URLs in their encoded form never hold a line feed.
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

// A socket connected to this user's listener at `socketPath`. Nobody listening (no file, or a
// file left by a Tavro that died) is `noRunningInstance`.
std::expected<FileDescriptor, LinkIntakeError> connectTo(const QString& socketPath)
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return std::unexpected(LinkIntakeError::socketUnavailable);
    std::memcpy(address.sun_path, path.constData(), path.size());
    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return std::unexpected(LinkIntakeError::socketUnavailable);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0)
        return std::unexpected(LinkIntakeError::noRunningInstance);
    // Links can be private: they go to no other user's program, whoever put it at this path.
    if (!LinkForwarding::peerIsThisUser(fd.get()))
        return std::unexpected(LinkIntakeError::foreignListener);
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
    case LinkIntakeError::heldByAnotherTavro:
        return QStringLiteral("a Tavro holds the link socket and does not answer");
    case LinkIntakeError::foreignListener:
        return QStringLiteral("the link socket belongs to another user; no links were handed over");
    }
    return {};
}

QString failureMessage(LinkIntakeError error)
{
    QString message = QStringLiteral("Tavro: ") + description(error);
    if (error == LinkIntakeError::socketUnavailable || error == LinkIntakeError::foreignListener)
        message += QStringLiteral(" (") + LinkForwarding::defaultSocketPath() + QStringLiteral(")");
    return message + QLatin1Char('\n');
}

namespace LinkForwarding {

QString defaultSocketPath()
{
    const QByteArray home = QDir::homePath().toUtf8();
    const QByteArray key = QCryptographicHash::hash(home, QCryptographicHash::Sha256).toHex().left(16);
    // Looked up once: Qt warns on every lookup where the session sets no runtime folder.
    static const QString runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtimeFolder + QStringLiteral("/tavro-") + QString::fromLatin1(key) + QStringLiteral(".sock");
}

QList<QUrl> linksFromArguments(const QStringList& arguments, const QString& workingDirectory)
{
    QList<QUrl> links;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.isEmpty())
            continue;
        if (argument.startsWith(QLatin1Char('-'))) {
            const QString option = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
            if (kQtOptionsWithValue.contains(option))
                ++i;
            continue;
        }
        if (kSchemePrefix.match(argument).hasMatch()) {
            const QUrl url(argument, QUrl::TolerantMode);
            if (url.isValid())
                links.append(url);
            else
                qCWarning(lcPlatform) << "Not a link:" << argument << url.errorString();
            continue;
        }
        links.append(QUrl::fromLocalFile(QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(argument))));
    }
    return links;
}

std::expected<void, LinkIntakeError> forward(
    const QList<QUrl>& links, const QString& socketPath, std::chrono::milliseconds timeout)
{
    const auto connected = connectTo(socketPath);
    if (!connected)
        return std::unexpected(connected.error());
    const FileDescriptor& fd = *connected;

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

// A request is complete once it ends in an empty line; an empty request is the empty line alone.
bool isCompleteRequest(const QByteArray& request)
{
    return request == "\n" || request.endsWith("\n\n");
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

bool peerIsThisUser(int fd)
{
    ucred credentials{};
    socklen_t length = sizeof(credentials);
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == ::getuid();
}

} // namespace LinkForwarding

} // namespace tavro
