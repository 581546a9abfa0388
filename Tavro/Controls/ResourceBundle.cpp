#include "Tavro/Controls/ResourceBundle.h"

#include "Tavro/Platform/ImageFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

namespace tavro {

QStringList ResourceBundle::searchDirectories()
{
    // Executables here are flat: the application's directory is its bundle, and a "Resources"
    // sibling stands for the bundle's resource directory when there is one. The code is linked
    // into the executable, so the code's bundle is the same one and adds the same two places.
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList directories;
    for (int pass = 0; pass < 2; ++pass) {
        const QString resources = QDir(appDir).absoluteFilePath(QStringLiteral("../Resources"));
        if (QFileInfo(resources).isDir())
            directories.append(QDir::cleanPath(resources));
        directories.append(appDir);
    }
    return directories;
}

std::optional<QDir> ResourceBundle::findBundle(const QStringList& directories)
{
    for (const QString& directory : directories) {
        const QString candidate = QDir(directory).filePath(QString::fromLatin1(bundleName));
        if (QFileInfo(candidate).isDir())
            return QDir(candidate);
    }
    return std::nullopt;
}

std::optional<QDir> ResourceBundle::tavroResources()
{
    static const std::optional<QDir> bundle = findBundle(searchDirectories());
    return bundle;
}

std::optional<QString> ResourceBundle::path(const QString& name, const QString& ext)
{
    const auto bundle = tavroResources();
    if (!bundle)
        return std::nullopt;
    const QString file = bundle->filePath(ext.isEmpty() ? name : name + QLatin1Char('.') + ext);
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    return file;
}

std::optional<QImage> ResourceBundle::image(const QString& name, const QString& ext)
{
    // An invalid size reads the picture at its own.
    return image(name, ext, QSize());
}

std::optional<QSize> ResourceBundle::imageSize(const QString& name, const QString& ext)
{
    const auto file = path(name, ext);
    if (!file)
        return std::nullopt;
    const QSize size = ImageFile::reader(*file)->size();
    return size.isValid() ? std::optional<QSize>(size) : std::nullopt;
}

std::optional<QImage> ResourceBundle::image(const QString& name, const QString& ext, QSize size)
{
    const auto file = path(name, ext);
    if (!file)
        return std::nullopt;
    const auto reader = ImageFile::reader(*file);
    reader->setScaledSize(size);
    QImage loaded = reader->read();
    if (loaded.isNull())
        return std::nullopt;
    return loaded;
}

std::optional<QImage> ResourceBundle::tavroImage(const QString& name, const QString& ext)
{
    static QHash<QString, std::optional<QImage>> cache;
    const QString key = name + QLatin1Char('.') + ext;
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    const std::optional<QImage> loaded = image(name, ext);
    cache.insert(key, loaded);
    return loaded;
}

std::optional<QImage> ResourceBundle::drawnImage(const QString& name, const QString& ext, const PicturePlace& place)
{
    static QHash<QString, std::optional<QSize>> sizes;
    const QString key = name + QLatin1Char('.') + ext;
    auto size = sizes.constFind(key);
    if (size == sizes.constEnd())
        size = sizes.insert(key, imageSize(name, ext));
    if (!*size)
        return std::nullopt;
    const QSize whole = **size;
    return PictureCache::picture(QStringLiteral("bundle:") + key, place, [&](QSize box) {
        const QSize fitted = whole.scaled(box, Qt::KeepAspectRatio);
        return image(name, ext, fitted.width() < whole.width() ? fitted : whole);
    });
}

} // namespace tavro
