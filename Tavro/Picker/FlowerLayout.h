#pragma once

#include "Tavro/Picker/EdgeRoom.h"

#include <QList>
#include <QPointF>
#include <QSizeF>

#include <optional>

namespace tavro {

// Where the petals sit around the hub: on an ellipse, slot 0 at the top, clockwise, bending away
// from screen edges. Offsets are in points from the hub centre with y growing downwards.
class FlowerLayout
{
public:
    explicit FlowerLayout(int count);

    int count() const { return m_count; }
    double radius() const { return m_radius; }
    double verticalRadius() const { return m_verticalRadius; }
    double canvasWidth() const { return m_canvasWidth; }
    double canvasHeight() const { return m_canvasHeight; }

    QList<QPointF> petalOffsets(const EdgeRoom& room) const;

    // The most petals one picker shows on a screen whose visible frame has `size`: as many as one
    // ring holds inside it, and never fewer than the picker has keys for. However many destinations
    // a record holds, the picker costs no more than the screen can show.
    static int maximumCount(const QSizeF& size);

    struct Run
    {
        int start = 0;
        int length = 0;
        friend bool operator==(const Run&, const Run&) = default;
    };
    // The longest run of true flags in a circular list; a run that wraps past the end counts whole.
    static std::optional<Run> longestRun(const QList<bool>& flags);

    // A petal's half extent and the margin around the largest ring; the petal card must agree.
    static constexpr double petalHalfWidth = 48;
    static constexpr double petalHalfHeight = 38;
    static constexpr double canvasMargin = 16;
    static constexpr double verticalRatio = 0.82;
    static constexpr double maximumScale = 1.7;

private:
    struct Arc
    {
        double start = 0;
        double length = 0;
    };

    QList<QPointF> uniformCircle() const;
    std::optional<Arc> usableArc(double scale, const EdgeRoom& room) const;
    double scaleLimit(double theta, const EdgeRoom& room) const;
    QPointF pointAt(double theta, double scale) const;

    int m_count;
    double m_radius;
    double m_verticalRadius;
    double m_canvasWidth;
    double m_canvasHeight;
};

} // namespace tavro
