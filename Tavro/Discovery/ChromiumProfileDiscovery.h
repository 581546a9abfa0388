#pragma once

#include "Tavro/Discovery/ProfileDataError.h"
#include "Tavro/Model/DiscoveryHints.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <expected>
#include <optional>

namespace tavro {
class FileSystemReading;
}

// The profiles of one Chromium-family browser, from the "Local State" file at the top of its
// user-data folder (BrowserDiscoveryService::dataFolder).
namespace tavro::ChromiumProfileDiscovery {

// The profiles in the browser's own order ("profiles_order"), then the others in plain string
// order of their folder names. No folder, or no "Local State": no profiles. A "Local State"
// that exists but cannot be read, is not a JSON object or has no profile cache of the browser's
// shape (an object of one object per profile): an error.
[[nodiscard]] std::expected<QList<DiscoveredProfile>, ProfileDataError> profiles(
    const std::optional<QString>& userDataDir, const FileSystemReading& fileSystem);

[[nodiscard]] std::expected<QList<DiscoveredProfile>, ProfileDataError> parse(
    const QByteArray& localState, const QString& userDataDir, const FileSystemReading& fileSystem);

} // namespace tavro::ChromiumProfileDiscovery
