#include "Tavro/Picker/NodeGlyph.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/ProfilePhoto.h"
#include "Tavro/Model/Brand.h"

#include <QPainter>

namespace tavro {

NodeGlyph::Resolved NodeGlyph::resolve(const BrowserDestination& destination)
{
    if (destination.profilePhotoPath && !destination.preferEmojiOverPhoto
        && ProfilePhoto::image(*destination.profilePhotoPath))
        return {Resolved::Kind::photo, *destination.profilePhotoPath};
    if (destination.profileEmoji)
        return {Resolved::Kind::emoji, *destination.profileEmoji};
    return {};
}

bool NodeGlyph::isResolvable(const BrowserDestination& destination)
{
    return resolve(destination).kind != Resolved::Kind::none;
}

void NodeGlyph::paint(QPainter& painter, const QPointF& centre, Appearance appearance) const
{
    const QRectF rect(centre - QPointF(m_size / 2, m_size / 2), QSizeF(m_size, m_size));
    const Resolved glyph = resolve(m_destination);
    switch (glyph.kind) {
    case Resolved::Kind::photo:
        ProfilePhoto::paint(painter, rect, glyph.payload, appearance);
        break;
    case Resolved::Kind::emoji:
        painter.save();
        painter.setFont(Drawing::systemFont(0.8 * m_size));
        painter.setPen(tavro::resolve(Brand::navy, appearance));
        // Wide enough that a wide emoji is not cut by the square it is centred in.
        painter.drawText(rect.adjusted(-m_size, 0, m_size, 0), Qt::AlignCenter | Qt::TextSingleLine, glyph.payload);
        painter.restore();
        break;
    case Resolved::Kind::none:
        break;
    }
}

} // namespace tavro
