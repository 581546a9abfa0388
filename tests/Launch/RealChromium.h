#pragma once
// Debian's Chromium dressed as a Mac application bundle under a temporary HOME, and a local web
// server that records what the browser asks for, for the checks against the real browser.

#include "Tavro/Launch/ChromiumSingleton.h"
#include "tests/Platform/RecordingApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <csignal>
#include <string>

namespace tavro::test {

// Debian's Chromium binary and the switches every test browser runs with: no sandbox (root), no
// first-run pages, no network of its own, user data in "~/Library/Application Support/Chromium".
inline const QString kChromiumBinary = QStringLiteral("/usr/lib/chromium/chromium");
inline QStringList chromiumSwitches(const QString& home)
{
    return {QStringLiteral("--no-sandbox"), QStringLiteral("--no-first-run"), QStringLiteral("--disable-gpu"),
        QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
        QStringLiteral("--disable-sync"), QStringLiteral("--disable-quic"), QStringLiteral("--password-store=basic"),
        QStringLiteral("--disable-features=Translate,MediaRouter"),
        QStringLiteral("--user-data-dir=") + home + QStringLiteral("/Library/Application Support/Chromium")};
}

// "~/Applications/Chromium.app", whose executable runs the real browser on `display` with
// `switches`, as on a Mac. It execs under its own name, so the browser process is recognised as
// the bundle's.
inline QString writeChromiumBundle(const QString& home, const QString& display, const QStringList& switches)
{
    QByteArray script
        = "#!/bin/bash\nexport DISPLAY='" + display.toUtf8() + "'\nexec -a \"$0\" " + kChromiumBinary.toUtf8();
    for (const QString& flag : switches)
        script += " '" + flag.toUtf8() + "'";
    script += " \"$@\"\n";
    QDir().mkpath(home + QStringLiteral("/Library/Application Support/Chromium"));
    return writeBundle(home + QStringLiteral("/Applications"), QStringLiteral("Chromium"),
        QStringLiteral("org.chromium.Chromium"), QStringLiteral("Chromium"), script);
}

// The same with the switches above.
inline QString writeChromiumBundle(const QString& home, const QString& display)
{
    return writeChromiumBundle(home, display, chromiumSwitches(home));
}

// Starts the browser as a user would, outside Tavro and not through the bundle, with `url`; its pid.
inline qint64 startChromiumByHand(const QString& home, const QString& display, const QString& url)
{
    QDir().mkpath(home + QStringLiteral("/Library/Application Support/Chromium"));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("HOME"), home);
    process.setProcessEnvironment(environment);
    process.setProgram(kChromiumBinary);
    process.setArguments(chromiumSwitches(home) + QStringList{url});
    qint64 pid = 0;
    return process.startDetached(&pid) ? pid : 0;
}

// Processes whose command line mentions `text` (the temporary HOME): the browser and its helpers.
inline QList<qint64> processesMentioning(const QString& text)
{
    QList<qint64> pids;
    const QByteArray needle = text.toUtf8();
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const qint64 pid = entry.toLongLong(&isNumber);
        if (!isNumber)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(needle))
            pids.append(pid);
    }
    return pids;
}

// The parent of a process; 0 when it cannot be read.
inline qint64 parentOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // "pid (name) state ppid ...": the name may hold spaces and brackets, so read after the last ')'.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() : 0;
}

// Browser processes proper: no "--type=" helper, no crash handler, and no child of another of
// them. A helper between its fork and its exec still shows the browser's own command line.
inline QList<qint64> browserProcesses(const QString& home)
{
    const QList<qint64> all = processesMentioning(home);
    QList<qint64> result;
    for (qint64 pid : all) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = cmdline.readAll();
        if (!line.contains("--type=") && !line.contains("crashpad") && !all.contains(parentOf(pid)))
            result.append(pid);
    }
    return result;
}

// Each process mentioning `text` with its parent and the start of its command line, for the
// message of a failed check.
inline std::string describeProcesses(const QString& text)
{
    QString description;
    for (qint64 pid : processesMentioning(text)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        cmdline.open(QIODevice::ReadOnly);
        const QByteArray line = cmdline.readAll().replace('\0', ' ').left(200);
        description += QStringLiteral("%1 (parent %2): %3\n").arg(pid).arg(parentOf(pid)).arg(QString::fromUtf8(line));
    }
    return description.toStdString();
}

// The running browser `pid` holds the profile: "SingletonLock" names it ("host-pid") and the
// socket that "SingletonSocket" points at is bound.
inline bool holdsProfile(const QString& userDataDir, qint64 pid)
{
    const QString lock = QFileInfo(userDataDir + QStringLiteral("/SingletonLock")).symLinkTarget();
    const auto socket = ChromiumSingleton::socketPath(userDataDir);
    return lock.endsWith(QStringLiteral("-%1").arg(pid)) && socket && QFileInfo::exists(*socket);
}

inline void killProcessesMentioning(const QString& text)
{
    for (qint64 pid : processesMentioning(text))
        ::kill(pid_t(pid), SIGKILL);
}

// Answers every request with a small page and keeps the paths asked for.
class RequestRecorder
{
public:
    RequestRecorder()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    QByteArray& buffer = m_buffers[socket];
                    buffer += socket->readAll();
                    if (!buffer.contains("\r\n\r\n"))
                        return;
                    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
                    if (requestLine.size() >= 2)
                        m_paths.append(QString::fromUtf8(requestLine.at(1)));
                    m_buffers.remove(socket);
                    const QByteArray body = "<html><body>ok</body></html>";
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: "
                        + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    bool isListening() const { return m_server.isListening(); }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    QStringList paths() const { return m_paths; }
    bool waitFor(const QString& path, int timeoutMs) const
    {
        return QTest::qWaitFor([&] { return m_paths.contains(path); }, timeoutMs);
    }

private:
    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QStringList m_paths;
};

} // namespace tavro::test
