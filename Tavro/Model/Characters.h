#pragma once

#include <QString>
#include <QStringList>

namespace tavro {

// The first user-perceived character (grapheme cluster) of `text`; empty for empty text.
QString firstCharacter(const QString& text);

// `text` split into its user-perceived characters (grapheme clusters), in order.
QStringList characters(const QString& text);

} // namespace tavro
