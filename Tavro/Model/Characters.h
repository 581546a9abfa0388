#pragma once

#include <QString>

namespace tavro {

// The first user-perceived character (grapheme cluster) of `text`; empty for empty text.
QString firstCharacter(const QString& text);

} // namespace tavro
