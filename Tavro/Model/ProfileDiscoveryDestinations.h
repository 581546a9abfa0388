#pragma once

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/DiscoveryHints.h"

#include <optional>

namespace tavro::ProfileDiscoveryService {

// A destination as discovery first builds it: a new id, visible, available, no decoration.
BrowserDestination makeDestination();

// The localised profile name of a destination that opens a browser's current profile.
QString currentProfileName();

// Safari's destination for one profile, or for its current profile when `profile` is absent.
// A profile's photo is never carried over.
BrowserDestination makeSafariDestination(const std::optional<DiscoveredProfile>& profile, qint64 sortOrder);

} // namespace tavro::ProfileDiscoveryService
