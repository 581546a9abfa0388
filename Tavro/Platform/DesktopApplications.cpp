#include "Tavro/Platform/DesktopApplications.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/HomeFolder.h"

#include <QDir>
#include <QFileInfo>

namespace tavro::DesktopApplications {

namespace {

// The ids are the ones the browsers' Linux packages install; a snap's entry is named
// "<snap>_<app>.desktop".
const QList<KnownApplication>& table()
{
    static const QList<KnownApplication> rows{
        {.bundleIdentifier = QStringLiteral("org.chromium.Chromium"),
            .desktopIds = {QStringLiteral("chromium.desktop"), QStringLiteral("chromium-browser.desktop"),
                QStringLiteral("org.chromium.Chromium.desktop")},
            .configFolder = QStringLiteral("chromium"),
            // The snap points Chromium's configuration folder at its common folder.
            .snapDesktopId = QStringLiteral("chromium_chromium.desktop"),
            .snapHome = QStringLiteral("snap/chromium/common"),
            .snapConfigHome = QStringLiteral("snap/chromium/common")},
        {.bundleIdentifier = QStringLiteral("com.google.Chrome"),
            .desktopIds = {QStringLiteral("google-chrome.desktop"), QStringLiteral("com.google.Chrome.desktop")},
            .configFolder = QStringLiteral("google-chrome")},
        {.bundleIdentifier = QStringLiteral("com.google.Chrome.beta"),
            .desktopIds = {QStringLiteral("google-chrome-beta.desktop")},
            .configFolder = QStringLiteral("google-chrome-beta")},
        {.bundleIdentifier = QStringLiteral("com.google.Chrome.dev"),
            .desktopIds = {QStringLiteral("google-chrome-unstable.desktop")},
            .configFolder = QStringLiteral("google-chrome-unstable")},
        {.bundleIdentifier = QStringLiteral("com.brave.Browser"),
            .desktopIds = {QStringLiteral("brave-browser.desktop"), QStringLiteral("com.brave.Browser.desktop")},
            .configFolder = QStringLiteral("BraveSoftware/Brave-Browser")},
        {.bundleIdentifier = QStringLiteral("com.microsoft.edgemac"),
            .desktopIds = {QStringLiteral("microsoft-edge.desktop"), QStringLiteral("com.microsoft.Edge.desktop")},
            .configFolder = QStringLiteral("microsoft-edge")},
        {.bundleIdentifier = QStringLiteral("com.vivaldi.Vivaldi"),
            .desktopIds = {QStringLiteral("vivaldi-stable.desktop"), QStringLiteral("com.vivaldi.Vivaldi.desktop")},
            .configFolder = QStringLiteral("vivaldi")},
        {.bundleIdentifier = QStringLiteral("com.operasoftware.Opera"),
            .desktopIds = {QStringLiteral("opera.desktop"), QStringLiteral("com.opera.Opera.desktop")},
            .configFolder = QStringLiteral("opera")},
        // Firefox keeps "~/.mozilla/firefox" where it already exists; a Firefox that starts without
        // one (and every release from 147 on) uses the XDG configuration folder instead. The snap
        // runs it with its common folder as the home, one for all of the snap's revisions.
        {.bundleIdentifier = QStringLiteral("org.mozilla.firefox"),
            .desktopIds = {QStringLiteral("firefox.desktop"), QStringLiteral("firefox-esr.desktop"),
                QStringLiteral("org.mozilla.firefox.desktop")},
            .configFolder = QStringLiteral("mozilla/firefox"),
            .homeFolder = QStringLiteral(".mozilla/firefox"),
            .snapDesktopId = QStringLiteral("firefox_firefox.desktop"),
            .snapHome = QStringLiteral("snap/firefox/common"),
            .snapConfigHome = QStringLiteral("snap/firefox/common/.config")},
        {.bundleIdentifier = AppInfo::bundleIdentifier(), .desktopIds = {QStringLiteral("tavro.desktop")}},
    };
    return rows;
}

// The installs with a sandbox of their own: what follows the application's identifier and the
// separator in their identifier, and the name that tells them apart in labels.
struct Sandbox
{
    Install install;
    QLatin1StringView suffix;
    QLatin1StringView name;
};
constexpr QChar installSeparator = QLatin1Char('@');
constexpr Sandbox sandboxes[]{
    {Install::snap, QLatin1StringView("snap"), QLatin1StringView("Snap")},
    {Install::flatpak, QLatin1StringView("flatpak"), QLatin1StringView("Flatpak")},
};

const Sandbox* sandboxOf(const QString& identifier)
{
    const qsizetype separator = identifier.lastIndexOf(installSeparator);
    if (separator < 0)
        return nullptr;
    const QStringView suffix = QStringView(identifier).mid(separator + 1);
    for (const Sandbox& sandbox : sandboxes) {
        if (suffix == sandbox.suffix)
            return &sandbox;
    }
    return nullptr;
}

// A value Qt cannot give as a file name is ignored like a relative one: its text names another folder.
QString fromEnvironment(const char* variable, const QString& fallback)
{
    const std::optional<QString> value = HomeFolder::decodedExactly(qgetenv(variable));
    return value && QDir::isAbsolutePath(*value) ? QDir::cleanPath(*value) : fallback;
}

} // namespace

const KnownApplication* knownApplication(const QString& bundleIdentifier)
{
    const QString identifier = applicationIdentifier(bundleIdentifier);
    for (const KnownApplication& application : table()) {
        if (application.bundleIdentifier.compare(identifier, Qt::CaseInsensitive) == 0)
            return &application;
    }
    return nullptr;
}

const KnownApplication* knownApplicationWithDesktopId(const QString& desktopId)
{
    for (const KnownApplication& application : table()) {
        if (application.desktopIds.contains(desktopId) || application.snapDesktopId == desktopId)
            return &application;
    }
    return nullptr;
}

Install installOf(const QString& applicationPath)
{
    const QFileInfo entry(applicationPath);
    if (entry.absolutePath().endsWith(QLatin1String("/flatpak/exports/share/applications")))
        return Install::flatpak;
    const KnownApplication* application = knownApplicationWithDesktopId(entry.fileName());
    return application && application->snapDesktopId == entry.fileName() ? Install::snap : Install::package;
}

QString installIdentifier(const QString& bundleIdentifier, Install install)
{
    for (const Sandbox& sandbox : sandboxes) {
        if (sandbox.install == install)
            return bundleIdentifier + installSeparator + sandbox.suffix;
    }
    return bundleIdentifier;
}

QString applicationIdentifier(const QString& identifier)
{
    return sandboxOf(identifier) ? identifier.left(identifier.lastIndexOf(installSeparator)) : identifier;
}

QString installName(const QString& identifier)
{
    const Sandbox* sandbox = sandboxOf(identifier);
    return sandbox ? QString(sandbox->name) : QString();
}

std::optional<QString> bundleIdentifier(const QString& desktopId)
{
    if (const KnownApplication* application = knownApplicationWithDesktopId(desktopId))
        return application->bundleIdentifier;
    return std::nullopt;
}

QStringList desktopIds(const QString& bundleIdentifier)
{
    const KnownApplication* application = knownApplication(bundleIdentifier);
    if (!application)
        return {};
    QStringList ids = application->desktopIds;
    if (!application->snapDesktopId.isEmpty())
        ids.append(application->snapDesktopId);
    return ids;
}

QString preferredDesktopId(const QString& bundleIdentifier)
{
    const QStringList ids = desktopIds(bundleIdentifier);
    return ids.isEmpty() ? bundleIdentifier + QStringLiteral(".desktop") : ids.first();
}

QString identifierForDesktopId(const QString& desktopId)
{
    if (auto known = bundleIdentifier(desktopId))
        return *known;
    QString identifier = desktopId;
    if (identifier.endsWith(QLatin1String(".desktop")))
        identifier.chop(int(qstrlen(".desktop")));
    return identifier;
}

// Not QStandardPaths::standardLocations(ApplicationsLocation): Qt 6.4 takes a relative
// XDG_DATA_HOME as it stands, does not clean the paths, lists the data home twice and gives no
// system folder when XDG_DATA_DIRS has no absolute entry.
QStringList entryFolders()
{
    QStringList folders{fromEnvironment("XDG_DATA_HOME", HomeFolder::path() + QStringLiteral("/.local/share"))
        + QStringLiteral("/applications")};
    QStringList dataDirs;
    for (const QString& dir : qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            dataDirs.append(QDir::cleanPath(dir));
    }
    if (dataDirs.isEmpty())
        dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    for (const QString& dir : std::as_const(dataDirs)) {
        const QString folder = dir + QStringLiteral("/applications");
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

QString configHome(const QString& home)
{
    return fromEnvironment("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
}

} // namespace tavro::DesktopApplications
