#pragma once

#include <QCache>
#include <QHashFunctions>
#include <QImage>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace tavro {

// Drop shadows drawn once and then copied. A shadow is many wide antialiased strokes
// (`Drawing::paintShadow`), too slow to draw for every petal in every frame of the picker's
// animations, so each look is kept as a picture at the scale it is drawn. The pictures go with the
// cache, and the oldest make room once they fill `kMaxBytes`.
class ShadowCache
{
public:
    // Draws what `Drawing::paintShadow` draws with the same arguments.
    void paint(QPainter& painter, const QPainterPath& shape, double opacity, double radius, QPointF offset);

    // How many pictures are kept.
    qsizetype count() const { return m_pictures.count(); }

    static constexpr qsizetype kMaxBytes = 4 * 1024 * 1024;

private:
    // A look: the shape moved to the origin, the shadow's strength, spread and offset, the scale in
    // device pixels its picture is drawn at and where the shape falls between two device pixels.
    struct Look
    {
        QPainterPath shape;
        double opacity = 0;
        double radius = 0;
        QPointF offset;
        double scale = 1;
        QPointF phase;
        // The picture's border around the shape, in pixels.
        int padding() const;
        bool operator==(const Look&) const = default;
        friend size_t qHash(const Look& look, size_t seed = 0)
        {
            const QSizeF size = look.shape.boundingRect().size();
            return qHashMulti(seed, size.width(), size.height(), look.shape.elementCount(), look.opacity, look.radius,
                look.offset.x(), look.offset.y(), look.scale, look.phase.x(), look.phase.y());
        }
    };
    static QImage draw(const Look& look);

    QCache<Look, QImage> m_pictures{kMaxBytes};
};

} // namespace tavro
