#include "Tavro/Picker/PickerPictures.h"

#include "Tavro/Controls/Drawing.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace tavro {

namespace {

// Faces at rest are drawn directly, at the painter's scale, which stands at whole tenths there.
constexpr double kScaleSteps = 10;
// Pictures are drawn at this scale of the device's pixels: a petal grows open from 0.55 and
// overshoots its selection's 1.1 a little, and is copied smaller from it.
constexpr double kLargestScale = 1.2;

double roundedUpScale(double scale)
{
    return std::max(1.0, std::ceil(scale * kScaleSteps - 1e-6)) / kScaleSteps;
}

// The painter's device pixels to a point.
double deviceScale(const QPainter& painter)
{
    return std::sqrt(std::abs(painter.deviceTransform().determinant()));
}

bool atRest(const QPainter& painter)
{
    const double scale = deviceScale(painter);
    return std::abs(scale - roundedUpScale(scale)) < 1e-6 && painter.deviceTransform().type() <= QTransform::TxScale;
}

// The scale of the picture that the painter copies, smaller, in every frame.
double pictureScale(const QPainter& painter)
{
    return std::max(roundedUpScale(deviceScale(painter)), painter.device()->devicePixelRatio() * kLargestScale);
}

// Draws `picture`, drawn at `scale` with its top left corner at `topLeft`, back at the painter's scale.
void drawScaled(QPainter& painter, const QPointF& topLeft, const QImage& picture, double scale)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(topLeft, QSizeF(picture.size()) / scale), picture);
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
    const ShadowLook look{shape.translated(-bounds.topLeft()), opacity, radius, offset, pictureScale(painter)};
    if (const QImage* picture = cached(m_shadows, look, [&] { return draw(look); })) {
        const int padding = look.padding();
        drawScaled(painter, bounds.topLeft() - QPointF(padding, padding) / look.scale, *picture, look.scale);
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
    const auto drawDirectly = [&] {
        paintCardShadow(painter, node);
        node.paintFace(painter, appearance);
    };
    if (atRest(painter)) {
        drawDirectly();
        return;
    }
    const PetalLook look{node, appearance, pictureScale(painter)};
    const QRectF bounds = node.bounds();
    if (const QImage* picture = cached(m_petals, look, [&] { return draw(look, bounds); }))
        drawScaled(painter, bounds.topLeft(), *picture, look.scale);
    else
        drawDirectly();
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
