#pragma once
// The sending half of the link socket on Qt: a second `tavro URL…` whose links need reading (a
// file, a link typed loosely) hands them to the running Tavro over a local socket in the user's
// runtime folder and ends. QtCore alone, so that the forwarding `tavro` loads no other Qt library
// before a link reaches the picker. `LinkHandOver` holds the exchange itself, `LinkIntake` is the
// listening half.

#include "Tavro/Platform/LinkHandOver.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QUrl>

#include <chrono>
#include <expected>
#include <optional>

namespace tavro {

// The line a program prints when `error` keeps it from handing over its links to this home's socket.
QString failureMessage(LinkIntakeError error);

namespace LinkForwarding {

// The socket of this user and this home folder, named by `LinkSocketName::fileName` in Qt's
// runtime folder.
QString defaultSocketPath();

// Whether Tavro opens `link`: a web link or a local file. The one rule of both halves: a
// forwarding `tavro` hands nothing else over, and the application drops anything else it is sent.
bool isAcceptedLink(const QUrl& link);

// What a command line names: the links Tavro opens, and the arguments meant as links that are none.
struct CommandLineLinks
{
    QList<QUrl> links;
    QByteArrayList refused;
};

// The links named on a command line (the program path excluded): every argument that
// `CommandLine::linkArguments` finds meant as a link. An argument that begins with a URL scheme
// is that URL, read tolerantly (a `|`, a space or a stray `%` is percent-encoded, as a browser
// does); anything else is a file path, made absolute against `workingDirectory` so that it
// still means the same file to the process that receives it. A path's bytes are taken as they
// are, whether or not they are UTF-8. An argument that makes no link Tavro opens is refused.
CommandLineLinks linksFromArguments(const QByteArrayList& arguments, const QByteArray& workingDirectory);
// The links of this process's command line (`argv[0]` excluded), read against its working
// directory. Refused arguments are said in one line on standard error, the first cut short; when
// links were asked for and none is one, there is nothing to hand over: no value, an error.
std::optional<QList<QUrl>> linksToHandOver(int argc, char** argv);

// Hands `links` (possibly none) to the Tavro listening on `socketPath`, as `LinkHandOver::send`
// does. Needs no Qt event loop, so a forwarding process can do it before it builds an application
// object.
[[nodiscard]] std::expected<void, LinkIntakeError> forward(const QList<QUrl>& links,
    const QString& socketPath = defaultSocketPath(), std::chrono::milliseconds timeout = LinkHandOver::kTimeout);

// The links of a whole request (`LinkHandOver::request`); a line that is no absolute URL is left out.
QList<QUrl> decodeRequest(const QByteArray& request);

} // namespace LinkForwarding

} // namespace tavro
