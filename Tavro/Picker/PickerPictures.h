#pragma once

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Picker/FlowerNode.h"

#include <QCache>
#include <QHashFunctions>
#include <QImage>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace tavro {

// What the picker draws alike in many frames, drawn once and then copied: the drop shadows of the
// petals, the hub and the notice, and the petals themselves. A shadow is many wide antialiased
// strokes (`Drawing::paintShadow`), and a petal's text, icon and glyph are drawn anew at every scale
// (the font keeps its glyphs per scale): too slow to draw for every petal in every frame of the
// picker's animations. A look on the move is drawn once, at the largest scale it moves through, and
// every frame copies it smaller; a petal is one picture with its shadow, copied in one go. A look at
// rest, at a scale of whole tenths or within half a pixel of one as its spring settles, has a picture
// at that scale, copied pixel for pixel: as sharp as drawing it, for a fraction of a smaller copy's
// cost. The pictures go with the object, and the oldest of each kind make room once they fill
// `kMaxBytes`.
class PickerPictures
{
public:
    // Draws what `Drawing::paintShadow` draws with the same arguments.
    void paintShadow(QPainter& painter, const QPainterPath& shape, double opacity, double radius, QPointF offset);
    // Draws the card's shadow, as `paintShadow` does, and over it what `node.paintFace` draws.
    void paintPetal(QPainter& painter, const FlowerNode& node, Appearance appearance);

    // How many pictures are kept.
    qsizetype shadowCount() const { return m_shadows.count(); }
    qsizetype petalCount() const { return m_petals.count(); }

    static constexpr qsizetype kMaxBytes = 4 * 1024 * 1024;

private:
    // A shadow's look: the shape moved to the origin, the shadow's strength, spread and offset, and
    // the scale in device pixels its picture is drawn at.
    struct ShadowLook
    {
        QPainterPath shape;
        double opacity = 0;
        double radius = 0;
        QPointF offset;
        double scale = 1;
        // The picture's border around the shape, in pixels.
        int padding() const;
        bool operator==(const ShadowLook&) const = default;
        friend size_t qHash(const ShadowLook& look, size_t seed = 0)
        {
            const QSizeF size = look.shape.boundingRect().size();
            return qHashMulti(seed, size.width(), size.height(), look.shape.elementCount(), look.opacity, look.radius,
                look.offset.x(), look.offset.y(), look.scale);
        }
    };
    static QImage draw(const ShadowLook& look);

    // A petal's look, and the scale in device pixels its picture is drawn at.
    struct PetalLook
    {
        FlowerNode node;
        Appearance appearance = Appearance::light;
        double scale = 1;
        bool operator==(const PetalLook&) const = default;
        friend size_t qHash(const PetalLook& look, size_t seed = 0)
        {
            const FlowerNode& node = look.node;
            return qHashMulti(seed, node.destination.id, node.destination.profileDisplayName,
                node.hotkey.value_or(QString()), node.isSelected, node.isLastUsed, int(node.emojiPosition),
                node.isPrivate, node.isEnabled, int(look.appearance), look.scale);
        }
    };
    QImage draw(const PetalLook& look, const QRectF& bounds);
    void paintCardShadow(QPainter& painter, const FlowerNode& node);

    QCache<ShadowLook, QImage> m_shadows{kMaxBytes};
    QCache<PetalLook, QImage> m_petals{kMaxBytes};
};

} // namespace tavro
