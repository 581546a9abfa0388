#include "Tavro/Controls/ProfilePhoto.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PictureCache.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/ImageFile.h"

#include <QHash>
#include <QPainter>

#include <cmath>

namespace tavro {

namespace {

// The size of each photo looked at, or none for one that fails.
QHash<QString, std::optional<QSize>>& photoSizes()
{
    static QHash<QString, std::optional<QSize>> sizes;
    return sizes;
}

// The photo at `path` decoded to fill `box`, its aspect kept and never larger than the file.
std::optional<QImage> decodedPhoto(const QString& path, QSize whole, QSize box)
{
    const QSize filled = whole.scaled(box, Qt::KeepAspectRatioByExpanding);
    const auto reader = ImageFile::reader(path);
    reader->setScaledSize(filled.width() < whole.width() ? filled : whole);
    const QImage picture = reader->read();
    return picture.isNull() ? std::nullopt : std::optional<QImage>(picture);
}

// The photo at `path` for `place`; a photo that no longer decodes is remembered as a failure.
std::optional<QImage> drawnPhoto(const QString& path, const PicturePlace& place)
{
    const auto whole = ProfilePhoto::image(path);
    if (!whole)
        return std::nullopt;
    const auto picture = PictureCache::picture(
        QStringLiteral("photo:") + path, place, [&](QSize box) { return decodedPhoto(path, *whole, box); });
    if (!picture)
        photoSizes().insert(path, std::nullopt);
    return picture;
}

} // namespace

ProfilePhoto::ProfilePhoto(const QString& path, double size, QWidget* parent)
    : QWidget(parent), m_path(path), m_size(size)
{ }

QSize ProfilePhoto::sizeHint() const
{
    if (!image(m_path))
        return {0, 0};
    const int side = int(std::ceil(m_size));
    return {side, side};
}

std::optional<QSize> ProfilePhoto::image(const QString& path)
{
    auto& sizes = photoSizes();
    if (const auto found = sizes.constFind(path); found != sizes.constEnd())
        return *found;
    const auto reader = ImageFile::reader(path);
    const QSize size = reader->canRead() ? reader->size() : QSize();
    const std::optional<QSize> read = size.isValid() ? std::optional<QSize>(size) : std::nullopt;
    sizes.insert(path, read);
    return read;
}

void ProfilePhoto::invalidateFailures()
{
    photoSizes().removeIf([](const auto& entry) { return !entry.value().has_value(); });
}

bool ProfilePhoto::paint(QPainter& painter, const QRectF& rect, const QString& path, Appearance appearance)
{
    const auto picture = drawnPhoto(path, PicturePlace::drawnBy(painter, rect.size()));
    if (!picture)
        return false;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPainterPath clip = Drawing::circle(rect.center(), rect.width());
    painter.setClipPath(clip, Qt::IntersectClip);
    // Scaled to fill: the shorter side fits and the rest is cut by the circle.
    const QSizeF filled = QSizeF(picture->size()).scaled(rect.size(), Qt::KeepAspectRatioByExpanding);
    painter.drawImage(QRectF(rect.center() - QPointF(filled.width() / 2, filled.height() / 2), filled), *picture);
    painter.restore();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(withOpacity(resolve(Brand::navy, appearance), 0.12), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
    return true;
}

void ProfilePhoto::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, QRectF(0, 0, m_size, m_size), m_path, effectiveAppearance(this));
}

} // namespace tavro
