#pragma once
// The menu-bar status item and the global hot keys: rebuilds the item and its menu from the
// settings and the update on offer, registers the hot keys, and opens what the menu or a hot key
// asks for.

#include "Tavro/Model/GlobalHotkeyTarget.h"
#include "Tavro/Shell/GlobalHotkeyService.h"
#include "Tavro/Shell/PrivateMenuTracker.h"

#include <QObject>
#include <QUuid>

#include <memory>
#include <optional>

namespace tavro {

class BrowserDestination;
class Router;
class SettingsStore;
class StatusItem;
class UpdateController;

class StatusItemController : public QObject
{
    Q_OBJECT
public:
    StatusItemController(SettingsStore& store, UpdateController& updates, Router& router, QObject* parent = nullptr);
    ~StatusItemController() override;

    // None while the settings hide the icon.
    StatusItem* statusItem() const { return m_statusItem.get(); }
    PrivateMenuTracker& privateMenu() { return m_privateMenu; }

    // Creates, updates or removes the status item and rebuilds its menu from the settings.
    void rebuild();
    // Registers the hot keys the settings give, unless they are registered already.
    void reloadGlobalHotkeys();

Q_SIGNALS:
    // "Preferences…" in the status menu.
    void preferencesRequested();
    // "Quit Tavro" in the status menu.
    void quitRequested();

private:
    // The destination a hot key or a row of the menu stands for, if the settings still hold it.
    std::optional<BrowserDestination> destination(const GlobalHotkeyTarget& target) const;
    // Opens a new tab in `destination`, when it is still there and installed.
    void openNewTab(const std::optional<BrowserDestination>& destination, bool privately);
    // Reads the profiles again, the Safari ones from its menu too, and then rebuilds the menu.
    void refreshProfiles();

    // What the global hot keys were last registered with.
    struct HotkeyRegistrations
    {
        HotkeyPrefix prefix;
        QList<GlobalHotkeyBinding> bindings;
        bool enabled;

        bool operator==(const HotkeyRegistrations&) const = default;
    };

    SettingsStore& m_store;
    UpdateController& m_updates;
    Router& m_router;
    std::unique_ptr<StatusItem> m_statusItem;
    PrivateMenuTracker m_privateMenu;
    GlobalHotkeyService m_globalHotkeys;
    std::optional<HotkeyRegistrations> m_registeredHotkeys;
};

} // namespace tavro
