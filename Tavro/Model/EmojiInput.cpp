#include "Tavro/Model/EmojiInput.h"

#include "Tavro/Model/Characters.h"

#include <QList>

#include <unicode/uchar.h>

namespace tavro::EmojiInput {

std::optional<QString> normalize(const std::optional<QString>& input)
{
    if (!input)
        return std::nullopt;
    const QString character = firstCharacter(input->trimmed());
    if (character.isEmpty())
        return std::nullopt;
    const QList<uint> scalars = character.toUcs4();
    const char32_t first = scalars.first();
    // Digits, "#" and "*" carry the emoji property too; alone they are text, while their keycap
    // and variation-selector forms are several scalars and count as emoji.
    if (!u_hasBinaryProperty(UChar32(first), UCHAR_EMOJI))
        return std::nullopt;
    if (first > 0x203B || scalars.size() > 1)
        return character;
    return std::nullopt;
}

} // namespace tavro::EmojiInput
