#include "Tavro/Platform/Linux/Processes.h"

#include "Tavro/Platform/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tavro {

namespace {

// The fields of /proc/<pid>/stat after the command name, which may itself hold spaces and ")".
QList<QByteArray> statFields(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    return line.mid(close + 1).simplified().split(' ');
}

QList<QByteArray> commandLine(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> argv = file.readAll().split('\0');
    if (!argv.isEmpty() && argv.constLast().isEmpty())
        argv.removeLast();
    return argv;
}

} // namespace

std::optional<quint64> Linux::processStartTime(qint64 pid)
{
    const QList<QByteArray> fields = statFields(pid);
    // "starttime" is the 22nd field of the line; the state, the 3rd, is the first after the name.
    constexpr qsizetype startTimeIndex = 22 - 3;
    if (fields.size() <= startTimeIndex)
        return std::nullopt;
    bool ok = false;
    const quint64 ticks = fields.at(startTimeIndex).toULongLong(&ok);
    return ok ? std::optional(ticks) : std::nullopt;
}

QList<qint64> Linux::processesRunning(const QStringList& executables)
{
    QStringList canonical;
    for (const QString& path : executables) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty())
            canonical.append(resolved);
    }
    QList<qint64> pids;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isNumber = false;
        const qint64 pid = entry.toLongLong(&isNumber);
        if (!isNumber || pid == self)
            continue;
        const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
        const QList<QByteArray> argv = commandLine(pid);
        const QString argv0 = argv.isEmpty() ? QString() : QString::fromLocal8Bit(argv.at(0));
        const QString exeName = QFileInfo(exe).fileName();
        const bool isShell
            = exeName == QLatin1String("sh") || exeName == QLatin1String("bash") || exeName == QLatin1String("dash");
        const QString script = isShell && argv.size() > 1 ? QString::fromLocal8Bit(argv.at(1)) : QString();
        const bool matches = (!exe.isEmpty() && canonical.contains(exe)) || executables.contains(argv0)
            || (!script.isEmpty() && executables.contains(script));
        if (matches && Workspace::processIsRunning(pid))
            pids.append(pid);
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

bool Workspace::processIsRunning(qint64 processIdentifier)
{
    const QList<QByteArray> fields = statFields(processIdentifier);
    if (fields.isEmpty() || fields.first().isEmpty())
        return false;
    const char state = fields.first().at(0);
    return state != 'Z' && state != 'X';
}

} // namespace tavro
