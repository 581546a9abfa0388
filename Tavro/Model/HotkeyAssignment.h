#pragma once

#include "Tavro/Model/BrowserDestination.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace tavro::HotkeyAssignment {

// "1"-"9" then "a"-"z". "0" is never handed out: it stands for the destination used last.
const QStringList& defaultSequence();

// One key per destination, in the given order: accepted explicit keys first, then the next
// free keys of the sequence. Destinations left without a key have no entry.
QHash<QUuid, QString> resolve(const QList<BrowserDestination>& destinations);

} // namespace tavro::HotkeyAssignment
