#include "Tavro/Platform/LinkForwarding.h"

#include "Tavro/Platform/CommandLine.h"
#include "Tavro/Platform/FileDescriptor.h"
#include "Tavro/Platform/HomeFolder.h"
#include "Tavro/Platform/LinkSocketName.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace tavro {

namespace {

// RFC 3986: scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), then ":". A one-letter scheme
// would be a drive letter elsewhere; here it is never worth guessing at, so it makes a path.
// Checked by hand: a regular expression would load and compile PCRE in every `tavro` started.
bool startsWithScheme(const QString& text)
{
    const auto isLetter = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    const auto isSchemeCharacter
        = [&](char16_t c) { return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'.' || c == u'-'; };
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 2 || !isLetter(text.at(0).unicode()))
        return false;
    return std::all_of(
        text.cbegin() + 1, text.cbegin() + colon, [&](QChar c) { return isSchemeCharacter(c.unicode()); });
}

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
// file left by a Tavro that died) is `noRunningInstance`. A listener whose queue of connections
// is full keeps the connection waiting until `deadline`, then it is `unanswered`.
[[nodiscard]] std::expected<FileDescriptor, LinkIntakeError> connectTo(
    const QString& socketPath, const QDeadlineTimer& deadline)
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
    // A local connect waits as long as the send time-out allows.
    const qint64 waitMs = qMax<qint64>(1, deadline.remainingTime());
    const timeval wait{static_cast<time_t>(waitMs / 1000), static_cast<suseconds_t>(waitMs % 1000 * 1000)};
    ::setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof(wait));
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        return std::unexpected(
            errno == EAGAIN || errno == EINTR ? LinkIntakeError::unanswered : LinkIntakeError::noRunningInstance);
    }
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

// Writes the request, as much of it as the listener takes before `deadline`. One that stops
// taking it has refused it, and says so in its answer, or is gone: the answer tells which.
void sendRequest(int fd, const QByteArray& request, const QDeadlineTimer& deadline)
{
    qsizetype written = 0;
    while (written < request.size() && waitFor(fd, POLLOUT, deadline)) {
        const ssize_t n = ::send(fd, request.constData() + written, request.size() - written, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        written += n;
    }
}

// The listener's one-line answer. The connection ended before its first byte: a Tavro that is
// ending (it still queues connections, then drops them) or none at all.
[[nodiscard]] std::expected<QByteArray, LinkIntakeError> readReply(int fd, const QDeadlineTimer& deadline)
{
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (!waitFor(fd, POLLIN, deadline))
            return std::unexpected(LinkIntakeError::unanswered);
        char buffer[64];
        const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            return std::unexpected(reply.isEmpty() ? LinkIntakeError::noRunningInstance : LinkIntakeError::unanswered);
        }
        reply.append(buffer, n);
    }
    return reply.left(reply.indexOf('\n') + 1);
}

// How much of a refused argument a message shows.
constexpr qsizetype kShownArgumentLength = 80;

// `argument` as one short line: control characters stand out as "?", a long text is cut.
QString shownArgument(const QByteArray& argument)
{
    QString text = QString::fromLocal8Bit(argument);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    if (text.size() > kShownArgumentLength)
        text = text.left(kShownArgumentLength - 1) + QChar(0x2026);
    return text;
}

// This process's working directory as the system names it, bytes that are no UTF-8 kept.
QByteArray workingDirectory()
{
    const std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
    return path ? QByteArray(path.get()) : QByteArrayLiteral("/");
}

// The local file at `path` (bytes as the system names them) as a link: made absolute against
// `workingDirectory`, cleaned, and each byte that a path may not hold in a URL percent-encoded as
// it is. Qt's own file URLs go through text, where bytes that are no UTF-8 are lost.
QUrl fileLink(const QByteArray& path, const QByteArray& workingDirectory)
{
    const QByteArray absolute = path.startsWith('/') ? path : workingDirectory + '/' + path;
    // Latin-1 keeps every byte as one character, and cleaning touches only "/" and ".".
    const QByteArray cleaned = QDir::cleanPath(QString::fromLatin1(absolute)).toLatin1();
    // What a path may hold unencoded in a URL besides letters, digits and "-._~".
    static const QByteArray kPathCharacters = QByteArrayLiteral("/!$&'()*+,;=:@");
    return QUrl::fromEncoded("file://" + cleaned.toPercentEncoding(kPathCharacters), QUrl::StrictMode);
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
    const QByteArray home = HomeFolder::nativePath();
    // Looked up once: Qt warns on every lookup where the session sets no runtime folder.
    static const QString runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtimeFolder + QLatin1Char('/')
        + QString::fromStdString(
            LinkSocketName::fileName(std::string_view(home.constData(), std::size_t(home.size()))));
}

bool isAcceptedLink(const QUrl& link)
{
    // Schemes are case-insensitive, whatever form the sender used.
    const QString scheme = link.scheme();
    return link.isValid()
        && (scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0
            || scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
            || scheme.compare(QLatin1String("file"), Qt::CaseInsensitive) == 0);
}

CommandLineLinks linksFromArguments(const QByteArrayList& arguments, const QByteArray& workingDirectory)
{
    std::vector<std::string_view> views;
    views.reserve(std::size_t(arguments.size()));
    for (const QByteArray& argument : arguments)
        views.emplace_back(argument.constData(), std::size_t(argument.size()));
    CommandLineLinks found;
    for (const std::size_t i : CommandLine::linkArguments(views)) {
        const QByteArray& argument = arguments.at(qsizetype(i));
        const QString text = QString::fromLocal8Bit(argument);
        const QUrl link
            = startsWithScheme(text) ? QUrl(text, QUrl::TolerantMode) : fileLink(argument, workingDirectory);
        if (isAcceptedLink(link))
            found.links.append(link);
        else
            found.refused.append(argument);
    }
    return found;
}

std::optional<QList<QUrl>> linksToHandOver(int argc, char** argv)
{
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    auto [links, refused] = linksFromArguments(arguments, workingDirectory());
    if (refused.isEmpty())
        return links;
    QString message = QStringLiteral("Tavro: not a web link or a file: ") + shownArgument(refused.first());
    if (refused.size() > 1)
        message += QStringLiteral(" (and %1 more)").arg(refused.size() - 1);
    std::fputs((message + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    if (links.isEmpty())
        return std::nullopt;
    return links;
}

std::expected<void, LinkIntakeError> forward(
    const QList<QUrl>& links, const QString& socketPath, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    const auto connected = connectTo(socketPath, deadline);
    if (!connected)
        return std::unexpected(connected.error());
    const int fd = connected->get();
    sendRequest(fd, encodeRequest(links), deadline);
    const auto reply = readReply(fd, deadline);
    if (!reply)
        return std::unexpected(reply.error());
    if (*reply != kAcknowledgement)
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
