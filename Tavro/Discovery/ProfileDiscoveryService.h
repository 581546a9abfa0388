#pragma once
// The destination builders of discovery; reopens the namespace whose Safari builders live with
// the model.

#include "Tavro/Discovery/InstalledBrowser.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"

namespace tavro::ProfileDiscoveryService {

// The single destination that opens `browser` in whatever profile is active: labelled with the
// browser's no-profiles label, else the localised "Current Profile"; sort order 0.
BrowserDestination currentProfileDestination(const InstalledBrowser& browser);

// A destination of one found profile of `browser`, launched by `launch`, at `sortOrder`.
BrowserDestination profileDestination(const InstalledBrowser& browser, const QString& profileID,
    const QString& profileName, const LaunchStrategy& launch, qint64 sortOrder,
    const std::optional<QString>& photoPath = std::nullopt);

} // namespace tavro::ProfileDiscoveryService
