#pragma once

#include "Tavro/Platform/Accessibility.h"

#include <QHash>
#include <QString>

#include <optional>

namespace tavro {

// The Safari window opened for each profile, and the private window opened last, so a later
// link can go to the same window. Process-wide; touched only on the GUI thread.
namespace SafariWindowCache {

// The key of the private window: a NUL character and "private", which no profile name can be.
QString privateWindowKey();

// The cache itself; the Safari roads write entries and replace it wholesale.
QHash<QString, AXElement>& windows();

// The cached window for `key` if it still exists; a closed window's entry is dropped.
std::optional<AXElement> window(const QString& key);

} // namespace SafariWindowCache

} // namespace tavro
