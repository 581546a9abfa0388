#pragma once

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/DecodeError.h"
#include "Tavro/Model/SettingsEnums.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QUuid>

#include <expected>
#include <optional>

namespace tavro {

// The one persisted settings record: every destination and every preference.
struct AppSettings
{
    QList<BrowserDestination> destinations;
    std::optional<QUuid> lastUsedDestinationID;
    BypassModifier bypassModifier = BypassModifier::option;
    BypassModifier privateModifier = BypassModifier::shift;
    std::optional<QString> bypassDestinationKey; // a match key; absent: the destination used last
    RoutingMode mode = RoutingMode::alwaysAsk;
    bool showMenuBarIcon = true;
    bool launchAtLogin = false;
    bool hasCompletedOnboarding = false;
    bool reduceAnimations = false;
    EmojiPosition emojiPosition = EmojiPosition::center;
    bool invertBypass = false;
    bool demoMode = false;
    bool globalHotkeysEnabled = true;
    HotkeyPrefix globalHotkeyPrefix = HotkeyPrefix::hyper;
    AppAppearance appearance = AppAppearance::system;

    bool operator==(const AppSettings&) const = default;

    // Visible and available destinations, by sort order; equal orders keep stored order.
    QList<BrowserDestination> visibleDestinations() const;

    // The private key that gives way when it would equal `bypass`: shift, or option when the
    // bypass key is shift itself.
    static BypassModifier privateModifierGivingWayTo(BypassModifier bypass);
    // Sets the bypass key; a private key equal to it gives way at once, as it would at decoding.
    void setBypassModifierKeepingKeysApart(BypassModifier modifier);
    // Sets the bypass destination a menu row names: the empty key of "Last Used" is no key at
    // all, never an empty one.
    void setBypassDestinationKey(const QString& key);
    // Whether a click skips the picker: holding the bypass key does, unless Invert swaps what a
    // plain click and a modifier-click do.
    bool bypasses(bool bypassKeyHeld) const { return bypassKeyHeld != invertBypass; }

    QJsonObject toJson() const;
    QByteArray toJsonBytes() const;
    // Lenient where it is safe (missing keys take defaults, four keys fall back on bad values),
    // strict elsewhere; a decoded record never has equal bypass and private modifiers.
    static std::expected<AppSettings, DecodeError> fromJson(const QJsonValue& json);
    static std::expected<AppSettings, DecodeError> fromJsonBytes(const QByteArray& bytes);
};

} // namespace tavro
