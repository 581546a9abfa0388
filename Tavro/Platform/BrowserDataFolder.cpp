#include "Tavro/Platform/BrowserDataFolder.h"

#include "Tavro/Platform/DesktopApplications.h"

#include <QFileInfo>

namespace tavro::BrowserDataFolder {

namespace {
using DesktopApplications::KnownApplication;

bool keepsData(const KnownApplication* browser)
{
    return browser && !(browser->configFolder.isEmpty() && browser->homeFolder.isEmpty());
}

// A Flatpak keeps its home's dot folders and its XDG configuration under "~/.var/app/<app id>";
// its exported entry is named after the app id and lies in a Flatpak installation's exports.
std::optional<QString> flatpakFolder(const QString& entryPath, const QString& bundleIdentifier, const QString& home)
{
    const QFileInfo entry(entryPath);
    const KnownApplication* browser = DesktopApplications::knownApplication(bundleIdentifier);
    if (!entry.absolutePath().endsWith(QLatin1String("/flatpak/exports/share/applications")) || !keepsData(browser))
        return std::nullopt;
    const QString sandbox = home + QStringLiteral("/.var/app/") + entry.completeBaseName();
    if (!browser->homeFolder.isEmpty())
        return sandbox + QLatin1Char('/') + browser->homeFolder;
    return sandbox + QStringLiteral("/config/") + browser->configFolder;
}

// A snap's data lives in the snap's own folder, found by the id of the entry the snap exports.
std::optional<QString> snapFolder(const QString& entryPath, const QString& home)
{
    const QString id = QFileInfo(entryPath).fileName();
    const KnownApplication* browser = DesktopApplications::knownApplicationWithDesktopId(id);
    if (!browser || browser->snapDesktopId != id)
        return std::nullopt;
    return home + QLatin1Char('/') + browser->snapFolder;
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
    if (!browser->homeFolder.isEmpty()) {
        const QString kept = home + QLatin1Char('/') + browser->homeFolder;
        if (QFileInfo::exists(kept))
            return kept;
    }
    return DesktopApplications::configHome(home) + QLatin1Char('/') + browser->configFolder;
}

QString locate(
    const QString& applicationPath, const QString& bundleIdentifier, const QString& supportSubpath, const QString& home)
{
    if (isDesktopEntry(applicationPath)) {
        if (auto folder = snapFolder(applicationPath, home))
            return *folder;
        if (auto folder = flatpakFolder(applicationPath, bundleIdentifier, home))
            return *folder;
        if (auto folder = linuxFolder(bundleIdentifier, home))
            return *folder;
    }
    return home + QStringLiteral("/Library/Application Support/") + supportSubpath;
}

} // namespace tavro::BrowserDataFolder
