#pragma once

#include <QString>

namespace tavro {

// Why a browser's profile data that exists could not be used in a scan. A browser's files are
// often caught half-written; the scan then counts the browser as unreliable, so that its stored
// destinations stay as they are, rather than as a browser that has no profiles.
enum class ProfileDataError {
    unreadable, // the file exists but its bytes could not be read or copied
    malformed,  // the bytes are not what the browser writes (truncated JSON, not text, not a database)
};

QString description(ProfileDataError error);

} // namespace tavro
