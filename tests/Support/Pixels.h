#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>

namespace tavro::test {

// Whether some pixel of `image` inside `area` is within `tolerance` of `colour` in each channel:
// text drawn in a colour, smoothed at its edges, holds pixels of about that colour.
inline bool hasColourNear(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 24)
{
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance
                && std::abs(c.blue() - colour.blue()) <= tolerance)
                return true;
        }
    }
    return false;
}

} // namespace tavro::test
