#pragma once
// Reads and orders version strings such as "1.9.1": one to four dot-separated decimal numbers.

#include <QList>
#include <QString>

#include <compare>
#include <optional>

namespace tavro::AppVersion {

// The running version, as the build sets it; "0" when it is missing.
QString current();

// The numbers of `version`, or nothing when any piece is empty, not plain ASCII digits, or too
// large for a signed 64-bit integer, or when there are more than four pieces.
std::optional<QList<qint64>> components(const QString& version);

// Missing trailing numbers count as 0, so "1.9" equals "1.9.0". An unreadable side makes the two
// equal: a version nobody can read never asks for an update.
std::strong_ordering compare(const QString& lhs, const QString& rhs);

} // namespace tavro::AppVersion
