#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavro::test {

// The bytes of a PNG file of a square of `side` pixels filled with `color`.
inline QByteArray png(const QColor& color, int side = 16)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

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

// WCAG's relative luminance of a colour, 0 to 1.
inline double luminance(const QColor& colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

// The contrast ratio of two colours, 1 to 21, as accessibility guidelines measure it.
inline double contrast(const QColor& a, const QColor& b)
{
    // The list form returns values: the pair of references would outlive the temporaries.
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

} // namespace tavro::test
