#include "Tavro/Shell/StatusItemController.h"

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/StatusItem.h"
#include "Tavro/Shell/Router.h"
#include "Tavro/Shell/StatusMenu.h"
#include "Tavro/Shell/UpdateController.h"

#include <QCoro/QCoroTask>
#include <QPointer>

namespace tavro {

StatusItemController::StatusItemController(
    SettingsStore& store, UpdateController& updates, Router& router, QObject* parent)
    : QObject(parent), m_store(store), m_updates(updates), m_router(router)
{
    // Never private, whatever modifiers are held.
    connect(&m_globalHotkeys, &GlobalHotkeyService::fired, this,
        [this](const GlobalHotkeyTarget& target) { openNewTab(destination(target), false); });
}

StatusItemController::~StatusItemController() = default;

void StatusItemController::rebuild()
{
    const AppSettings settings = m_store.settings();
    if (!settings.showMenuBarIcon) {
        m_statusItem.reset();
        return;
    }
    if (!m_statusItem)
        m_statusItem = std::make_unique<StatusItem>();

    const std::optional<QString> update = m_updates.availableVersion();
    const QImage base = StatusMenu::baseMenuBarImage();
    m_statusItem->setImage(update ? StatusMenu::badgedMenuBarImage(base) : base, true);
    const StatusMenu::ButtonTexts texts = StatusMenu::buttonTexts(StatusMenu::isDevBuild(), update.has_value());
    if (texts.title)
        m_statusItem->setTitle(*texts.title);
    m_statusItem->setToolTip(texts.toolTip);
    m_statusItem->setAccessibilityLabel(texts.accessibilityLabel);

    QPointer<StatusItemController> self(this);
    std::unique_ptr<StatusMenu> menu = StatusMenu::build(settings, m_store.lastUsedDestination(), update, m_privateMenu,
        [self] { return self && self->m_updates.updaterController().canCheckForUpdates(); });
    const auto checkForUpdates = [this] { m_updates.checkForUpdates(nullptr); };
    connect(menu.get(), &StatusMenu::installUpdateRequested, this, checkForUpdates);
    connect(menu.get(), &StatusMenu::checkForUpdatesRequested, this, checkForUpdates);
    connect(menu.get(), &StatusMenu::openNewTabRequested, this, [this](const QUuid& id) {
        openNewTab(destination(GlobalHotkeyTarget::destination(id)), m_privateMenu.isPrivate());
    });
    connect(menu.get(), &StatusMenu::openNewTabInMostRecentRequested, this,
        [this] { openNewTab(destination(GlobalHotkeyTarget::mostRecent()), m_privateMenu.isPrivate()); });
    connect(menu.get(), &StatusMenu::refreshProfilesRequested, this, &StatusItemController::refreshProfiles);
    connect(menu.get(), &StatusMenu::preferencesRequested, this, &StatusItemController::preferencesRequested);
    connect(menu.get(), &StatusMenu::quitRequested, this, &StatusItemController::quitRequested);
    m_statusItem->setMenu(std::move(menu));
}

void StatusItemController::reloadGlobalHotkeys()
{
    const AppSettings settings = m_store.settings();
    HotkeyRegistrations wanted{
        settings.globalHotkeyPrefix, m_store.globalHotkeyBindings(), settings.globalHotkeysEnabled};
    // Every fire records a use and so changes the settings; the keys are grabbed again only when
    // what they open changed.
    if (m_registeredHotkeys == wanted)
        return;
    m_globalHotkeys.reload(wanted.prefix, wanted.bindings, wanted.enabled);
    m_registeredHotkeys = std::move(wanted);
}

std::optional<BrowserDestination> StatusItemController::destination(const GlobalHotkeyTarget& target) const
{
    if (target.kind() == GlobalHotkeyTarget::Kind::mostRecent)
        return m_store.lastUsedDestination();
    for (const BrowserDestination& destination : m_store.settings().destinations) {
        if (destination.id == target.id())
            return destination;
    }
    return std::nullopt;
}

void StatusItemController::openNewTab(const std::optional<BrowserDestination>& destination, bool privately)
{
    if (destination && destination->isAvailable)
        m_router.openDirect(*destination, privately);
}

namespace {
// Started and not awaited: the store and the controller may be gone by the time the scan lands.
QCoro::Task<> refreshFromMenu(QPointer<SettingsStore> store, QPointer<StatusItemController> controller)
{
    co_await DiscoveryCoordinator::refresh(*store, DiscoveryCoordinator::SafariScanMode::interactive);
    if (controller)
        controller->rebuild();
}
} // namespace

void StatusItemController::refreshProfiles()
{
    refreshFromMenu(&m_store, this);
}

} // namespace tavro
