#pragma once

#include <QDir>
#include <QLocalSocket>
#include <QString>

#include <sys/socket.h>

namespace tavro::test {

// Whether a Tavro listens for links in `runtimeDir`: its socket file exists and takes a connection.
// The file alone is not enough: one left by a Tavro that was ended stays until the next one binds.
inline bool tavroListening(const QString& runtimeDir)
{
    for (const QString& name : QDir(runtimeDir).entryList({QStringLiteral("tavro-*.sock")}, QDir::System)) {
        QLocalSocket socket;
        socket.connectToServer(runtimeDir + QLatin1Char('/') + name);
        if (socket.waitForConnected(200)) {
            socket.abort();
            return true;
        }
    }
    return false;
}

// The process that listens for links in `runtimeDir`, 0 when none does: a Tavro started apart from
// the test, which no QProcess of the test holds.
inline qint64 listeningTavro(const QString& runtimeDir)
{
    for (const QString& name : QDir(runtimeDir).entryList({QStringLiteral("tavro-*.sock")}, QDir::System)) {
        QLocalSocket socket;
        socket.connectToServer(runtimeDir + QLatin1Char('/') + name);
        if (!socket.waitForConnected(200))
            continue;
        ucred credentials{};
        socklen_t length = sizeof(credentials);
        const bool known
            = ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0;
        socket.abort();
        if (known)
            return credentials.pid;
    }
    return 0;
}

} // namespace tavro::test
