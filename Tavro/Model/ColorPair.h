#pragma once

#include <QColor>
#include <QtGlobal>

namespace tavro {

// A colour as one 0xRRGGBB value for the light appearance and one for the dark. A fixed colour
// holds the same value twice. Bits 24-31 are ignored when the colour is built.
struct ColorPair
{
    quint32 light = 0;
    quint32 dark = 0;

    static constexpr ColorPair fixed(quint32 value) { return {value, value}; }

    // The value for the appearance: dark only when it is known to be dark.
    constexpr quint32 value(bool isDark) const { return isDark ? dark : light; }
    QColor color(bool isDark) const { return rgb(value(isDark)); }

    // An opaque sRGB colour from 0xRRGGBB.
    static QColor rgb(quint32 value) { return QColor::fromRgb(QRgb(0xFF000000u | (value & 0xFFFFFFu))); }

    bool operator==(const ColorPair&) const = default;
};

} // namespace tavro
