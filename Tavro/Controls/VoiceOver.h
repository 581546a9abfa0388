#pragma once

#include <QString>

namespace tavro::VoiceOver {

// Asks the screen reader to speak `text` at high priority; nothing when no screen reader runs or
// the text is empty.
void announce(const QString& text);

} // namespace tavro::VoiceOver
