#include "Tavro/Picker/ShadowCache.h"

#include "Tavro/Controls/Drawing.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace tavro {

namespace {

// Pictures are drawn at the painter's scale rounded up to a tenth: the frames of a petal growing
// open share a few pictures, each shrunk by less than a tenth where it is drawn.
constexpr double kScaleSteps = 10;
// Where a shape falls between two device pixels, in quarters of a pixel: a picture drawn with its
// shape at the same place is copied pixel for pixel, off by an eighth of a pixel at most.
constexpr double kPhaseSteps = 4;

double roundedUpScale(double scale)
{
    return std::max(1.0, std::ceil(scale * kScaleSteps - 1e-6)) / kScaleSteps;
}

double phase(double device)
{
    return std::round((device - std::floor(device)) * kPhaseSteps) / kPhaseSteps;
}

} // namespace

int ShadowCache::Look::padding() const
{
    // Half the widest stroke, the offset and the edge's antialiasing, in whole pixels.
    return int(std::ceil((radius / 2 + std::max(std::abs(offset.x()), std::abs(offset.y()))) * scale)) + 2;
}

void ShadowCache::paint(QPainter& painter, const QPainterPath& shape, double opacity, double radius, QPointF offset)
{
    if (opacity <= 0 || radius <= 0)
        return;
    const QTransform device = painter.deviceTransform();
    const double scale = std::sqrt(std::abs(device.determinant()));
    const QRectF bounds = shape.boundingRect();
    const QPointF corner = device.map(bounds.topLeft());
    const Look look{shape.translated(-bounds.topLeft()), opacity, radius, offset, roundedUpScale(scale),
        QPointF(phase(corner.x()), phase(corner.y()))};
    const QImage* picture = m_pictures.object(look);
    if (!picture) {
        auto drawn = std::make_unique<QImage>(draw(look));
        const qsizetype bytes = drawn->sizeInBytes();
        if (bytes > kMaxBytes) {
            Drawing::paintShadow(painter, shape, opacity, radius, offset);
            return;
        }
        picture = drawn.get();
        m_pictures.insert(look, drawn.release(), bytes);
    }
    painter.save();
    const int padding = look.padding();
    if (std::abs(scale - look.scale) < 1e-6 && device.type() <= QTransform::TxScale) {
        // At the picture's own scale: copied to whole device pixels, unresampled.
        const double ratio = painter.device()->devicePixelRatio();
        painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        painter.drawImage(QPointF(std::floor(corner.x()) - padding, std::floor(corner.y()) - padding), *picture);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF topLeft = bounds.topLeft() - (QPointF(padding, padding) + look.phase) / look.scale;
        painter.drawImage(QRectF(topLeft, QSizeF(picture->size()) / look.scale), *picture);
    }
    painter.restore();
}

QImage ShadowCache::draw(const Look& look)
{
    const int padding = look.padding();
    const QSizeF shape = look.shape.boundingRect().size() * look.scale;
    QImage picture(
        QSize(int(std::ceil(shape.width())), int(std::ceil(shape.height()))) + QSize(1, 1) * (2 * padding + 2),
        QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.translate(QPointF(padding, padding) + look.phase);
    painter.scale(look.scale, look.scale);
    Drawing::paintShadow(painter, look.shape, look.opacity, look.radius, look.offset);
    return picture;
}

} // namespace tavro
