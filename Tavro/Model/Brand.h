#pragma once

#include "Tavro/Model/ColorPair.h"
#include "Tavro/Model/PetalTint.h"

#include <QList>

#include <optional>

// The application's named colours. Most follow the light or dark appearance; `accent` and
// `onFill` are the same in both.
namespace tavro::Brand {

inline constexpr ColorPair frost{0xF4F8FB, 0x111C26};
inline constexpr ColorPair frostNS = frost; // window backgrounds
inline constexpr ColorPair frostDeep{0xE5EEF4, 0x1A2734};
inline constexpr ColorPair navy{0x14344E, 0xE4EDF4};
inline constexpr ColorPair ice{0x5E97C4, 0x7FB2DA};
inline constexpr ColorPair iceSoft{0xCFE2F0, 0x22405A};
inline constexpr ColorPair chain{0xC2D2DE, 0x33475A};
inline constexpr ColorPair chainDark{0x7E94A3, 0x7F95A6};
inline constexpr ColorPair accent = ColorPair::fixed(0xC79A53);
inline constexpr ColorPair accentTint{0xEFEDE7, 0x2E302C};
inline constexpr ColorPair textSecondary{0x556B7B, 0x9AADBB};
inline constexpr ColorPair divider{0xD3E1EB, 0x293A4A};
inline constexpr ColorPair fill{0x14344E, 0x3A73A2};
inline constexpr ColorPair onFill = ColorPair::fixed(0xF4F8FB);
inline constexpr ColorPair switchOn{0x14344E, 0x5E97C4};

// The eight tints, names localised when first used.
const QList<PetalTint>& petalTints();

// The fill of a petal for a destination's stored tint: frost without one, the tint's pair when
// it is a tint's `hex` (all 32 bits compared), else that value's own fixed colour.
ColorPair petalColor(std::optional<quint32> hex);

} // namespace tavro::Brand
