#pragma once
// An application bundle under a temporary HOME whose executable records the arguments of every
// run, for tests of launches.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTest>

namespace tavro::test {

inline QByteArray infoPlist(const QString& identifier, const QString& executable, const QString& name = {})
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                     "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                     "<plist version=\"1.0\">\n<dict>\n";
    xml += "  <key>CFBundleIdentifier</key>\n  <string>" + identifier.toUtf8() + "</string>\n";
    if (!executable.isEmpty())
        xml += "  <key>CFBundleExecutable</key>\n  <string>" + executable.toUtf8() + "</string>\n";
    if (!name.isEmpty())
        xml += "  <key>CFBundleName</key>\n  <string>" + name.toUtf8() + "</string>\n";
    xml += "</dict>\n</plist>\n";
    return xml;
}

// Writes "<folder>/<name>.app" with an Info.plist; returns the bundle path.
inline QString writeBundle(const QString& folder, const QString& name, const QString& identifier,
    const QString& executable, const QByteArray& script = {})
{
    const QString bundle = folder + QLatin1Char('/') + name + QStringLiteral(".app");
    QDir().mkpath(bundle + QStringLiteral("/Contents/MacOS"));
    QFile plist(bundle + QStringLiteral("/Contents/Info.plist"));
    plist.open(QIODevice::WriteOnly | QIODevice::Truncate);
    plist.write(infoPlist(identifier, executable));
    plist.close();
    if (!script.isEmpty()) {
        QFile exe(bundle + QStringLiteral("/Contents/MacOS/") + executable);
        exe.open(QIODevice::WriteOnly | QIODevice::Truncate);
        exe.write(script);
        exe.close();
        exe.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
            | QFile::ReadOther | QFile::ExeOther);
    }
    return bundle;
}

// A bundle whose executable appends one line per run to `<bundle>/runs.txt`: its arguments
// separated by the unit separator (0x1F).
class RecordingApp
{
public:
    RecordingApp(const QString& folder, const QString& name, const QString& identifier)
    {
        const QByteArray log = (folder + QLatin1Char('/') + name + QStringLiteral(".app/runs.txt")).toUtf8();
        const QByteArray script = "#!/bin/sh\n"
                                  "line=run\n"
                                  "for a in \"$@\"; do line=\"$line$(printf '\\037')$a\"; done\n"
                                  "printf '%s\\n' \"$line\" >> '"
            + log + "'\n";
        m_bundle = writeBundle(folder, name, identifier, name, script);
        m_log = QString::fromUtf8(log);
    }

    QString bundlePath() const { return m_bundle; }
    QString executablePath() const
    {
        return m_bundle + QStringLiteral("/Contents/MacOS/") + QFileInfo(m_bundle).completeBaseName();
    }

    // The argument lists of the runs so far.
    QList<QStringList> runs() const
    {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QStringList> result;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            QStringList args = QString::fromUtf8(line).split(QChar(0x1F));
            args.removeFirst();
            result.append(args);
        }
        return result;
    }

    // Waits (on the event loop) until `count` runs were recorded.
    bool waitForRuns(int count, int timeoutMs = 5000) const
    {
        return QTest::qWaitFor([&] { return runs().size() >= count; }, timeoutMs);
    }

private:
    QString m_bundle;
    QString m_log;
};

} // namespace tavro::test
