#include "Tavro/Platform/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace tavro {

std::optional<QString> Workspace::iconPath(const QString& bundlePath)
{
    const auto info = bundle(bundlePath);
    if (!info || info->iconFile.isEmpty())
        return std::nullopt;
    if (info->isDesktopEntry()) {
        if (QDir::isAbsolutePath(info->iconFile) && QFileInfo::exists(info->iconFile))
            return info->iconFile;
        return std::nullopt;
    }
    QString file = info->iconFile;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".icns");
    const QString path = info->bundlePath + QStringLiteral("/Contents/Resources/") + file;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return path;
}

QIcon Workspace::icon(const QString& bundlePath)
{
    if (bundlePath.endsWith(QLatin1String(".desktop")) && !iconPath(bundlePath)) {
        const auto entry = bundle(bundlePath);
        if (!entry || entry->iconFile.isEmpty())
            return {};
        // Without a desktop's theme (Xvfb, a bare window manager) the standard's fallback theme holds
        // the icons the browsers install.
        if (QIcon::themeName().isEmpty())
            QIcon::setThemeName(QStringLiteral("hicolor"));
        return QIcon::fromTheme(entry->iconFile);
    }
    const auto path = iconPath(bundlePath);
    if (!path)
        return {};
    QIcon icon(*path);
    return icon.availableSizes().isEmpty() && icon.pixmap(32).isNull() ? QIcon() : icon;
}

} // namespace tavro
