#pragma once
// Programs started as Tavro's own children: starting one, and watching how it ends.

#include "Tavro/Platform/FileDescriptor.h"

#include <QFuture>
#include <QStringList>

#include <chrono>
#include <optional>

namespace tavro::Linux {

// How a watched program ended within its early-exit window.
struct EarlyExit
{
    bool bySignal = false;
    int status = 0;        // its exit status, or the signal that ended it
    QString lastErrorLine; // the last line with text on its standard error; empty when it said nothing

    bool failed() const { return bySignal || status != 0; }
};

// A child just started: its pid, a pidfd to reap it by, and our end of its standard error when
// that is watched.
struct SpawnedChild
{
    qint64 pid = 0;
    FileDescriptor process{-1};
    FileDescriptor errors{-1};
};

// Starts `argv` as our child in a session of its own (away from our terminal's signals, and left
// running when Tavro quits), in "/", with the signals at their defaults, standard input and output
// on /dev/null, and standard error on a datagram socket of which we keep the other end when
// `watchErrors`, else on /dev/null. Nothing else of ours stays open in it.
std::optional<SpawnedChild> spawn(const QStringList& argv, bool watchErrors);

// Watches `child` through `window` after its start and reaps it whenever it ends: how it ended within
// the window, or nothing when it ran past it or its standard error is not watched. GUI thread.
QFuture<std::optional<EarlyExit>> watchEarlyExit(SpawnedChild child, std::chrono::milliseconds window);

} // namespace tavro::Linux
