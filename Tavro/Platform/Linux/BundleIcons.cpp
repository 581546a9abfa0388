#include "Tavro/Platform/Workspace.h"

#include "Tavro/Platform/ImageFile.h"
#include "Tavro/Platform/Linux/IconTheme.h"

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

std::optional<QImage> Workspace::icon(const QString& bundlePath, QSize box)
{
    std::optional<QString> file = iconPath(bundlePath);
    if (!file && bundlePath.endsWith(QLatin1String(".desktop"))) {
        const auto entry = bundle(bundlePath);
        if (entry && !entry->iconFile.isEmpty() && !QDir::isAbsolutePath(entry->iconFile))
            file = IconTheme::file(entry->iconFile, std::max(box.width(), box.height()));
    }
    if (!file)
        return std::nullopt;
    const auto reader = ImageFile::reader(*file);
    // Made smaller to the box, never larger, but for a drawing (SVG), which fills it as sharply.
    const QSize size = reader->size();
    const bool drawing = reader->format().startsWith("svg");
    if (size.isValid() && (drawing || size.width() > box.width() || size.height() > box.height()))
        reader->setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    const QImage image = reader->read();
    return image.isNull() ? std::nullopt : std::optional<QImage>(image);
}

} // namespace tavro
