#include "Tavro/Shell/AppDelegate.h"

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Discovery/ProfileWatcher.h"
#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/CenteredWindowTitle.h"
#include "Tavro/Picker/ProfilePhoto.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/ProcessActivity.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Platform/StatusItem.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Shell/AppActivityAssertion.h"
#include "Tavro/Shell/AppVersion.h"
#include "Tavro/Shell/Router.h"
#include "Tavro/Shell/ShellLog.h"
#include "Tavro/Shell/StatusMenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace tavro {

namespace {
bool isAccepted(const QUrl& url)
{
    // Schemes are case-insensitive, whatever form the sender used.
    const QString scheme = url.scheme();
    return scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0
        || scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 || url.isLocalFile()
        || scheme.compare(QLatin1String("file"), Qt::CaseInsensitive) == 0;
}

void bringForward(QWidget* window)
{
    Application::setActivationPolicy(Application::ActivationPolicy::regular);
    window->setWindowOpacity(1.0);
    window->show();
    window->raise();
    window->activateWindow();
    Application::activate(true);
}
} // namespace

AppDelegate::AppDelegate(SettingsStore& store, WindowFactory windows, QObject* parent)
    : AppDelegate(store, NotificationCenter::defaultCenter(), UserDefaults::standard(), std::move(windows), {}, parent)
{ }

AppDelegate::AppDelegate(SettingsStore& store, NotificationCenter& center, UserDefaults& defaults,
    WindowFactory windows, AppDelegateTiming timing, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_center(center)
    , m_windows(std::move(windows))
    , m_updates(true, defaults)
    , m_timing(timing)
{
    // Photos that failed to load get another chance once a scan may have fixed them.
    DiscoveryCoordinator::setPhotoFailuresReset(&ProfilePhoto::invalidateFailures);
    // Command-comma in the picker.
    connect(&m_picker, &PickerWindowController::settingsRequested, this, [this] { showSettings(); });
    connect(&m_picker, &PickerWindowController::chosen, this,
        [this](const QUrl& url, const BrowserDestination& destination, bool privately) {
            router().open(url, destination, privately);
            pickerClosed();
        });
    connect(&m_picker, &PickerWindowController::cancelled, this, [this] {
        if (QPointer<QWidget> window = std::exchange(m_restoreOnCancel, nullptr))
            bringForward(window);
        pickerClosed();
    });
    // Queued: never a modal alert inside the write of a setting.
    connect(&m_store, &SettingsStore::settingsNotSaved, this, &AppDelegate::showSettingsNotSaved, Qt::QueuedConnection);
    // Every quit request passes through applicationShouldTerminate, and the windows' closes through
    // windowWillClose, which drops a window at once rather than leaving a closed one in its field.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    Application::setActivationPolicy(Application::ActivationPolicy::accessory);

    // Never ended during the run: the first link click must not wait for a napping process.
    m_activityAssertion = std::make_unique<AppActivityAssertion>(ProcessActivity::begin(
        kActivityOptions, QStringLiteral("Tavro stays responsive so the first link click is instant")));

    installMainMenu();
    applyAppearance();
    // Links that came with the launch wait for the first-run window, which comes before any
    // picker. With onboarding done they go first, and what the picker does not need follows it.
    if (m_requestsBeforeLaunch.isEmpty() || !m_store.settings().hasCompletedOnboarding) {
        finishLaunching();
        openRequestsBeforeLaunch();
        return;
    }
    openRequestsBeforeLaunch();
    if (!isPickerShown()) {
        finishLaunching();
        return;
    }
    // Once, after the first frame (not inside its paint), or when the picker goes before it drew one.
    auto finished = std::make_shared<bool>(false);
    const auto finish = [this, finished] {
        if (!std::exchange(*finished, true))
            finishLaunching();
    };
    const auto once = Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection);
    connect(&m_picker, &PickerWindowController::firstFrameDrawn, this, finish, once);
    connect(m_picker.panel(), &QObject::destroyed, this, finish, once);
}

void AppDelegate::openRequestsBeforeLaunch()
{
    m_hasFinishedLaunching = true;
    for (const QList<QUrl>& request : std::exchange(m_requestsBeforeLaunch, {}))
        applicationOpenUrls(request);
}

void AppDelegate::finishLaunching()
{
    rebuildStatusItem();
    // A picker already built has loaded what the warm-up would.
    if (!isPickerShown())
        prewarmPicker();
    prewarmBrowsers();
    connectUpdates();

    if (m_store.settings().hasCompletedOnboarding)
        startPassiveRefresh();
    else
        showOnboarding();

    // A user launch with the menu-bar icon hidden always shows a window.
    const AppSettings settings = m_store.settings();
    if (settings.hasCompletedOnboarding && !settings.showMenuBarIcon && isPlainUserLaunch())
        showSettings();

    startFileWatching();
    observeMenuBarPreference();
    connect(&m_globalHotkeys, &GlobalHotkeyService::fired, this, &AppDelegate::fireGlobalHotkey);
    reloadGlobalHotkeys();
    observeShowOnboarding();

    Application::whenBecameActive(this, [this] {
        applicationWillBecomeActive();
        applicationDidBecomeActive();
    });
}

void AppDelegate::connectUpdates()
{
    connect(&m_updates, &UpdateController::availableVersionChanged, this, &AppDelegate::rebuildStatusItem);
    rebuildStatusItem();
    // An update relaunch ends the app instead of collapsing it to the menu bar.
    connect(&m_updates, &UpdateController::willRelaunch, this, [this] { m_isQuitting = true; });
    QPointer<AppDelegate> self(this);
    m_updates.setCanInstallNow([self] { return !self || !self->isPickerShown(); });
    connect(&m_supportPolicy, &SupportPolicyChecker::updateRequired, this, &AppDelegate::showUpdateRequired);
    m_supportPolicy.start();
}

void AppDelegate::observeMenuBarPreference()
{
    connect(&m_store, &SettingsStore::settingsChanged, this, [this] {
        // First: the status menu built next takes the application's new palette.
        applyAppearance();
        rebuildStatusItem();
        reloadGlobalHotkeys();
    });
}

void AppDelegate::rebuildStatusItem()
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

    QPointer<AppDelegate> self(this);
    std::unique_ptr<StatusMenu> menu = StatusMenu::build(settings, m_store.lastUsedDestination(), update, m_privateMenu,
        [self] { return self && self->m_updates.updaterController().canCheckForUpdates(); });
    connect(menu.get(), &StatusMenu::installUpdateRequested, this, &AppDelegate::installUpdate);
    connect(menu.get(), &StatusMenu::openNewTabRequested, this, &AppDelegate::openNewTabInDestination);
    connect(menu.get(), &StatusMenu::openNewTabInMostRecentRequested, this, &AppDelegate::openNewTabInMostRecent);
    connect(menu.get(), &StatusMenu::refreshProfilesRequested, this, &AppDelegate::refreshProfiles);
    connect(menu.get(), &StatusMenu::checkForUpdatesRequested, this, [this] { m_updates.checkForUpdates(nullptr); });
    connect(menu.get(), &StatusMenu::preferencesRequested, this, [this] { showSettings(); });
    connect(menu.get(), &StatusMenu::quitRequested, this, &AppDelegate::quit);
    m_statusItem->setMenu(std::move(menu));
}

void AppDelegate::installMainMenu()
{
    // Exists so that the Command keys behave while a Tavro window is key; Command-Q never quits.
    m_mainMenu = std::make_unique<QMenu>();
    //: App menu item (Cmd-H) that hides the app's windows.
    QAction* hide = m_mainMenu->addAction(QCoreApplication::translate("Tavro", "Hide Tavro"));
    hide->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    connect(hide, &QAction::triggered, this, [this] {
        for (QWidget* window : {m_settingsWindow.data(), m_onboardingWindow.data()}) {
            if (window)
                window->hide();
        }
    });
    m_mainMenu->addSeparator();
    //: App menu item (Cmd-W) that closes the front window.
    QAction* close = m_mainMenu->addAction(QCoreApplication::translate("Tavro", "Close"));
    close->setShortcut(QKeySequence(QStringLiteral("Ctrl+W")));
    connect(close, &QAction::triggered, this, &AppDelegate::closeFrontWindow);
    //: App menu item (Cmd-Q) that closes the window but keeps Tavro running in the menu bar.
    QAction* keep = m_mainMenu->addAction(QCoreApplication::translate("Tavro", "Close and Keep in Menu Bar"));
    keep->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(keep, &QAction::triggered, this, &AppDelegate::closeFrontWindow);
}

void AppDelegate::reloadGlobalHotkeys()
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

void AppDelegate::fireGlobalHotkey(const GlobalHotkeyTarget& target)
{
    std::optional<BrowserDestination> destination;
    if (target.kind() == GlobalHotkeyTarget::Kind::mostRecent) {
        destination = m_store.lastUsedDestination();
    } else {
        for (const BrowserDestination& d : m_store.settings().destinations) {
            if (d.id == target.id()) {
                destination = d;
                break;
            }
        }
    }
    if (!destination || !destination->isAvailable)
        return;
    // Never private, whatever modifiers are held.
    router().openDirect(*destination, false);
}

void AppDelegate::openNewTabInDestination(const QUuid& id)
{
    for (const BrowserDestination& destination : m_store.settings().destinations) {
        if (destination.id != id)
            continue;
        if (destination.isAvailable)
            router().openDirect(destination, m_privateMenu.isPrivate());
        return;
    }
}

void AppDelegate::openNewTabInMostRecent()
{
    const std::optional<BrowserDestination> destination = m_store.lastUsedDestination();
    if (destination && destination->isAvailable)
        router().openDirect(*destination, m_privateMenu.isPrivate());
}

namespace {
QCoro::Task<> refreshFromMenu(
    QPointer<SettingsStore> store, QPointer<AppDelegate> delegate, std::function<void(AppDelegate&)> then)
{
    co_await DiscoveryCoordinator::refresh(*store, DiscoveryCoordinator::SafariScanMode::interactive);
    if (delegate)
        then(*delegate);
}
} // namespace

void AppDelegate::refreshProfiles()
{
    refreshFromMenu(&m_store, this, [](AppDelegate& delegate) { delegate.rebuildStatusItem(); });
}

void AppDelegate::installUpdate()
{
    m_updates.checkForUpdates(nullptr);
}

void AppDelegate::whenNoPicker(const std::function<void()>& show)
{
    // Never over the picker: an alert is modal and would hold the link back.
    if (isPickerShown()) {
        QTimer::singleShot(m_timing.alertRetryInterval, this, [this, show] { whenNoPicker(show); });
        return;
    }
    show();
}

void AppDelegate::showUpdateRequired(const QString& minimum)
{
    whenNoPicker([this, minimum] { runUpdateRequiredAlert(minimum); });
}

void AppDelegate::runUpdateRequiredAlert(const QString& minimum)
{
    Application::activate(true);
    Alert alert;
    alert.style = Alert::Style::warning;
    //: Title of the alert shown when this version of Tavro is no longer supported and should be updated.
    alert.messageText = QCoreApplication::translate("Tavro", "Please update Tavro");
    //: Body of the unsupported-version alert. The first value is the running version, the second the oldest supported
    //: version, both like 1.9.1.
    alert.informativeText = QCoreApplication::translate(
        "Tavro", "Tavro %1 is no longer supported. Update to version %2 or later to keep getting fixes.")
                                .arg(AppVersion::current(), minimum);
    //: Unsupported-version alert button that starts the app update.
    alert.addButton(QCoreApplication::translate("Tavro", "Update Now"));
    //: Unsupported-version alert button that closes the alert without updating.
    alert.addButton(QCoreApplication::translate("Tavro", "Later"));
    if (alert.runModal() == Alert::kFirstButtonReturn)
        m_updates.checkForUpdates(nullptr);
}

void AppDelegate::showSettingsNotSaved(const QString& path)
{
    if (!std::exchange(m_hasToldSettingsNotSaved, true))
        whenNoPicker([this, path] { runSettingsNotSavedAlert(path); });
}

void AppDelegate::runSettingsNotSavedAlert(const QString& path)
{
    Application::activate(true);
    Alert alert;
    alert.style = Alert::Style::warning;
    //: Title of the alert shown when Tavro cannot write its settings file.
    alert.messageText = QCoreApplication::translate("Tavro", "Tavro can’t save its settings");
    //: Body of the alert shown when Tavro cannot write its settings file. %1 is the file's path.
    alert.informativeText = QCoreApplication::translate("Tavro",
        "Tavro can’t write its settings file %1, so the changes made now will be lost when Tavro quits. Remove or "
        "rename what is at that path (a folder or a broken link, for example), then start Tavro again.")
                                .arg(path);
    //: Button that closes the alert about settings that cannot be saved.
    alert.addButton(QCoreApplication::translate("Tavro", "OK"));
    alert.runModal();
}

void AppDelegate::observeShowOnboarding()
{
    connect(&m_center, &NotificationCenter::posted, this, [this](const QString& name, const QVariant&) {
        if (name != Notifications::showOnboarding)
            return;
        if (m_settingsWindow)
            m_settingsWindow->close();
        showOnboarding();
    });
}

namespace {
// Started and not awaited: the store may be gone by the time the scan lands.
QCoro::Task<> refreshAtLaunch(QPointer<SettingsStore> store)
{
    co_await DiscoveryCoordinator::refresh(*store, DiscoveryCoordinator::SafariScanMode::passive);
    // Listed in the Accessibility settings, so the user only has to switch Tavro on.
    if (store && store->safariHint() == SafariHint::accessibilityNeeded && !Accessibility::isProcessTrusted())
        AccessibilityPermission::registerInList();
}
} // namespace

void AppDelegate::startPassiveRefresh()
{
    refreshAtLaunch(&m_store);
}

void AppDelegate::startFileWatching()
{
    if (!m_profileWatcher)
        m_profileWatcher
            = std::make_unique<ProfileWatcher>(m_store, m_timing.profileStreamLatency, m_timing.profileDebounce);
    m_profileWatcher->startFileWatching();
}

void AppDelegate::prewarmPicker()
{
    m_picker.prewarm();
}

void AppDelegate::prewarmBrowsers()
{
    QStringList bundleIdentifiers;
    for (const BrowserDestination& destination : m_store.settings().visibleDestinations())
        bundleIdentifiers.append(destination.browserBundleIdentifier);
    BrowserLaunchService::workQueue().async([bundleIdentifiers] { BrowserLaunchService::prewarm(bundleIdentifiers); });
}

void AppDelegate::showOnboarding()
{
    leavePicker();
    if (m_onboardingWindow) {
        bringForward(m_onboardingWindow);
        return;
    }
    QWidget* window = m_windows.onboarding(*this);
    //: Window title of the first-run onboarding window.
    hostingWindow(window, QCoreApplication::translate("Tavro", "Welcome to Tavro"), kOnboardingSize, false);
    m_onboardingWindow = window;
    bringForward(window);
}

void AppDelegate::onboardingFinished()
{
    if (m_onboardingWindow)
        m_onboardingWindow->close();
    rebuildStatusItem();
}

void AppDelegate::hostingWindow(QWidget* window, const QString& title, QSize size, bool resizable)
{
    window->setWindowTitle(title);
    if (resizable) {
        window->setMinimumSize(size);
        window->resize(size);
    } else {
        window->setFixedSize(size);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    setExplicitAppearance(window, appearanceFor(m_store.settings().appearance));
    CenteredWindowTitle::apply(window);
    if (m_mainMenu)
        window->addActions(m_mainMenu->actions());
}

void AppDelegate::windowWillClose(QWidget* window)
{
    if (window == m_settingsWindow)
        m_settingsWindow = nullptr;
    else if (window == m_onboardingWindow)
        m_onboardingWindow = nullptr;
    else
        return;
    // Dropped by its one owner; a closed window is built anew on the next request.
    window->deleteLater();
    if (!m_settingsWindow && !m_onboardingWindow)
        Application::setActivationPolicy(Application::ActivationPolicy::accessory);
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window == m_settingsWindow || window == m_onboardingWindow)
            windowWillClose(window);
    } else if (event->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
        if (applicationShouldTerminate() == TerminateReply::cancel)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void AppDelegate::applyAppearance()
{
    const std::optional<Appearance> appearance = appearanceFor(m_store.settings().appearance);
    // The status menu and the alerts follow through the application's palette.
    setApplicationAppearance(appearance);
    for (QWidget* window : {m_settingsWindow.data(), m_onboardingWindow.data()}) {
        if (window && explicitAppearance(window) != appearance)
            setExplicitAppearance(window, appearance);
    }
}

void AppDelegate::closeFrontWindow()
{
    QWidget* front = QApplication::activeWindow();
    if (!front)
        front = m_settingsWindow ? m_settingsWindow.data() : m_onboardingWindow.data();
    if (front)
        front->close();
}

bool AppDelegate::hasVisibleWindows() const
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
            return true;
    }
    return false;
}

bool AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows)
{
    if (hasVisibleWindows)
        return true;
    // Without a tray to show it, a shown icon is as good as hidden: Preferences is the way in.
    if (!m_store.settings().showMenuBarIcon || !StatusItem::isAvailable())
        showSettings();
    return true;
}

void AppDelegate::collapseToTray()
{
    for (QWidget* window : {m_settingsWindow.data(), m_onboardingWindow.data()}) {
        if (window && window->isVisible())
            window->hide();
    }
    QTimer::singleShot(0, this, [] { Application::setActivationPolicy(Application::ActivationPolicy::accessory); });
}

AppDelegate::TerminateReply AppDelegate::applicationShouldTerminate()
{
    if (m_isQuitting || !m_store.settings().hasCompletedOnboarding)
        return TerminateReply::now;
    collapseToTray();
    return TerminateReply::cancel;
}

void AppDelegate::quit()
{
    m_isQuitting = true;
    QCoreApplication::quit();
}

void AppDelegate::showSettings(std::optional<SettingsSection> section)
{
    // The link waiting in a shown picker is dropped.
    leavePicker();
    if (m_settingsWindow) {
        if (section)
            m_center.post(Notifications::showSettingsSection, QVariant::fromValue(*section));
        bringForward(m_settingsWindow);
        return;
    }

    QWidget* window = m_windows.settings(*this, section.value_or(SettingsSection::destinations));
    // The window opens at the smallest size its content allows.
    //: Window title of the Preferences window. Use the same word as the Preferences… menu item.
    hostingWindow(window, QCoreApplication::translate("Tavro", "Tavro Preferences"), window->minimumSize(), true);
    m_settingsWindow = window;
    bringForward(window);
}

bool AppDelegate::isPlainUserLaunch()
{
    const std::optional<LaunchEvent::Kind> event = LaunchEvent::current();
    return event == LaunchEvent::Kind::openApplication;
}

Router& AppDelegate::router()
{
    if (!m_router) {
        QPointer<AppDelegate> self(this);
        m_router = std::make_unique<Router>(m_store,
            [self](
                const QUrl& url, const std::optional<QString>& notice, bool privately, Router::PickerRequest request) {
                if (!self)
                    return;
                if (request == Router::PickerRequest::retry)
                    self->keepShownLinkInLine();
                self->showPicker(url, notice, privately, true, nullptr);
            });
    }
    return *m_router;
}

void AppDelegate::applicationOpenUrls(const QList<QUrl>& urls)
{
    if (!m_hasFinishedLaunching) {
        m_requestsBeforeLaunch.append(urls);
        return;
    }
    if (urls.isEmpty()) {
        // A reopen on a Mac comes with an activation, which brings back a window ordered out by
        // a quit request or "Hide Tavro".
        if (!isPickerShown())
            restoreHiddenWindow();
        applicationShouldHandleReopen(hasVisibleWindows());
        return;
    }
    QList<QUrl> accepted;
    for (const QUrl& url : urls) {
        if (isAccepted(url))
            accepted.append(url);
    }
    if (accepted.isEmpty())
        return;
    // The first link replaces a picker that is up; the others of this request wait their turn
    // behind links still waiting from earlier requests.
    m_pendingLinks.append(accepted.mid(1));
    router().route(accepted.first());
    routePendingLinks();
}

void AppDelegate::routePendingLinks()
{
    while (!isPickerShown() && !m_pendingLinks.isEmpty())
        router().route(m_pendingLinks.takeFirst());
}

void AppDelegate::pickerClosed()
{
    routePendingLinks();
    if (!isPickerShown())
        bringBackHiddenWindows();
}

void AppDelegate::leavePicker()
{
    if (!isPickerShown())
        return;
    // Every waiting link waits for this picker: left in line, they would pop up after some later
    // link's picker, maybe hours later.
    const qsizetype dropped = std::exchange(m_pendingLinks, {}).size();
    qCInfo(lcShell) << "A window replaced the picker; dropped its link and" << dropped << "waiting";
    m_picker.dismiss(false);
    bringBackHiddenWindows();
}

void AppDelegate::bringBackHiddenWindows()
{
    for (const QPointer<QWidget>& window : std::exchange(m_hiddenForPicker, {})) {
        // A window closed meanwhile is gone from its field and stays closed.
        if (!window || window->isVisible() || (window != m_settingsWindow && window != m_onboardingWindow))
            continue;
        // Behind whatever has the keyboard now (the link's browser, or the application the user
        // clicked into, which cancels a picker too): shown, but Tavro is not activated.
        window->setWindowOpacity(1.0);
        window->show();
    }
}

bool AppDelegate::isPickerShown() const
{
    return m_picker.panel() != nullptr;
}

void AppDelegate::keepShownLinkInLine()
{
    if (isPickerShown() && m_picker.model())
        m_pendingLinks.prepend(m_picker.model()->url);
}

void AppDelegate::showPicker(const QUrl& url, const std::optional<QString>& notice, bool startPrivate,
    bool hideAuxWindows, QPointer<QWidget> restoreOnCancel)
{
    if (hideAuxWindows) {
        for (QWidget* window : {m_settingsWindow.data(), m_onboardingWindow.data()}) {
            if (window) {
                if (window->isVisible())
                    m_hiddenForPicker.append(window);
                window->setWindowOpacity(0.0);
                window->hide();
            }
        }
        // A window that was coming forward as this runs would show again after the first pass.
        QPointer<AppDelegate> self(this);
        QTimer::singleShot(0, this, [self] {
            if (!self || !self->isPickerShown())
                return;
            for (QWidget* window : {self->m_settingsWindow.data(), self->m_onboardingWindow.data()}) {
                if (window)
                    window->hide();
            }
        });
    }

    const AppSettings settings = m_store.settings();
    m_restoreOnCancel = restoreOnCancel;
    // The picker takes the keyboard and the mouse, which an alert still up would keep from it.
    Alert::closeShownAlerts();
    // The controller closes a picker still shown without its cancel: a new link replaces it.
    m_picker.present(url, settings.visibleDestinations(), settings.lastUsedDestinationID,
        symbol(settings.bypassModifier), settings.reduceAnimations, settings.emojiPosition, settings.appearance, notice,
        startPrivate, settings.privateModifier, settings.privateModifier == settings.bypassModifier);
}

void AppDelegate::routeFromSettings(const QUrl& url)
{
    const AppSettings& settings = m_store.settings();
    const quint64 flags = Router::currentModifierFlags();
    const auto held = [flags](BypassModifier key) { return (flags & flag(key)) == flag(key); };
    const bool bypassHeld = held(settings.bypassModifier);
    const bool privately = settings.privateModifier != settings.bypassModifier && held(settings.privateModifier);
    std::optional<QString> notice;
    if (settings.bypasses(bypassHeld)) {
        const Router::BypassOutcome outcome = Router::resolveBypass(m_store.bypassTarget(), privately);
        if (outcome.kind() == Router::BypassOutcome::Kind::open) {
            router().open(url, *outcome.destination(), privately);
            return;
        }
        notice = outcome.notice();
    }
    keepShownLinkInLine();
    showPicker(url, notice, privately, false, m_settingsWindow);
}

void AppDelegate::applicationWillBecomeActive()
{
    if (isPickerShown())
        return;
    for (QWidget* window : {m_settingsWindow.data(), m_onboardingWindow.data()}) {
        if (window && window->isVisible())
            window->setWindowOpacity(0.0);
    }
}

void AppDelegate::applicationDidBecomeActive()
{
    QPointer<AppDelegate> self(this);
    QTimer::singleShot(0, this, [self] {
        if (!self || self->isPickerShown())
            return;
        for (QWidget* window : {self->m_settingsWindow.data(), self->m_onboardingWindow.data()}) {
            if (window && window->isVisible())
                window->setWindowOpacity(1.0);
        }
        self->restoreHiddenWindow();
    });
}

void AppDelegate::restoreHiddenWindow()
{
    for (QWidget* window : {m_settingsWindow.data(), m_onboardingWindow.data()}) {
        if (window && !window->isVisible()) {
            bringForward(window);
            return;
        }
    }
}

} // namespace tavro
