#pragma once
// Test and diagnostics control of the simulated Workspace backend (in TavroSimulation, never in the
// shipped program): the log of launches and URL hand-overs, and applications that exist only as
// simulations here (Safari, Arc). Real processes still start; the simulation notes them.

#include "Tavro/Platform/Workspace.h"

#include <functional>

namespace tavro {

struct LaunchRecord
{
    enum class Kind { activation, arguments, urlHandOver };

    Kind kind = Kind::activation;
    QString bundlePath;
    QString bundleIdentifier;
    QStringList arguments;        // the arguments a started process received
    QList<QUrl> urls;             // URL hand-overs only
    qint64 processIdentifier = 0; // the application that was started, activated or handed the URLs
    bool startedProcess = false;  // a real process was started for this record
};

class WorkspaceHost
{
public:
    // Routes the Workspace through the simulation.
    static void install();

    // Every launch, activation launch and hand-over since the last reset, in order. A process the
    // system starts is listed as it starts; its process identifier and `startedProcess` follow once
    // the call completes.
    static QList<LaunchRecord> launches();
    static void clearLaunches();

    // Registers a simulated running application and returns its process identifier (a number no
    // real process has). The newest registration of an identifier is listed last.
    static qint64 addRunningApplication(const QString& bundleIdentifier, const QString& bundlePath = {});
    // The simulated application quits.
    static void removeRunningApplication(qint64 processIdentifier);

    // Starting a simulated application: an activation launch of a bundle with this identifier that
    // does not run calls `launcher` (which usually registers the application) instead of starting
    // a process. The launcher runs on the caller's thread.
    static void setLauncher(const QString& bundleIdentifier, std::function<void()> launcher);
    // URLs handed to the simulated application with this process identifier.
    static void setUrlHandler(qint64 processIdentifier, std::function<void(const QList<QUrl>&)> handler);

    static void setFrontmost(std::optional<qint64> processIdentifier);

    // How many times the running applications were looked up since the last reset; each look-up
    // walks the real process table too.
    static int runningApplicationLookups();
    // The look-ups among them made on the GUI thread.
    static int guiThreadRunningApplicationLookups();

    // Real processes started by the workspace since the last reset, newest last.
    static QList<qint64> startedProcesses();

    // Forgets simulated applications, handlers, the log and the frontmost application.
    static void reset();
};

} // namespace tavro
