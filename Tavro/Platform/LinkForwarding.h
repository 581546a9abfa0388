#pragma once
// The sending half of the link socket, and the request as it travels on it: a second
// `tavro URL…` hands its links to the running Tavro over a local socket in the user's runtime
// folder and ends. QtCore alone, so that the forwarding `tavro` loads no other Qt library before
// a link reaches the picker. `LinkIntake` is the listening half.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <expected>

namespace tavro {

enum class LinkIntakeError {
    noRunningInstance,  // nobody listens on the socket
    unanswered,         // a process holds the socket but did not take the links in time
    socketUnavailable,  // the socket could not be created or bound
    heldByAnotherTavro, // another Tavro of this home holds the socket, or is about to listen on it
    foreignListener,    // the process listening on the socket belongs to another user
};

QString description(LinkIntakeError error);
// The line a program prints when `error` keeps it from handing over its links.
QString failureMessage(LinkIntakeError error);

namespace LinkForwarding {

inline constexpr std::chrono::milliseconds kForwardTimeout{3000};

// The socket of this user and this home folder. Keyed by the home folder because the home
// holds all of Tavro's state: two homes are two separate Tavros.
QString defaultSocketPath();

// The links named on a command line (the program path excluded): every argument that is
// neither an option nor the value of one of Qt's own options (`-session <id>` from a session
// manager, `-platform`, `-style`, `-display`, ...). An argument that begins with a URL scheme
// is that URL, read tolerantly (a `|`, a space or a stray `%` is percent-encoded, as a browser
// does); anything else is a file path, made absolute against `workingDirectory` so that it
// still means the same file to the process that receives it.
QList<QUrl> linksFromArguments(const QStringList& arguments, const QString& workingDirectory);

// Hands `links` (possibly none) to the Tavro listening on `socketPath`. Needs no Qt event
// loop, so a forwarding process can do it before it builds an application object.
// A listener of another user is refused before anything is sent.
std::expected<void, LinkIntakeError> forward(const QList<QUrl>& links, const QString& socketPath = defaultSocketPath(),
    std::chrono::milliseconds timeout = kForwardTimeout);

// The request: one link per line in its encoded form, then an empty line (the empty line alone
// when there is no link). The listener answers this once it has read a request whole.
inline const QByteArray kAcknowledgement = QByteArrayLiteral("ok\n");
bool isCompleteRequest(const QByteArray& request);
// The links of a whole request; a line that is no absolute URL is left out.
QList<QUrl> decodeRequest(const QByteArray& request);
// Whether the process at the other end of a connected socket runs as this user: for a listener,
// the user that made it listen.
bool peerIsThisUser(int fd);

} // namespace LinkForwarding

} // namespace tavro
