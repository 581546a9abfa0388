#pragma once
// The system's processes, as /proc shows them.

#include <QList>
#include <QStringList>

#include <optional>

namespace tavro::Linux {

// When the process started, in clock ticks after boot: with the pid, what tells it apart from a
// later process that was given the same pid.
std::optional<quint64> processStartTime(qint64 pid);

// Real processes running from one of `executables`: by their executable file, by argv[0] (a
// wrapper that execs the real binary under the bundle's name), or as the script a shell runs.
QList<qint64> processesRunning(const QStringList& executables);

} // namespace tavro::Linux
