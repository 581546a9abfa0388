#pragma once

#include <QDir>
#include <QLocalSocket>
#include <QString>

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

} // namespace tavro::test
