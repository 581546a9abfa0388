#include "Tavro/Model/SettingsEnums.h"

#include "Tavro/Platform/ModifierFlags.h"

#include <QCoreApplication>

namespace tavro {

QString displayName(BypassModifier modifier)
{
    switch (modifier) {
    case BypassModifier::option:
        //: Name of the Option (⌥) modifier key, as shown in Settings pickers. Use Apple's localized key name.
        return QCoreApplication::translate("Tavro", "Option");
    case BypassModifier::command:
        //: Name of the Command (⌘) modifier key, as shown in Settings pickers. Use Apple's localized key name.
        return QCoreApplication::translate("Tavro", "Command");
    case BypassModifier::shift:
        //: Name of the Shift (⇧) modifier key, as shown in Settings pickers. Use Apple's localized key name.
        return QCoreApplication::translate("Tavro", "Shift");
    case BypassModifier::control:
        //: Name of the Control (⌃) modifier key, as shown in Settings pickers. Use Apple's localized key name.
        return QCoreApplication::translate("Tavro", "Control");
    }
    Q_UNREACHABLE();
}

QString symbol(BypassModifier modifier)
{
    switch (modifier) {
    case BypassModifier::option:
        return QStringLiteral("⌥");
    case BypassModifier::command:
        return QStringLiteral("⌘");
    case BypassModifier::shift:
        return QStringLiteral("⇧");
    case BypassModifier::control:
        return QStringLiteral("⌃");
    }
    Q_UNREACHABLE();
}

QString menuRow(BypassModifier modifier)
{
    return symbol(modifier) + QStringLiteral("  ") + displayName(modifier);
}

QString glyphs(HotkeyPrefix prefix)
{
    switch (prefix) {
    case HotkeyPrefix::hyper:
        return QStringLiteral("⌃⌥⇧⌘");
    case HotkeyPrefix::controlOptionCommand:
        return QStringLiteral("⌃⌥⌘");
    case HotkeyPrefix::controlOptionShift:
        return QStringLiteral("⌃⌥⇧");
    case HotkeyPrefix::optionCommand:
        return QStringLiteral("⌥⌘");
    }
    Q_UNREACHABLE();
}

quint64 flag(BypassModifier modifier)
{
    switch (modifier) {
    case BypassModifier::option:
        return ModifierFlag::option;
    case BypassModifier::command:
        return ModifierFlag::command;
    case BypassModifier::shift:
        return ModifierFlag::shift;
    case BypassModifier::control:
        return ModifierFlag::control;
    }
    Q_UNREACHABLE();
}

QString displayName(EmojiPosition position)
{
    switch (position) {
    case EmojiPosition::center:
        //: Settings picker option for where a profile emoji sits on its picker petal: centered.
        return QCoreApplication::translate("Tavro", "Center");
    case EmojiPosition::besideIcon:
        //: Settings picker option for where a profile emoji sits on its picker petal: next to the browser icon.
        return QCoreApplication::translate("Tavro", "Beside Icon");
    case EmojiPosition::bottomLeft:
        //: Settings picker option for where a profile emoji sits on its picker petal: bottom-left corner.
        return QCoreApplication::translate("Tavro", "Bottom Left");
    case EmojiPosition::bottomRight:
        //: Settings picker option for where a profile emoji sits on its picker petal: bottom-right corner.
        return QCoreApplication::translate("Tavro", "Bottom Right");
    }
    Q_UNREACHABLE();
}

QString label(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::system:
        //: Appearance setting option: follow the macOS light or dark setting.
        return QCoreApplication::translate("Tavro", "System", "appearance");
    case AppAppearance::light:
        //: Appearance setting option: always use the light look. Use Apple's localized name for the macOS Light
        //: appearance.
        return QCoreApplication::translate("Tavro", "Light");
    case AppAppearance::dark:
        //: Appearance setting option: always use the dark look. Use Apple's localized name for the macOS Dark
        //: appearance.
        return QCoreApplication::translate("Tavro", "Dark");
    }
    Q_UNREACHABLE();
}

} // namespace tavro
