#include "Tavro/Discovery/BrowserDiscoveryService.h"

#include "Tavro/Platform/BrowserDataFolder.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/Workspace.h"

#include <QFileInfo>

#include <algorithm>

namespace tavro::BrowserDiscoveryService {

namespace {

std::optional<QString> executablePath(const QString& url)
{
    if (const std::optional<AppBundle> bundle = Workspace::bundle(url)) {
        const QString path = bundle->executablePath();
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return std::nullopt;
}

// The installs of the row's application with this identifier: the one that answers to the
// application's identifier first (a package, else the first snap or Flatpak), then each snap or
// Flatpak beside it under its own. A sandboxed install that answers to the application's identifier
// keeps its own where destinations were stored under that, as when a package beside it went.
QList<InstalledBrowser> installsOf(
    const BrowserDefinition& row, const QString& bundleIdentifier, const QSet<QString>& storedIdentifiers)
{
    using DesktopApplications::Install;
    QList<InstalledBrowser> installs;
    const auto add = [&](const QString& identifier, const QString& url) {
        if (std::ranges::none_of(installs, [&](const InstalledBrowser& b) { return b.url == url; }))
            installs.append(InstalledBrowser{row, identifier, url, executablePath(url)});
    };
    const Workspace& workspace = Workspace::shared();
    if (const std::optional<QString> url = workspace.urlForApplication(bundleIdentifier)) {
        const QString own
            = DesktopApplications::installIdentifier(bundleIdentifier, DesktopApplications::installOf(*url));
        add(storedIdentifiers.contains(own) ? own : bundleIdentifier, *url);
    }
    for (const Install install : {Install::snap, Install::flatpak}) {
        const QString identifier = DesktopApplications::installIdentifier(bundleIdentifier, install);
        if (const std::optional<QString> url = workspace.urlForApplication(identifier))
            add(identifier, *url);
    }
    return installs;
}

} // namespace

QList<InstalledBrowser> discoverInstalled(const QSet<QString>& storedIdentifiers)
{
    QList<InstalledBrowser> installed;
    for (const BrowserDefinition& row : BrowserDefinition::registry()) {
        for (const QString& bundleIdentifier : row.bundleIdentifiers) {
            const QList<InstalledBrowser> installs = installsOf(row, bundleIdentifier, storedIdentifiers);
            installed += installs;
            if (!installs.isEmpty())
                break;
        }
    }
    return installed;
}

std::optional<QString> dataFolder(const InstalledBrowser& browser, const QString& home)
{
    switch (browser.definition.profileFamily) {
    case ProfileFamily::chromium:
        if (!browser.definition.chromiumSupportSubpath)
            return std::nullopt;
        return BrowserDataFolder::locate(
            browser.url, browser.bundleIdentifier, *browser.definition.chromiumSupportSubpath, home);
    case ProfileFamily::firefox:
        // Every Firefox-family browser on a Mac shares Firefox's folder.
        return BrowserDataFolder::locate(browser.url, browser.bundleIdentifier, QStringLiteral("Firefox"), home);
    case ProfileFamily::safari:
    case ProfileFamily::unsupported:
        break;
    }
    return std::nullopt;
}

} // namespace tavro::BrowserDiscoveryService
