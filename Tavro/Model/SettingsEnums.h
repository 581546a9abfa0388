#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace tavro {

// The modifier key that skips the picker, or asks for a private window.
enum class BypassModifier { option, command, shift, control };
// The modifier combination of the global hot keys.
enum class HotkeyPrefix { hyper, controlOptionCommand, controlOptionShift, optionCommand };
// Stored and compared, read by nothing else: routing decisions use the bypass fields.
enum class RoutingMode { alwaysAsk, openLastUsed, openBypass };
// Where a profile's emoji or photo sits on its petal.
enum class EmojiPosition { center, besideIcon, bottomLeft, bottomRight };
// The application's light or dark look.
enum class AppAppearance { system, light, dark };

// Each enumeration's cases in declaration order with their raw values (the case names).
template <typename E> struct EnumCases;

template <> struct EnumCases<BypassModifier>
{
    static constexpr std::array<std::pair<BypassModifier, std::string_view>, 4> cases{{
        {BypassModifier::option, "option"},
        {BypassModifier::command, "command"},
        {BypassModifier::shift, "shift"},
        {BypassModifier::control, "control"},
    }};
};

template <> struct EnumCases<HotkeyPrefix>
{
    static constexpr std::array<std::pair<HotkeyPrefix, std::string_view>, 4> cases{{
        {HotkeyPrefix::hyper, "hyper"},
        {HotkeyPrefix::controlOptionCommand, "controlOptionCommand"},
        {HotkeyPrefix::controlOptionShift, "controlOptionShift"},
        {HotkeyPrefix::optionCommand, "optionCommand"},
    }};
};

template <> struct EnumCases<RoutingMode>
{
    static constexpr std::array<std::pair<RoutingMode, std::string_view>, 3> cases{{
        {RoutingMode::alwaysAsk, "alwaysAsk"},
        {RoutingMode::openLastUsed, "openLastUsed"},
        {RoutingMode::openBypass, "openBypass"},
    }};
};

template <> struct EnumCases<EmojiPosition>
{
    static constexpr std::array<std::pair<EmojiPosition, std::string_view>, 4> cases{{
        {EmojiPosition::center, "center"},
        {EmojiPosition::besideIcon, "besideIcon"},
        {EmojiPosition::bottomLeft, "bottomLeft"},
        {EmojiPosition::bottomRight, "bottomRight"},
    }};
};

template <> struct EnumCases<AppAppearance>
{
    static constexpr std::array<std::pair<AppAppearance, std::string_view>, 3> cases{{
        {AppAppearance::system, "system"},
        {AppAppearance::light, "light"},
        {AppAppearance::dark, "dark"},
    }};
};

// The raw value of a case; it is also the case's `id` in lists.
template <typename E> QString rawValue(E value)
{
    for (const auto& [c, raw] : EnumCases<E>::cases) {
        if (c == value)
            return QString::fromLatin1(raw.data(), qsizetype(raw.size()));
    }
    return {};
}

// The case whose raw value is exactly `raw` (case-sensitive); absent for any other string.
template <typename E> std::optional<E> fromRawValue(const QString& raw)
{
    for (const auto& [c, name] : EnumCases<E>::cases) {
        if (raw == QLatin1StringView(name.data(), qsizetype(name.size())))
            return c;
    }
    return std::nullopt;
}

template <typename E> QList<E> allCases()
{
    QList<E> list;
    for (const auto& entry : EnumCases<E>::cases)
        list.append(entry.first);
    return list;
}

// Localised name of the key, as Settings pickers show it.
QString displayName(BypassModifier modifier);
// The key glyph: "⌥", "⌘", "⇧" or "⌃".
QString symbol(BypassModifier modifier);
// The key's row in a menu of modifier keys: "⌥  Option", the glyph, two spaces, the name.
QString menuRow(BypassModifier modifier);
// The platform modifier flag that is set while this key is held.
quint64 flag(BypassModifier modifier);

// The prefix's glyphs in the platform's order: hyper "⌃⌥⇧⌘", controlOptionCommand "⌃⌥⌘",
// controlOptionShift "⌃⌥⇧", optionCommand "⌥⌘". Settings, the status menu and Help show them.
QString glyphs(HotkeyPrefix prefix);

QString displayName(EmojiPosition position);
QString label(AppAppearance appearance);

} // namespace tavro
