#pragma once

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Model/BrowserDestination.h"

#include <QRectF>

class QPainter;

namespace tavro {

// A profile's own glyph: its photo when one loads (and the emoji is not preferred), else its emoji.
class NodeGlyph
{
public:
    NodeGlyph(const BrowserDestination& destination, double size) : m_destination(destination), m_size(size) { }

    // True when the destination has a photo that loads or an emoji (even an empty one).
    static bool isResolvable(const BrowserDestination& destination);

    double size() const { return m_size; }
    void paint(QPainter& painter, const QPointF& centre, Appearance appearance) const;

private:
    struct Resolved
    {
        enum class Kind { photo, emoji, none };
        Kind kind = Kind::none;
        QString payload; // the photo's path or the emoji's text
    };
    static Resolved resolve(const BrowserDestination& destination);

    BrowserDestination m_destination;
    double m_size;
};

} // namespace tavro
