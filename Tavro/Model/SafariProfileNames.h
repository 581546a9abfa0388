#pragma once

#include <QString>

namespace tavro::SafariProfileDiscovery {

// True when every scalar is white space, a newline, a format character (Cf) or a control
// character (Cc); the empty name is blank.
bool isBlankName(const QString& name);

} // namespace tavro::SafariProfileDiscovery
