#pragma once

#include "Tavro/Model/ColorPair.h"

// Fixed colours of the picker in private-window mode, the same in both appearances.
namespace tavro::PrivateTheme {

inline constexpr ColorPair surface = ColorPair::fixed(0x33265A);
inline constexpr ColorPair surfaceRaised = ColorPair::fixed(0x40306E);
inline constexpr ColorPair ink = ColorPair::fixed(0xF1ECFA);
inline constexpr ColorPair inkSecondary = ColorPair::fixed(0xBDB1DC);
inline constexpr ColorPair accent = ColorPair::fixed(0x9B7BEA);
inline constexpr ColorPair accentNS = ColorPair::fixed(0x8A68E0); // status-menu badge; not `accent`
inline constexpr ColorPair accentBright = ColorPair::fixed(0xCDB9FA);
inline constexpr ColorPair stem = ColorPair::fixed(0x6B5A9A);
inline constexpr ColorPair divider = ColorPair::fixed(0x56458A);

} // namespace tavro::PrivateTheme
