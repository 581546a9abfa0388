#pragma once

#include <limits>

namespace tavro {

// Room from the pointer to each edge of the usable area of the screen under it, in points.
// A side of +infinity sets no limit; all four infinite means the picker is unconstrained.
struct EdgeRoom
{
    static constexpr double unlimited = std::numeric_limits<double>::infinity();

    double left = unlimited;
    double right = unlimited;
    double up = unlimited;
    double down = unlimited;

    static constexpr EdgeRoom unconstrained() { return {}; }
    constexpr bool isUnconstrained() const
    {
        return left == unlimited && right == unlimited && up == unlimited && down == unlimited;
    }

    friend constexpr bool operator==(const EdgeRoom&, const EdgeRoom&) = default;
};

} // namespace tavro
