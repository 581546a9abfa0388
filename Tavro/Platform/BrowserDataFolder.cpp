#include "Tavro/Platform/BrowserDataFolder.h"

#include "Tavro/Platform/DesktopApplications.h"

#include <QFileInfo>

namespace tavro::BrowserDataFolder {

namespace {
using DesktopApplications::Install;
using DesktopApplications::KnownApplication;

// The two folders a browser's program chooses its data folder from: its home and its
// $XDG_CONFIG_HOME, which a snap or a Flatpak moves into its sandbox.
struct ProgramHomes
{
    QString home;
    QString configHome;
};

ProgramHomes packageHomes(const QString& home)
{
    return {home, DesktopApplications::configHome(home)};
}

bool keepsData(const KnownApplication* browser)
{
    return browser && !(browser->configFolder.isEmpty() && browser->homeFolder.isEmpty());
}

// A Flatpak runs its program with its home's dot folders and its XDG configuration under
// "~/.var/app/<app id>", the id its exported entry is named after; a snap in the folders the table
// names for it.
ProgramHomes programHomes(const QString& entryPath, const KnownApplication& browser, const QString& home)
{
    switch (DesktopApplications::installOf(entryPath)) {
    case Install::package:
        break;
    case Install::snap:
        return {home + QLatin1Char('/') + browser.snapHome, home + QLatin1Char('/') + browser.snapConfigHome};
    case Install::flatpak: {
        const QString sandbox = home + QStringLiteral("/.var/app/") + QFileInfo(entryPath).completeBaseName();
        return {sandbox, sandbox + QStringLiteral("/config")};
    }
    }
    return packageHomes(home);
}

// The folder of the home that the browser keeps using where it exists, else its XDG folder.
QString dataFolder(const KnownApplication& browser, const ProgramHomes& homes)
{
    if (!browser.homeFolder.isEmpty()) {
        const QString kept = homes.home + QLatin1Char('/') + browser.homeFolder;
        if (QFileInfo::exists(kept))
            return kept;
    }
    return homes.configHome + QLatin1Char('/') + browser.configFolder;
}

bool isDesktopEntry(const QString& applicationPath)
{
    return applicationPath.endsWith(QLatin1String(".desktop"));
}
} // namespace

std::optional<QString> linuxFolder(const QString& bundleIdentifier, const QString& home)
{
    const KnownApplication* browser = DesktopApplications::knownApplication(bundleIdentifier);
    if (!keepsData(browser))
        return std::nullopt;
    return dataFolder(*browser, packageHomes(home));
}

QString locate(
    const QString& applicationPath, const QString& bundleIdentifier, const QString& supportSubpath, const QString& home)
{
    const KnownApplication* browser = DesktopApplications::knownApplication(bundleIdentifier);
    if (isDesktopEntry(applicationPath) && keepsData(browser))
        return dataFolder(*browser, programHomes(applicationPath, *browser, home));
    return home + QStringLiteral("/Library/Application Support/") + supportSubpath;
}

} // namespace tavro::BrowserDataFolder
