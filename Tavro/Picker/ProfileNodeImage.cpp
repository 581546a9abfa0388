#include "Tavro/Picker/ProfileNodeImage.h"

#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/NodeGlyph.h"

#include <QPainter>

namespace tavro {

namespace {

QRectF square(const QPointF& centre, double side)
{
    return {centre - QPointF(side / 2, side / 2), QSizeF(side, side)};
}

} // namespace

QSizeF ProfileNodeImage::size() const
{
    if (m_emojiPosition == EmojiPosition::besideIcon && NodeGlyph::isResolvable(m_destination))
        return {besideScale * m_size + besideSpacing + m_size, m_size};
    return {m_size, m_size};
}

void ProfileNodeImage::paint(QPainter& painter, const QPointF& centre, Appearance appearance) const
{
    const bool glyph = NodeGlyph::isResolvable(m_destination);
    if (glyph && m_emojiPosition == EmojiPosition::center) {
        NodeGlyph(m_destination, m_size).paint(painter, centre, appearance);
        paintCenterpiece(painter, centre, appearance);
        return;
    }
    if (glyph && m_emojiPosition == EmojiPosition::besideIcon) {
        const double glyphSide = besideScale * m_size;
        const double left = centre.x() - size().width() / 2;
        NodeGlyph(m_destination, glyphSide).paint(painter, {left + glyphSide / 2, centre.y()}, appearance);
        const QPointF iconCentre(left + glyphSide + besideSpacing + m_size / 2, centre.y());
        BrowserIcon::paint(painter, square(iconCentre, m_size), m_destination.browserBundleIdentifier, appearance);
        return;
    }
    // Bottom corners: the petal lays the glyph over its own corner.
    BrowserIcon::paint(painter, square(centre, m_size), m_destination.browserBundleIdentifier, appearance);
}

void ProfileNodeImage::paintCenterpiece(QPainter& painter, const QPointF& glyphCentre, Appearance appearance) const
{
    // A small browser icon on a frost disc, overhanging the glyph's bottom trailing corner by 4.
    const double icon = 0.5 * m_size;
    const double disc = icon + 4;
    const QPointF corner = glyphCentre + QPointF(m_size / 2, m_size / 2) + QPointF(4, 4);
    const QPointF centre = corner - QPointF(disc / 2, disc / 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(withOpacity(resolve(Brand::navy, appearance), 0.12), 1));
    painter.setBrush(resolve(Brand::frost, appearance));
    painter.drawEllipse(square(centre, disc).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
    BrowserIcon::paint(painter, square(centre, icon), m_destination.browserBundleIdentifier, appearance);
}

} // namespace tavro
