#include "Tavro/Controls/PictureCache.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

struct Kept
{
    QSize box;
    QImage image;
};

using Pictures = QHash<QString, Kept>;

struct Store
{
    Pictures process;
    QHash<const QObject*, Pictures> windows;
    // Ends the watch on the windows' ends with the store.
    QObject watcher;
};

Store& store()
{
    static Store kept;
    return kept;
}

// The pictures of `window`, dropped when it is destroyed.
Pictures& windowPictures(const QObject* window)
{
    Store& kept = store();
    if (!kept.windows.contains(window))
        QObject::connect(window, &QObject::destroyed, &kept.watcher, [window] { store().windows.remove(window); });
    return kept.windows[window];
}

int roundedUp(int pixels)
{
    const int steps = (std::max(pixels, 1) + PictureCache::kStep - 1) / PictureCache::kStep;
    return std::min(steps * PictureCache::kStep, PictureCache::kMaxSide);
}

QSize roundedUp(QSize pixels)
{
    return {roundedUp(pixels.width()), roundedUp(pixels.height())};
}

bool covers(const Kept& kept, QSize pixels)
{
    const QSize box = roundedUp(pixels);
    return kept.box.width() >= box.width() && kept.box.height() >= box.height();
}

QSize ceiled(QSizeF size)
{
    return {int(std::ceil(size.width() - 1e-6)), int(std::ceil(size.height() - 1e-6))};
}

} // namespace

PicturePlace PicturePlace::drawnBy(const QPainter& painter, QSizeF size)
{
    const double scale = std::sqrt(std::abs(painter.deviceTransform().determinant()));
    const QPaintDevice* device = painter.device();
    const QObject* window = nullptr;
    if (device && device->devType() == QInternal::Widget)
        window = static_cast<const QWidget*>(device)->window();
    return {ceiled(size * scale), window};
}

PicturePlace PicturePlace::forProcess(QSizeF size)
{
    return {ceiled(size * qGuiApp->devicePixelRatio())};
}

std::optional<QImage> PictureCache::picture(const QString& key, const PicturePlace& place, const Decode& decode)
{
    Store& kept = store();
    if (const auto shared = kept.process.constFind(key);
        shared != kept.process.constEnd() && covers(*shared, place.pixels))
        return shared->image;
    Pictures& pictures = place.window ? windowPictures(place.window) : kept.process;
    const auto found = pictures.constFind(key);
    if (found != pictures.constEnd() && covers(*found, place.pixels))
        return found->image;
    const QSize box = roundedUp(found == pictures.constEnd() ? place.pixels : found->box.expandedTo(place.pixels));
    std::optional<QImage> decoded = decode(box);
    if (!decoded)
        return found == pictures.constEnd() ? std::nullopt : std::optional<QImage>(found->image);
    pictures.insert(key, {box, *decoded});
    return decoded;
}

qsizetype PictureCache::keptBytes()
{
    const Store& kept = store();
    qsizetype bytes = 0;
    const auto add = [&bytes](const Pictures& pictures) {
        for (const Kept& picture : pictures)
            bytes += picture.image.sizeInBytes();
    };
    add(kept.process);
    for (const Pictures& pictures : kept.windows)
        add(pictures);
    return bytes;
}

} // namespace tavro
