#pragma once
// Stands for the shared workspace, running applications and application bundles: finding apps by
// bundle identifier, launching them, handing them URLs, listing the running ones, their icons.

#include <QCoro/QCoroTask>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <expected>
#include <optional>

namespace tavro {

// What an application bundle's Info.plist says about it, or what a desktop entry says about the
// application it starts.
struct AppBundle
{
    QString bundlePath;       // ".../Name.app", or ".../<id>.desktop"
    QString bundleIdentifier; // CFBundleIdentifier, or that of the install the desktop entry stands for
    QString executableName;   // CFBundleExecutable, or the program of the entry's Exec
    QString iconFile;         // CFBundleIconFile, or the entry's Icon (a theme name or a path); may be empty
    QString name;             // CFBundleName (else the bundle's file name without ".app"), or the entry's Name
    QStringList exec;         // a desktop entry's Exec arguments after the program, field codes kept

    bool isDesktopEntry() const;
    // "<bundle>/Contents/MacOS/<executable>", or the entry's program found on PATH; empty without one.
    QString executablePath() const;
    // The program and arguments that start the application with `arguments` (links, options).
    QStringList commandLine(const QStringList& arguments) const;

    bool operator==(const AppBundle&) const = default;
};

struct RunningApplication
{
    QString bundleIdentifier;
    qint64 processIdentifier = 0;
    QString bundlePath; // empty for an application whose bundle is unknown

    bool operator==(const RunningApplication&) const = default;
};

// How an application is opened: the three forms Tavro uses are an activation launch
// (activates only), an argument launch (activates, new instance, arguments) and a URL hand-over.
struct OpenConfiguration
{
    bool activates = true;
    bool createsNewApplicationInstance = false;
    QStringList arguments;
    // How long a program started for this is watched after its start: one that ends with a non-zero
    // status or by a signal within it failed to start, and the last line it wrote to its standard
    // error says why. Zero: not watched.
    std::chrono::milliseconds earlyExitWindow{0};
};

// A failure of the system to open an application or hand it URLs.
struct WorkspaceError
{
    QString localizedDescription;

    bool operator==(const WorkspaceError&) const = default;
};

class Workspace
{
public:
    // What the calls about running applications and launches go through. The system backend runs
    // real processes and is the default; tests install a simulation beside it.
    class Backend
    {
    public:
        virtual ~Backend() = default;
        virtual QList<RunningApplication> runningApplications(const QString& bundleIdentifier) = 0;
        virtual std::optional<RunningApplication> frontmostApplication() = 0;
        virtual bool activate(const RunningApplication& application) = 0;
        [[nodiscard]] virtual QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openApplication(
            const AppBundle& bundle, const OpenConfiguration& configuration)
            = 0;
        // The application that received the URLs.
        [[nodiscard]] virtual QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openUrls(
            const QList<QUrl>& urls, const AppBundle& bundle, const OpenConfiguration& configuration)
            = 0;
    };

    static Workspace& shared();
    static Backend& systemBackend();
    // Routes the running-application and launch calls to `backend` (not owned); nullptr puts the
    // system backend back.
    static void setBackend(Backend* backend);

    // Whether the process runs (a zombie does not).
    static bool processIsRunning(qint64 processIdentifier);

    // Reads the string values of an XML property list's top-level dictionary; nullopt when the
    // file is missing or not a property list.
    static std::optional<QHash<QString, QString>> readPropertyList(const QString& path);
    // The bundle at `bundlePath`, read from its Contents/Info.plist; nullopt without a readable
    // Info.plist carrying CFBundleIdentifier. A path ending in ".desktop" is read as a desktop entry.
    static std::optional<AppBundle> bundle(const QString& bundlePath);

    // The application a desktop entry describes, when the entry's id is in the desktop-entry table and
    // the entry is an application the desktop shows (not Hidden, TryExec found, Exec readable).
    static std::optional<AppBundle> desktopEntry(const QString& entryPath);

    // Folders searched for applications: "/Applications" and "~/Applications" (HOME at call time).
    static QStringList applicationFolders();

    // The first bundle with this identifier (exact comparison), "~/Applications" after
    // "/Applications", else the first desktop entry standing for it in the XDG application folders;
    // nullopt when none is installed. An entry of a snap or a Flatpak stands for its install's own
    // identifier ("org.mozilla.firefox@flatpak"), and for the application's when no package of it
    // is installed. Safe from any thread. The folders are read into an index that is read again
    // only when a folder changed.
    std::optional<QString> urlForApplication(const QString& bundleIdentifier) const;

    // Running applications with this bundle identifier: processes whose executable (or argv[0]) is
    // the executable of an installed bundle that answers to it (as `urlForApplication` finds), and
    // the ones this workspace started from such a bundle that still run.
    QList<RunningApplication> runningApplications(const QString& bundleIdentifier) const;
    std::optional<RunningApplication> frontmostApplication() const;
    // Brings the application to the front; false when it no longer runs.
    bool activate(const RunningApplication& application);

    // Opens the application at `bundlePath`. Without `createsNewApplicationInstance` an application
    // that already runs is only activated. Completes once the process was started or, with an
    // early-exit window, once it ended or its window is over. GUI thread.
    [[nodiscard]] QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openApplication(
        const QString& bundlePath, const OpenConfiguration& configuration);
    // Hands the URLs to the application: the executable is run with the URLs as its arguments (a
    // running single-instance browser forwards them to its first process itself, and that ends
    // with status 0). Completes as `openApplication` does. GUI thread.
    [[nodiscard]] QCoro::Task<std::expected<void, WorkspaceError>> openUrls(
        const QList<QUrl>& urls, const QString& bundlePath, const OpenConfiguration& configuration);

    // The bundle's icon file (CFBundleIconFile under Contents/Resources, ".icns" added when it has no
    // extension), or a desktop entry's Icon when that is a path; nullopt when there is none.
    static std::optional<QString> iconPath(const QString& bundlePath);
    // The application's icon (a desktop entry's from the icon theme) decoded for `box` device
    // pixels, its aspect kept: smaller to fit, never larger but for a drawing (SVG); none when it has
    // none that reads.
    static std::optional<QImage> icon(const QString& bundlePath, QSize box);

    // "The application “name” can’t be opened."
    [[nodiscard]] static WorkspaceError cannotOpen(const QString& name);

private:
    Workspace() = default;
};

} // namespace tavro
