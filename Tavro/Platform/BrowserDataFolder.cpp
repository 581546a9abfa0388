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
        if (auto folder = linuxFolder(bundleIdentifier, home))
            return *folder;
    }
    return home + QStringLiteral("/Library/Application Support/") + supportSubpath;
}

} // namespace tavro::BrowserDataFolder
