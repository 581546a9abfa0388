#include "Tavro/Platform/Linux/IconTheme.h"

#include "Tavro/Platform/DesktopEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIcon>

#include <climits>

namespace tavro {

namespace {

const QStringList kExtensions{QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("xpm")};

// A folder of a theme's icons at one size, as its index.theme describes it, and where it is found
// under the search paths.
struct Folder
{
    enum class Type { fixed, scalable, threshold };
    QStringList paths;
    int size = 0;
    int scale = 1;
    Type type = Type::threshold;
    int minSize = 0;
    int maxSize = 0;
    int threshold = 2;

    bool matches(int pixels) const
    {
        if (scale != 1)
            return false;
        switch (type) {
        case Type::fixed:
            return size == pixels;
        case Type::scalable:
            return minSize <= pixels && pixels <= maxSize;
        case Type::threshold:
            return size - threshold <= pixels && pixels <= size + threshold;
        }
        return false;
    }

    int distance(int pixels) const
    {
        const auto outside = [&](int low, int high) {
            return pixels < low * scale ? low * scale - pixels : pixels > high * scale ? pixels - high * scale : 0;
        };
        switch (type) {
        case Type::fixed:
            return std::abs(size * scale - pixels);
        case Type::scalable:
            return outside(minSize, maxSize);
        case Type::threshold:
            return outside(size - threshold, size + threshold);
        }
        return INT_MAX;
    }
};

struct Theme
{
    QList<Folder> folders;
    QStringList inherits;
};

QStringList listValue(const QString& value)
{
    QStringList items = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& item : items)
        item = item.trimmed();
    return items;
}

// The theme `name` from the first search path whose folder of that name holds its index, with the
// folders of its icons found under every search path; none when no search path has it.
std::optional<Theme> readTheme(const QString& name, const QStringList& searchPaths)
{
    // An index.theme is written as a desktop entry is.
    std::optional<DesktopEntry> index;
    for (const QString& base : searchPaths) {
        const QString path = base + QLatin1Char('/') + name + QStringLiteral("/index.theme");
        if (QFileInfo::exists(path)) {
            index = DesktopEntry::read(path);
            break;
        }
    }
    const QString header = QStringLiteral("Icon Theme");
    if (!index || !index->value(QStringLiteral("Directories"), {}, header))
        return std::nullopt;
    const auto value = [&index](const QString& group, const QString& key, const QString& otherwise = {}) {
        return index->value(key, {}, group).value_or(otherwise);
    };
    Theme theme;
    theme.inherits = listValue(value(header, QStringLiteral("Inherits")));
    const QStringList folders = listValue(value(header, QStringLiteral("Directories")))
        + listValue(value(header, QStringLiteral("ScaledDirectories")));
    for (const QString& folderName : folders) {
        Folder folder;
        folder.size = value(folderName, QStringLiteral("Size")).toInt();
        folder.scale = value(folderName, QStringLiteral("Scale"), QStringLiteral("1")).toInt();
        const QString type = value(folderName, QStringLiteral("Type"), QStringLiteral("Threshold"));
        folder.type = type == QLatin1String("Fixed") ? Folder::Type::fixed
            : type == QLatin1String("Scalable")      ? Folder::Type::scalable
                                                     : Folder::Type::threshold;
        folder.minSize = value(folderName, QStringLiteral("MinSize"), QString::number(folder.size)).toInt();
        folder.maxSize = value(folderName, QStringLiteral("MaxSize"), QString::number(folder.size)).toInt();
        folder.threshold = value(folderName, QStringLiteral("Threshold"), QStringLiteral("2")).toInt();
        for (const QString& base : searchPaths) {
            const QString path = base + QLatin1Char('/') + name + QLatin1Char('/') + folderName;
            if (QFileInfo(path).isDir())
                folder.paths.append(path);
        }
        if (folder.size > 0 && !folder.paths.isEmpty())
            theme.folders.append(folder);
    }
    return theme;
}

// The theme `name` under `searchPaths`, read once.
const std::optional<Theme>& theme(const QString& name, const QStringList& searchPaths)
{
    static QHash<QString, std::optional<Theme>> read;
    const QString key = name + QLatin1Char('\n') + searchPaths.join(QLatin1Char('\n'));
    auto found = read.find(key);
    if (found == read.end())
        found = read.insert(key, readTheme(name, searchPaths));
    return *found;
}

std::optional<QString> fileIn(const QStringList& folders, const QString& name)
{
    for (const QString& folder : folders) {
        for (const QString& extension : kExtensions) {
            const QString path = folder + QLatin1Char('/') + name + QLatin1Char('.') + extension;
            if (QFileInfo::exists(path))
                return path;
        }
    }
    return std::nullopt;
}

std::optional<QString> lookUp(const Theme& theme, const QString& name, int pixels)
{
    for (const Folder& folder : theme.folders) {
        if (folder.matches(pixels)) {
            if (const auto path = fileIn(folder.paths, name))
                return path;
        }
    }
    std::optional<QString> closest;
    int closestDistance = INT_MAX;
    for (const Folder& folder : theme.folders) {
        if (const int distance = folder.distance(pixels); distance < closestDistance) {
            if (const auto path = fileIn(folder.paths, name)) {
                closest = path;
                closestDistance = distance;
            }
        }
    }
    return closest;
}

// The icon in the theme `themeName` or, depth first, in the themes it inherits; each theme is looked
// in once.
std::optional<QString> findIn(
    const QString& themeName, const QString& name, int pixels, const QStringList& searchPaths, QStringList& looked)
{
    if (looked.contains(themeName))
        return std::nullopt;
    looked.append(themeName);
    const std::optional<Theme>& found = theme(themeName, searchPaths);
    if (!found)
        return std::nullopt;
    if (const auto path = lookUp(*found, name, pixels))
        return path;
    for (const QString& inherited : found->inherits) {
        if (const auto path = findIn(inherited, name, pixels, searchPaths, looked))
            return path;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> IconTheme::file(const QString& name, int pixels)
{
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QStringList looked;
    for (const QString& themeName : {QIcon::themeName(), QStringLiteral("hicolor")}) {
        if (themeName.isEmpty())
            continue;
        if (const auto path = findIn(themeName, name, pixels, searchPaths, looked))
            return path;
    }
    return fileIn(QIcon::fallbackSearchPaths(), name);
}

} // namespace tavro
