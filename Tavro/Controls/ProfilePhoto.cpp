#include "Tavro/Controls/ProfilePhoto.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QHash>
#include <QPainter>

#include <cmath>

namespace tavro {

namespace {

QHash<QString, std::optional<QImage>>& photoCache()
{
    static QHash<QString, std::optional<QImage>> cache;
    return cache;
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

std::optional<QImage> ProfilePhoto::image(const QString& path)
{
    auto& cache = photoCache();
    if (const auto found = cache.constFind(path); found != cache.constEnd())
        return *found;
    std::optional<QImage> loaded;
    QImage picture(path);
    if (!picture.isNull())
        loaded = picture;
    cache.insert(path, loaded);
    return loaded;
}

void ProfilePhoto::invalidateFailures()
{
    auto& cache = photoCache();
    cache.removeIf([](const auto& entry) { return !entry.value().has_value(); });
}

bool ProfilePhoto::paint(QPainter& painter, const QRectF& rect, const QString& path, Appearance appearance)
{
    const auto picture = image(path);
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
