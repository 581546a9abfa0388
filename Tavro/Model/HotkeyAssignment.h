#pragma once

#include "Tavro/Model/BrowserDestination.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace tavro::HotkeyAssignment {

// The key of the destination used last, in the picker and among the global hot keys; never a
// destination's own key.
inline constexpr QLatin1StringView mostRecentKey{"0"};

// "1"-"9" then "a"-"z". The most recent key is never handed out.
const QStringList& defaultSequence();

// One key per destination, in the given order: accepted explicit keys first, then the next
// free keys of the sequence. Destinations left without a key have no entry.
QHash<QUuid, QString> resolve(const QList<BrowserDestination>& destinations);

} // namespace tavro::HotkeyAssignment
