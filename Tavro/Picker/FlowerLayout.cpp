#include "Tavro/Picker/FlowerLayout.h"

#include "Tavro/Model/HotkeyAssignment.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavro {

namespace {

constexpr double pi = std::numbers::pi;
constexpr int samples = 360;
// Half the chord that two neighbouring petals need between their centres (a 106-point chord)
// gives this radius at an angle of π/count; below 140 the ring would crowd the hub.
constexpr double chordRadiusFactor = 69.22091146005587;
constexpr double minimumRadius = 140;
constexpr double singlePetalRadius = 120;
constexpr double directionEpsilon = 0.0001;
constexpr double fullCircle = 6.282185307179586;
constexpr double petalChord = 106;

} // namespace

FlowerLayout::FlowerLayout(int count) : m_count(count)
{
    double r = count >= 2 ? chordRadiusFactor / std::sin(pi / count) : singlePetalRadius;
    m_radius = std::max(r, minimumRadius);
    m_verticalRadius = verticalRatio * m_radius;
    m_canvasWidth = 2 * (maximumScale * m_radius + petalHalfWidth + canvasMargin);
    m_canvasHeight = 2 * (maximumScale * verticalRatio * m_radius + petalHalfHeight + canvasMargin);
}

int FlowerLayout::maximumCount(const QSizeF& size)
{
    const auto keys = int(HotkeyAssignment::defaultSequence().size());
    // The widest ring whose unbent petals stay inside the frame; the radius grows with the count.
    const double radius = std::min(size.width() / 2 - petalHalfWidth - canvasMargin,
        (size.height() / 2 - petalHalfHeight - canvasMargin) / verticalRatio);
    if (!(radius > chordRadiusFactor))
        return keys;
    const double fitting = std::floor(pi / std::asin(chordRadiusFactor / radius));
    return fitting > keys ? int(std::min(fitting, 1e6)) : keys;
}

QPointF FlowerLayout::pointAt(double theta, double scale) const
{
    return {std::cos(theta) * scale * m_radius, std::sin(theta) * scale * verticalRatio * m_radius};
}

QList<QPointF> FlowerLayout::uniformCircle() const
{
    QList<QPointF> offsets;
    offsets.reserve(m_count);
    for (int i = 0; i < m_count; ++i) {
        const double theta = i * 2 * pi / m_count - pi / 2;
        offsets.append({std::cos(theta) * m_radius, std::sin(theta) * verticalRatio * m_radius});
    }
    return offsets;
}

double FlowerLayout::scaleLimit(double theta, const EdgeRoom& room) const
{
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    double limit = maximumScale;
    if (c > directionEpsilon)
        limit = std::min(limit, (room.right - petalHalfWidth) / (c * m_radius));
    if (c < -directionEpsilon)
        limit = std::min(limit, (room.left - petalHalfWidth) / (-c * m_radius));
    if (s > directionEpsilon)
        limit = std::min(limit, (room.down - petalHalfHeight) / (s * verticalRatio * m_radius));
    if (s < -directionEpsilon)
        limit = std::min(limit, (room.up - petalHalfHeight) / (-s * verticalRatio * m_radius));
    return limit;
}

std::optional<FlowerLayout::Arc> FlowerLayout::usableArc(double scale, const EdgeRoom& room) const
{
    QList<bool> usable(samples);
    bool all = true;
    for (int k = 0; k < samples; ++k) {
        // Written so that a NaN limit counts as unusable.
        usable[k] = scaleLimit(k * 2 * pi / samples, room) >= scale;
        all = all && usable[k];
    }
    if (all)
        return Arc{0, 2 * pi};
    const auto run = longestRun(usable);
    if (!run)
        return std::nullopt;
    return Arc{run->start * 2 * pi / samples, run->length * 2 * pi / samples};
}

std::optional<FlowerLayout::Run> FlowerLayout::longestRun(const QList<bool>& flags)
{
    const auto n = int(flags.size());
    const auto firstFalse = int(flags.indexOf(false));
    if (n == 0 || firstFalse < 0)
        return std::nullopt;
    Run best;
    Run current;
    for (int j = 0; j < n; ++j) {
        const int index = (firstFalse + j) % n;
        if (flags[index]) {
            if (current.length == 0)
                current.start = index;
            ++current.length;
            if (current.length > best.length)
                best = current;
        } else {
            current.length = 0;
        }
    }
    if (best.length == 0)
        return std::nullopt;
    return best;
}

QList<QPointF> FlowerLayout::petalOffsets(const EdgeRoom& room) const
{
    if (m_count <= 0)
        return {};
    if (room.isUnconstrained())
        return uniformCircle();
    if (const auto whole = usableArc(1.0, room); whole && whole->length >= fullCircle)
        return uniformCircle();

    // The step is accumulated, not multiplied, so the scales are exactly the ones tried before.
    for (double s = 1.0; s <= 1.7001; s += 0.02) {
        const auto arc = usableArc(s, room);
        if (!arc)
            continue;
        const double meanRadius = s * (m_radius + verticalRatio * m_radius) / 2;
        const double needed = 2 * std::asin(std::min(petalChord / (2 * meanRadius), 0.999));
        if (arc->length >= m_count * needed) {
            QList<QPointF> offsets;
            offsets.reserve(m_count);
            for (int i = 0; i < m_count; ++i)
                offsets.append(pointAt(arc->start + (i + 0.5) * arc->length / m_count, s));
            return offsets;
        }
    }

    // Nothing fits on one ring: alternate an outer and an inner ring on whatever arc is left.
    const auto arc = usableArc(0.6, room);
    if (!arc)
        return uniformCircle();
    QList<QPointF> offsets;
    offsets.reserve(m_count);
    for (int i = 0; i < m_count; ++i) {
        const double theta = arc->start + (i + 0.5) * arc->length / m_count;
        const double desired = i % 2 == 0 ? 1.55 : 1.0;
        const double scale = std::max(0.6, std::min(desired, scaleLimit(theta, room) - 0.04));
        offsets.append(pointAt(theta, scale));
    }
    return offsets;
}

} // namespace tavro
