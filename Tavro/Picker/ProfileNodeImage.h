#pragma once

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/SettingsEnums.h"

#include <QSizeF>

class QPainter;

namespace tavro {

// A destination's picture: its browser icon combined with its glyph as the emoji position says.
class ProfileNodeImage
{
public:
    ProfileNodeImage(const BrowserDestination& destination, EmojiPosition emojiPosition, double size)
        : m_destination(destination), m_emojiPosition(emojiPosition), m_size(size)
    { }

    // Beside the icon the glyph (0.73 of the icon) comes first with 6 points between them.
    static constexpr double besideScale = 0.73;
    static constexpr double besideSpacing = 6;

    QSizeF size() const;
    void paint(QPainter& painter, const QPointF& centre, Appearance appearance) const;

private:
    void paintCenterpiece(QPainter& painter, const QPointF& glyphCentre, Appearance appearance) const;

    BrowserDestination m_destination;
    EmojiPosition m_emojiPosition;
    double m_size;
};

} // namespace tavro
