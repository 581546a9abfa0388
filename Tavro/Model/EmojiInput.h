#pragma once

#include <QString>

#include <optional>

namespace tavro::EmojiInput {

// The first character of the trimmed input when it is an emoji, else absent; absent in,
// absent out. Text that is not an emoji therefore clears a destination's emoji.
std::optional<QString> normalize(const std::optional<QString>& input);

} // namespace tavro::EmojiInput
