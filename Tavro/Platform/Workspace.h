#pragma once
// Stands for the shared workspace, running applications and application bundles: finding apps by
// bundle identifier, launching them, handing them URLs, listing the running ones, their icons.

#include <QCoro/QCoroTask>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <expected>
#include <optional>

namespace tavro {

// What an application bundle's Info.plist says about it.
struct AppBundle
{
    QString bundlePath;       // ".../Name.app"
    QString bundleIdentifier; // CFBundleIdentifier
    QString executableName;   // CFBundleExecutable
    QString iconFile;         // CFBundleIconFile, may be empty
    QString name;             // CFBundleName, else the bundle's file name without ".app"

    // "<bundle>/Contents/MacOS/<executable>"; empty without CFBundleExecutable.
    QString executablePath() const;

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
    static Workspace& shared();

    // Reads the string values of an XML property list's top-level dictionary; nullopt when the
    // file is missing or not a property list.
    static std::optional<QHash<QString, QString>> readPropertyList(const QString& path);
    // The bundle at `bundlePath`, read from its Contents/Info.plist; nullopt without a readable
    // Info.plist carrying CFBundleIdentifier.
    static std::optional<AppBundle> bundle(const QString& bundlePath);

    // Folders searched for applications: "/Applications" and "~/Applications" (HOME at call time).
    static QStringList applicationFolders();

    // The first bundle with this identifier (exact comparison), "~/Applications" after
    // "/Applications"; nullopt when none is installed. Safe from any thread.
    std::optional<QString> urlForApplication(const QString& bundleIdentifier) const;

    // Running applications with this bundle identifier, simulated ones first, then real processes
    // whose executable (or argv[0]) is the executable of an installed bundle with that identifier.
    QList<RunningApplication> runningApplications(const QString& bundleIdentifier) const;
    std::optional<RunningApplication> frontmostApplication() const;
    // Brings the application to the front; false when it no longer runs.
    bool activate(const RunningApplication& application);

    // Opens the application at `bundlePath`. Without `createsNewApplicationInstance` an application
    // that already runs is only activated. Completes once the process was started.
    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openApplication(
        const QString& bundlePath, const OpenConfiguration& configuration);
    // Hands the URLs to the application: a running simulated application receives them directly,
    // otherwise the executable is run with the URLs as its arguments.
    QCoro::Task<std::expected<void, WorkspaceError>> openUrls(
        const QList<QUrl>& urls, const QString& bundlePath, const OpenConfiguration& configuration);

    // The bundle's icon file (CFBundleIconFile under Contents/Resources, ".icns" added when it has no
    // extension); nullopt when there is none.
    static std::optional<QString> iconPath(const QString& bundlePath);
    // The application's icon, or a null icon when it has none Qt can read.
    static QIcon icon(const QString& bundlePath);

private:
    friend class WorkspaceHost;
    Workspace() = default;

    std::expected<RunningApplication, WorkspaceError> start(
        const AppBundle& bundle, const QStringList& arguments, bool activates);
};

} // namespace tavro
