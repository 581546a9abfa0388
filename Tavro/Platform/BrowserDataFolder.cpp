#include "Tavro/Platform/BrowserDataFolder.h"

#include "Tavro/Platform/DesktopApplications.h"

#include <QFileInfo>
#include <QHash>

namespace tavro::BrowserDataFolder {

namespace {
// The Chromium family follows XDG_CONFIG_HOME.
const QHash<QString, QString>& configFolders()
{
    static const QHash<QString, QString> folders{
        {QStringLiteral("org.chromium.Chromium"), QStringLiteral("chromium")},
        {QStringLiteral("com.google.Chrome"), QStringLiteral("google-chrome")},
        {QStringLiteral("com.google.Chrome.beta"), QStringLiteral("google-chrome-beta")},
        {QStringLiteral("com.google.Chrome.dev"), QStringLiteral("google-chrome-unstable")},
        {QStringLiteral("com.brave.Browser"), QStringLiteral("BraveSoftware/Brave-Browser")},
        {QStringLiteral("com.microsoft.edgemac"), QStringLiteral("microsoft-edge")},
        {QStringLiteral("com.vivaldi.Vivaldi"), QStringLiteral("vivaldi")},
        {QStringLiteral("com.operasoftware.Opera"), QStringLiteral("opera")},
    };
    return folders;
}

// A snap's data lives in the snap's own folder, by the id of the entry the snap exports.
const QHash<QString, QString>& snapFolders()
{
    static const QHash<QString, QString> folders{
        {QStringLiteral("firefox_firefox.desktop"), QStringLiteral("snap/firefox/common/.mozilla/firefox")},
        {QStringLiteral("chromium_chromium.desktop"), QStringLiteral("snap/chromium/common/chromium")},
    };
    return folders;
}

// A Flatpak keeps its home's dot folders and its XDG configuration under "~/.var/app/<app id>";
// its exported entry is named after the app id and lies in a Flatpak installation's exports.
std::optional<QString> flatpakFolder(const QString& entryPath, const QString& bundleIdentifier, const QString& home)
{
    const QFileInfo entry(entryPath);
    if (!entry.absolutePath().endsWith(QLatin1String("/flatpak/exports/share/applications")))
        return std::nullopt;
    const QString sandbox = home + QStringLiteral("/.var/app/") + entry.completeBaseName();
    if (const auto folder = configFolders().constFind(bundleIdentifier); folder != configFolders().constEnd())
        return sandbox + QStringLiteral("/config/") + *folder;
    if (bundleIdentifier == QLatin1String("org.mozilla.firefox"))
        return sandbox + QStringLiteral("/.mozilla/firefox");
    return std::nullopt;
}

// Firefox keeps "~/.mozilla/firefox" where it already exists; a Firefox that starts without one
// (and every release from 147 on) uses the XDG configuration folder instead.
QString firefoxFolder(const QString& home)
{
    const QString legacy = home + QStringLiteral("/.mozilla/firefox");
    if (QFileInfo::exists(legacy))
        return legacy;
    return DesktopApplications::configHome(home) + QStringLiteral("/mozilla/firefox");
}

bool isDesktopEntry(const QString& applicationPath)
{
    return applicationPath.endsWith(QLatin1String(".desktop"));
}
} // namespace

std::optional<QString> linuxFolder(const QString& bundleIdentifier, const QString& home)
{
    if (const auto folder = configFolders().constFind(bundleIdentifier); folder != configFolders().constEnd()) {
        return DesktopApplications::configHome(home) + QLatin1Char('/') + *folder;
    }
    if (bundleIdentifier == QLatin1String("org.mozilla.firefox"))
        return firefoxFolder(home);
    return std::nullopt;
}

QString locate(
    const QString& applicationPath, const QString& bundleIdentifier, const QString& supportSubpath, const QString& home)
{
    if (isDesktopEntry(applicationPath)) {
        if (const auto snap = snapFolders().constFind(QFileInfo(applicationPath).fileName());
            snap != snapFolders().constEnd())
            return home + QLatin1Char('/') + *snap;
        if (auto folder = flatpakFolder(applicationPath, bundleIdentifier, home))
            return *folder;
        if (auto folder = linuxFolder(bundleIdentifier, home))
            return *folder;
    }
    return home + QStringLiteral("/Library/Application Support/") + supportSubpath;
}

} // namespace tavro::BrowserDataFolder
