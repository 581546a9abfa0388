#include "Tavro/Model/SettingsEnums.h"

#include "Tavro/Platform/ModifierFlags.h"

#include <QCoreApplication>

namespace tavro {

QString displayName(BypassModifier modifier)
{
    switch (modifier) {
    case BypassModifier::option:
        return QCoreApplication::translate("Tavro", "Option",
            "Name of the Option (⌥) modifier key, as shown in Settings pickers. Use Apple's localized key name.");
    case BypassModifier::command:
        return QCoreApplication::translate("Tavro", "Command",
            "Name of the Command (⌘) modifier key, as shown in Settings pickers. Use Apple's localized key name.");
    case BypassModifier::shift:
        return QCoreApplication::translate("Tavro", "Shift",
            "Name of the Shift (⇧) modifier key, as shown in Settings pickers. Use Apple's localized key name.");
    case BypassModifier::control:
        return QCoreApplication::translate("Tavro", "Control",
            "Name of the Control (⌃) modifier key, as shown in Settings pickers. Use Apple's localized key name.");
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
        return QCoreApplication::translate(
            "Tavro", "Center", "Settings picker option for where a profile emoji sits on its picker petal: centered.");
    case EmojiPosition::besideIcon:
        return QCoreApplication::translate("Tavro", "Beside Icon",
            "Settings picker option for where a profile emoji sits on its picker petal: next to the browser icon.");
    case EmojiPosition::bottomLeft:
        return QCoreApplication::translate("Tavro", "Bottom Left",
            "Settings picker option for where a profile emoji sits on its picker petal: bottom-left corner.");
    case EmojiPosition::bottomRight:
        return QCoreApplication::translate("Tavro", "Bottom Right",
            "Settings picker option for where a profile emoji sits on its picker petal: bottom-right corner.");
    }
    Q_UNREACHABLE();
}

QString label(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::system:
        return QCoreApplication::translate("Tavro", "System",
            "Settings sidebar tab and pane title for general app settings (login, menu bar, default browser, "
            "updates). Also the Appearance setting option that follows the macOS light or dark setting.");
    case AppAppearance::light:
        return QCoreApplication::translate("Tavro", "Light",
            "Appearance setting option: always use the light look. Use Apple's localized name for the macOS Light "
            "appearance.");
    case AppAppearance::dark:
        return QCoreApplication::translate("Tavro", "Dark",
            "Appearance setting option: always use the dark look. Use Apple's localized name for the macOS Dark "
            "appearance.");
    }
    Q_UNREACHABLE();
}

} // namespace tavro
