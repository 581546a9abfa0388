#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

#include <sys/time.h>

namespace tavro {

// Handing a command line to a running Chromium-family browser through the "SingletonSocket" in
// its user-data directory, in the browser's own "START" message format, as a second copy of the
// browser would. Stateless; safe on any thread. `deliver` blocks: never call it on the GUI thread.
namespace ChromiumSingleton {

// `tooLong`: the browser would cut the message short, so nothing was sent.
enum class Outcome { delivered, unreachable, tooLong };

// The longest socket path, in UTF-8 bytes, that fits the socket address with its terminating 0.
inline constexpr qsizetype maxSocketPathBytes = 103;

// The longest message a running Chromium reads whole. Its singleton reader fills one 32 KiB buffer
// and acts on what it holds: a longer message opens a cut URL, or, when the sender is still
// writing as the browser hangs up, the sending process kills the running browser and takes over.
inline constexpr qsizetype maxMessageBytes = 32 * 1024;

// The socket to connect to: the target of the "SingletonSocket" link (a relative target taken
// against the user-data directory and tidied without touching the disk), else the file itself
// when it exists; nullopt otherwise.
std::optional<QString> socketPath(const QString& userDataDir);

// Whether a live browser holds the user-data directory, by the browser's own rule: its
// "SingletonLock" is a link to "<host name>-<pid>", and that process runs on this host. Tells a
// browser the user started (through a wrapper script, say) from one that is closed.
bool isHeldByLiveProcess(const QString& userDataDir);

// Microsoft Edge expects two extra tokens before argv: the time in microseconds since 1601 and
// the system uptime in microseconds. Every other browser (and any other spelling) gets none.
QStringList header(const QString& bundleIdentifier);

// "START", then each of the current directory, the header tokens and argv, each after one 0 byte.
QByteArray message(const QStringList& argv, const QStringList& header, const QString& currentDirectory);

// Connects, writes the whole message with "/" as the current directory, half-closes and waits up
// to `ackTimeout` for the reply. "ACK", or no reply in time, is `delivered`; "SHUTDOWN" (the
// browser is quitting and opens nothing), an end of stream without reply, or any failure before
// is `unreachable`, so the caller launches the browser instead. A token holding a 0 byte would
// split into extra arguments and is never sent. A message over `maxMessageBytes` is `tooLong`,
// without a connection.
Outcome deliver(const QStringList& argv, const QStringList& header, const QString& socketPath,
    std::chrono::milliseconds ackTimeout = std::chrono::milliseconds(3000));

// The receive time-out for `seconds`: whole seconds and the fraction in microseconds.
timeval receiveTimeout(double seconds);

} // namespace ChromiumSingleton

} // namespace tavro
