#include "Tavro/Picker/PickerPictures.h"

#include "Tavro/Controls/Drawing.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace tavro {

namespace {

constexpr double kScaleSteps = 10;
// Pictures on the move are drawn at this scale of the device's pixels: a petal grows open from 0.55
// and overshoots its selection's 1.1 a little, and is copied smaller from it.
constexpr double kLargestScale = 1.2;
// How far, in device pixels at its far edge, a picture may stand from its look at a whole tenth of a
// scale and still be copied pixel for pixel from its picture at that scale: a spring coming to rest
// moves by less than this for the last half of its frames.
constexpr double kRestDrift = 0.5;

// A copy smaller is made in bands of this many device rows, each a fill of at most three spans a row:
// Qt hands a fill of 96 spans or more to the shared thread pool, and waking its workers costs the
// frame four times the copy itself, where a band is filled on this thread.
constexpr int kBandRows = 24;

double roundedUpScale(double scale)
{
    return std::max(1.0, std::ceil(scale * kScaleSteps - 1e-6)) / kScaleSteps;
}

// The painter's device pixels to a point.
double deviceScale(const QPainter& painter)
{
    return std::sqrt(std::abs(painter.deviceTransform().determinant()));
}

// How a picture of `extent` points is drawn and copied for the painter as it stands: at a whole tenth
// of a scale (of the device's density) that the painter stands at, or all but, it is drawn at that
// scale and copied pixel for pixel, which costs a frame a tenth of copying it smaller; otherwise it
// is drawn at the largest scale it moves through and copied smaller.
struct Placement
{
    double scale = 1;
    bool pixelForPixel = false;
};

Placement placement(const QPainter& painter, QSizeF extent)
{
    const QTransform& transform = painter.deviceTransform();
    const double ratio = painter.device()->devicePixelRatio();
    const double rest = std::round(transform.m11() / ratio * kScaleSteps) / kScaleSteps * ratio;
    const double drift = std::max(
        std::abs(transform.m11() - rest) * extent.width(), std::abs(transform.m22() - rest) * extent.height());
    if (transform.type() <= QTransform::TxScale && rest > 0 && transform.m22() > 0 && drift < kRestDrift)
        return {rest, true};
    return {std::max(roundedUpScale(deviceScale(painter)), ratio * kLargestScale), false};
}

// Draws `picture`, drawn at `placed.scale` with its top left corner at `topLeft`, back at the
// painter's scale: pixel for pixel, its corner moved to the nearest device pixel, or smaller, band by
// band (`kBandRows`).
void copy(QPainter& painter, const QPointF& topLeft, const QImage& picture, const Placement& placed)
{
    painter.save();
    if (placed.pixelForPixel) {
        const QPointF corner = painter.deviceTransform().map(topLeft);
        // The painter maps its points through the device's density after its own transform.
        const double ratio = painter.device()->devicePixelRatio();
        painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QPoint(qRound(corner.x()), qRound(corner.y())), picture);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF target(topLeft, QSizeF(picture.size()) / placed.scale);
        const QRect rows = painter.deviceTransform().mapRect(target).toAlignedRect();
        const QTransform world = painter.worldTransform();
        const double ratio = painter.device()->devicePixelRatio();
        for (int top = rows.top(); top <= rows.bottom(); top += kBandRows) {
            painter.save();
            painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
            painter.setClipRect(QRect(rows.left(), top, rows.width(), kBandRows), Qt::IntersectClip);
            painter.setWorldTransform(world);
            painter.drawImage(target, picture);
            painter.restore();
        }
    }
    painter.restore();
}

// The picture of `look` from `cache`, drawn by `draw` when missing; none when it is too large to keep.
template <typename Look, typename Draw> const QImage* cached(QCache<Look, QImage>& cache, const Look& look, Draw draw)
{
    if (const QImage* picture = cache.object(look))
        return picture;
    auto drawn = std::make_unique<QImage>(draw());
    const qsizetype bytes = drawn->sizeInBytes();
    if (bytes > PickerPictures::kMaxBytes)
        return nullptr;
    const QImage* picture = drawn.get();
    cache.insert(look, drawn.release(), bytes);
    return picture;
}

} // namespace

int PickerPictures::ShadowLook::padding() const
{
    // Half the widest stroke, the offset and the edge's antialiasing, in whole pixels.
    return int(std::ceil((radius / 2 + std::max(std::abs(offset.x()), std::abs(offset.y()))) * scale)) + 2;
}

void PickerPictures::paintShadow(
    QPainter& painter, const QPainterPath& shape, double opacity, double radius, QPointF offset)
{
    if (opacity <= 0 || radius <= 0)
        return;
    const QRectF bounds = shape.boundingRect();
    const double spread = radius + 2 * std::max(std::abs(offset.x()), std::abs(offset.y()));
    const Placement placed = placement(painter, bounds.size() + QSizeF(spread, spread));
    const ShadowLook look{shape.translated(-bounds.topLeft()), opacity, radius, offset, placed.scale};
    if (const QImage* picture = cached(m_shadows, look, [&] { return draw(look); })) {
        const int padding = look.padding();
        copy(painter, bounds.topLeft() - QPointF(padding, padding) / look.scale, *picture, placed);
    } else {
        Drawing::paintShadow(painter, shape, opacity, radius, offset);
    }
}

QImage PickerPictures::draw(const ShadowLook& look)
{
    const int padding = look.padding();
    const QSizeF shape = look.shape.boundingRect().size() * look.scale;
    QImage picture(
        QSize(int(std::ceil(shape.width())), int(std::ceil(shape.height()))) + QSize(1, 1) * (2 * padding + 2),
        QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.translate(QPointF(padding, padding));
    painter.scale(look.scale, look.scale);
    Drawing::paintShadow(painter, look.shape, look.opacity, look.radius, look.offset);
    return picture;
}

void PickerPictures::paintPetal(QPainter& painter, const FlowerNode& node, Appearance appearance)
{
    const QRectF bounds = node.bounds();
    const Placement placed = placement(painter, bounds.size());
    const PetalLook look{node, appearance, placed.scale};
    if (const QImage* picture = cached(m_petals, look, [&] { return draw(look, bounds); })) {
        copy(painter, bounds.topLeft(), *picture, placed);
    } else {
        paintCardShadow(painter, node);
        node.paintFace(painter, appearance);
    }
}

void PickerPictures::paintCardShadow(QPainter& painter, const FlowerNode& node)
{
    paintShadow(painter, node.cardShape(), node.shadowOpacity(), node.shadowRadius(), FlowerNode::shadowOffset);
}

QImage PickerPictures::draw(const PetalLook& look, const QRectF& bounds)
{
    const QSizeF size = bounds.size() * look.scale;
    QImage picture(
        QSize(int(std::ceil(size.width())), int(std::ceil(size.height()))), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(look.scale, look.scale);
    painter.translate(-bounds.topLeft());
    // The shadow comes from its own picture, which the petals of one look share.
    paintCardShadow(painter, look.node);
    look.node.paintFace(painter, look.appearance);
    return picture;
}

} // namespace tavro
