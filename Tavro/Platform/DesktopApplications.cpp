#include "Tavro/Platform/DesktopApplications.h"

#include "Tavro/Platform/AppInfo.h"

#include <QDir>

#include <utility>

namespace tavro::DesktopApplications {

namespace {

// The ids the browsers' Linux packages install: Debian's, the vendors' own, Flathub's (named
// after the application, "org.chromium.Chromium.desktop") and the snaps' ("<snap>_<app>.desktop").
const QList<std::pair<QString, QString>>& table()
{
    static const QList<std::pair<QString, QString>> rows{
        {QStringLiteral("chromium.desktop"), QStringLiteral("org.chromium.Chromium")},
        {QStringLiteral("chromium-browser.desktop"), QStringLiteral("org.chromium.Chromium")},
        {QStringLiteral("org.chromium.Chromium.desktop"), QStringLiteral("org.chromium.Chromium")},
        {QStringLiteral("chromium_chromium.desktop"), QStringLiteral("org.chromium.Chromium")},
        {QStringLiteral("google-chrome.desktop"), QStringLiteral("com.google.Chrome")},
        {QStringLiteral("com.google.Chrome.desktop"), QStringLiteral("com.google.Chrome")},
        {QStringLiteral("google-chrome-beta.desktop"), QStringLiteral("com.google.Chrome.beta")},
        {QStringLiteral("google-chrome-unstable.desktop"), QStringLiteral("com.google.Chrome.dev")},
        {QStringLiteral("brave-browser.desktop"), QStringLiteral("com.brave.Browser")},
        {QStringLiteral("com.brave.Browser.desktop"), QStringLiteral("com.brave.Browser")},
        {QStringLiteral("microsoft-edge.desktop"), QStringLiteral("com.microsoft.edgemac")},
        {QStringLiteral("com.microsoft.Edge.desktop"), QStringLiteral("com.microsoft.edgemac")},
        {QStringLiteral("vivaldi-stable.desktop"), QStringLiteral("com.vivaldi.Vivaldi")},
        {QStringLiteral("com.vivaldi.Vivaldi.desktop"), QStringLiteral("com.vivaldi.Vivaldi")},
        {QStringLiteral("opera.desktop"), QStringLiteral("com.operasoftware.Opera")},
        {QStringLiteral("com.opera.Opera.desktop"), QStringLiteral("com.operasoftware.Opera")},
        {QStringLiteral("firefox.desktop"), QStringLiteral("org.mozilla.firefox")},
        {QStringLiteral("firefox-esr.desktop"), QStringLiteral("org.mozilla.firefox")},
        {QStringLiteral("org.mozilla.firefox.desktop"), QStringLiteral("org.mozilla.firefox")},
        {QStringLiteral("firefox_firefox.desktop"), QStringLiteral("org.mozilla.firefox")},
        {QStringLiteral("tavro.desktop"), AppInfo::bundleIdentifier()},
    };
    return rows;
}

QString fromEnvironment(const char* variable, const QString& fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

} // namespace

std::optional<QString> bundleIdentifier(const QString& desktopId)
{
    for (const auto& [id, identifier] : table()) {
        if (id == desktopId)
            return identifier;
    }
    return std::nullopt;
}

QStringList desktopIds(const QString& bundleIdentifier)
{
    QStringList ids;
    for (const auto& [id, identifier] : table()) {
        if (identifier.compare(bundleIdentifier, Qt::CaseInsensitive) == 0)
            ids.append(id);
    }
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

QStringList entryFolders()
{
    QStringList folders{fromEnvironment("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"))
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
