#include "Tavro/Shell/AppDelegate.h"

#include "Tavro/Controls/ProfilePhoto.h"
#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/LinkForwarding.h"
#include "Tavro/Platform/MemoryPressure.h"
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

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace tavro {

namespace {
// The most links that wait their turn, and the most requests that wait for the launch sequence.
// A flood of requests would otherwise hold memory, and the user's pickers, for ever: the ones
// that waited longest go, and the newest, which a person just sent, stay.
constexpr qsizetype kMaximumWaiting = 200;

template <typename Item> void appendWaiting(QList<Item>& line, const QList<Item>& items)
{
    const qsizetype before = line.size();
    line.append(items);
    const qsizetype excess = line.size() - kMaximumWaiting;
    if (excess <= 0)
        return;
    line.remove(0, excess);
    // Once for each time the line fills up.
    if (before < kMaximumWaiting)
        qCWarning(lcShell) << "Too much waits for a picker; dropping what waited longest";
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
    , m_timing(timing)
    , m_updates(true, defaults)
    , m_router(std::make_unique<Router>(m_store))
    , m_windows(*this, std::move(windows), store, center, m_picker)
    , m_statusItems(store, m_updates, *m_router)
{
    // Photos that failed to load get another chance once a scan may have fixed them.
    DiscoveryCoordinator::setPhotoFailuresReset(&ProfilePhoto::invalidateFailures);
    connect(m_router.get(), &Router::pickerRequested, this,
        [this](const QUrl& url, const std::optional<QString>& notice, bool privately, Router::PickerRequest request) {
            if (request == Router::PickerRequest::retry) {
                keepShownLinkInLine();
            } else if (m_holdingPickers) {
                m_heldPicker = HeldPicker{url, notice, privately};
                return;
            }
            showPicker(url, notice, privately, true, nullptr);
        });
    // A failure alert is modal and would keep a shown picker from its keys: it waits for the picker.
    m_router->setAlertGate([this](std::function<void()> alert) { whenNoPicker(std::move(alert)); });
    // Command-comma in the picker.
    connect(&m_picker, &PickerWindowController::settingsRequested, this, [this] { showSettings(); });
    connect(&m_picker, &PickerWindowController::chosen, this,
        [this](const QUrl& url, const BrowserDestination& destination, bool privately) {
            m_router->open(url, destination, privately);
            pickerClosed();
        });
    connect(&m_picker, &PickerWindowController::cancelled, this, [this] {
        if (QPointer<QWidget> window = std::exchange(m_restoreOnCancel, nullptr))
            ShellWindows::bringForward(window);
        pickerClosed();
    });
    connect(&m_statusItems, &StatusItemController::preferencesRequested, this, [this] { showSettings(); });
    connect(&m_statusItems, &StatusItemController::quitRequested, this, &AppDelegate::quit);
    // Queued: never a modal alert inside the write of a setting.
    connect(&m_store, &SettingsStore::settingsNotSaved, this, &AppDelegate::showSettingsNotSaved, Qt::QueuedConnection);
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

    m_windows.installMainMenu();
    m_windows.applyAppearance();
    // Before any window: the activation that comes with the first one finds its handler.
    Application::whenBecameActive(this, [this] {
        m_windows.applicationWillBecomeActive();
        m_windows.applicationDidBecomeActive();
    });
    // What the user waits for comes first: the first-run window, then the pickers of the links
    // that came with the launch, which wait for it. The rest follows the first frame on the screen.
    if (!m_store.settings().hasCompletedOnboarding)
        showOnboarding();
    openRequestsBeforeLaunch();
    if (isPickerShown())
        finishLaunchingAfterFirstFrame(m_picker.panel());
    else if (QWidget* welcome = m_windows.onboardingWindow())
        finishLaunchingAfterFirstFrame(welcome);
    else
        finishLaunching();
}

void AppDelegate::finishLaunchingAfterFirstFrame(QObject* window)
{
    // Once: after the first frame of the Welcome window or of a picker, whichever draws first (not
    // inside its paint), or when `window` goes before it drew one.
    auto finished = std::make_shared<bool>(false);
    const auto finish = [this, finished] {
        if (!std::exchange(*finished, true))
            finishLaunching();
    };
    const auto once = Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection);
    connect(&m_picker, &PickerWindowController::firstFrameDrawn, this, finish, once);
    connect(&m_windows, &ShellWindows::onboardingWindowPainted, this, finish, once);
    connect(window, &QObject::destroyed, this, finish, once);
}

void AppDelegate::openRequestsBeforeLaunch()
{
    m_hasFinishedLaunching = true;
    applicationOpenUrlRequests(std::exchange(m_requestsBeforeLaunch, {}));
}

void AppDelegate::finishLaunching()
{
    // A picker already built has loaded what the warm-up would.
    if (!isPickerShown()) {
        const AppSettings settings = m_store.settings();
        m_picker.prewarm(settings.visibleDestinations(), settings.emojiPosition);
    }
    prewarmBrowsers();
    // Builds the status item.
    connectUpdates();

    if (m_store.settings().hasCompletedOnboarding)
        startPassiveRefresh();

    // A user launch with the menu-bar icon hidden always shows a window.
    const AppSettings settings = m_store.settings();
    if (settings.hasCompletedOnboarding && !settings.showMenuBarIcon && isPlainUserLaunch())
        showSettings();

    startFileWatching();
    observeSettings();
    m_statusItems.reloadGlobalHotkeys();
    observeShowOnboarding();
}

void AppDelegate::connectUpdates()
{
    connect(&m_updates, &UpdateController::availableVersionChanged, &m_statusItems, &StatusItemController::rebuild);
    m_statusItems.rebuild();
    // An update relaunch ends the app instead of collapsing it to the menu bar.
    connect(&m_updates, &UpdateController::willRelaunch, this, [this] { m_isQuitting = true; });
    QPointer<AppDelegate> self(this);
    m_updates.setCanInstallNow([self] { return !self || !self->isPickerShown(); });
    connect(&m_supportPolicy, &SupportPolicyChecker::updateRequired, this, &AppDelegate::showUpdateRequired);
    m_supportPolicy.start();
}

void AppDelegate::observeSettings()
{
    connect(&m_store, &SettingsStore::settingsChanged, this, [this] {
        // First: the status menu built next takes the application's new palette.
        m_windows.applyAppearance();
        m_statusItems.rebuild();
        m_statusItems.reloadGlobalHotkeys();
    });
}

void AppDelegate::whenNoPicker(std::function<void()> show)
{
    // Never over the picker: an alert is modal and would hold the link back.
    if (isPickerShown())
        m_alertsHeldForThePicker.append(std::move(show));
    else
        show();
}

void AppDelegate::showAlertsHeldForThePicker()
{
    // An alert's own loop may bring a new link, whose picker the next alerts wait for again.
    while (!isPickerShown() && !m_alertsHeldForThePicker.isEmpty())
        m_alertsHeldForThePicker.takeFirst()();
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
        if (QWidget* settings = m_windows.settingsWindow())
            settings->close();
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
    // The last of the start's work: what it freed (the warm-up's drawings, the scan's reading)
    // goes back to the system instead of waiting in the heap for the next link.
    MemoryPressure::relieve();
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
    m_profileWatcher->start();
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
    m_windows.showOnboarding();
}

void AppDelegate::onboardingFinished()
{
    if (QWidget* window = m_windows.onboardingWindow())
        window->close();
    m_statusItems.rebuild();
}

void AppDelegate::showSettings(std::optional<SettingsSection> section)
{
    // The link waiting in a shown picker is dropped.
    leavePicker();
    m_windows.showSettings(section);
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
        if (applicationShouldTerminate() == TerminateReply::cancel)
            return true;
    }
    return QObject::eventFilter(watched, event);
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

AppDelegate::TerminateReply AppDelegate::applicationShouldTerminate()
{
    if (m_isQuitting || !m_store.settings().hasCompletedOnboarding)
        return TerminateReply::now;
    m_windows.collapseToTray();
    return TerminateReply::cancel;
}

void AppDelegate::quit()
{
    m_isQuitting = true;
    QCoreApplication::quit();
}

bool AppDelegate::isPlainUserLaunch()
{
    const std::optional<LaunchEvent::Kind> event = LaunchEvent::current();
    return event == LaunchEvent::Kind::openApplication;
}

void AppDelegate::applicationOpenUrls(const QList<QUrl>& urls)
{
    if (!m_hasFinishedLaunching) {
        appendWaiting(m_requestsBeforeLaunch, {urls});
        return;
    }
    if (urls.isEmpty()) {
        // What a reopen does depends on the picker on the screen.
        showHeldPicker();
        // A reopen on a Mac comes with an activation, which brings back a window ordered out by
        // a quit request or "Hide Tavro".
        if (!isPickerShown())
            m_windows.restoreHiddenWindow();
        applicationShouldHandleReopen(ShellWindows::hasVisibleWindows());
        return;
    }
    QList<QUrl> accepted;
    for (const QUrl& url : urls) {
        if (LinkForwarding::isAcceptedLink(url))
            accepted.append(url);
    }
    if (accepted.isEmpty())
        return;
    // The first link replaces a picker that is up; the others of this request wait their turn
    // behind links still waiting from earlier requests.
    appendWaiting(m_pendingLinks, accepted.mid(1));
    router().route(accepted.first());
    routePendingLinks();
}

void AppDelegate::applicationOpenUrlRequests(const QList<QList<QUrl>>& requests)
{
    // A burst of senders costs one picker, not one for each: every one but the last would be
    // replaced before it is drawn. Nested in an alert's event loop, the outer call shows the last.
    const bool nested = std::exchange(m_holdingPickers, true);
    for (const QList<QUrl>& request : requests)
        applicationOpenUrls(request);
    m_holdingPickers = nested;
    if (!nested)
        showHeldPicker();
}

void AppDelegate::routePendingLinks()
{
    while (!isPickerShown() && !m_heldPicker && !m_pendingLinks.isEmpty())
        router().route(m_pendingLinks.takeFirst());
}

void AppDelegate::showHeldPicker()
{
    if (const std::optional<HeldPicker> held = std::exchange(m_heldPicker, std::nullopt))
        showPicker(held->url, held->notice, held->privately, true, nullptr);
}

void AppDelegate::pickerClosed()
{
    routePendingLinks();
    if (!isPickerShown())
        m_windows.bringBackHiddenWindows();
}

void AppDelegate::leavePicker()
{
    m_heldPicker.reset();
    if (!isPickerShown())
        return;
    // Every waiting link waits for this picker: left in line, they would pop up after some later
    // link's picker, maybe hours later.
    const qsizetype dropped = std::exchange(m_pendingLinks, {}).size();
    qCInfo(lcShell) << "A window replaced the picker; dropped its link and" << dropped << "waiting";
    m_picker.dismiss(false);
    m_windows.bringBackHiddenWindows();
}

bool AppDelegate::isPickerShown() const
{
    return m_picker.panel() != nullptr;
}

void AppDelegate::keepShownLinkInLine()
{
    if (const std::optional<HeldPicker> held = std::exchange(m_heldPicker, std::nullopt))
        m_pendingLinks.prepend(held->url);
    else if (isPickerShown() && m_picker.model())
        m_pendingLinks.prepend(m_picker.model()->url);
}

void AppDelegate::showPicker(const QUrl& url, const std::optional<QString>& notice, bool startPrivate,
    bool hideAuxWindows, QPointer<QWidget> restoreOnCancel)
{
    if (hideAuxWindows)
        m_windows.orderOutForPicker();
    const AppSettings settings = m_store.settings();
    m_restoreOnCancel = restoreOnCancel;
    // The picker takes the keyboard and the mouse, which an alert still up would keep from it.
    Alert::closeShownAlerts();
    // The controller closes a picker still shown without its cancel: a new link replaces it.
    m_picker.present(url, settings.visibleDestinations(), settings.lastUsedDestinationID,
        symbol(settings.bypassModifier), settings.reduceAnimations, settings.emojiPosition, settings.appearance, notice,
        startPrivate, settings.privateModifier, settings.privateModifier == settings.bypassModifier);
    // However the picker goes (a choice, a cancel, a window in its place), what waited for it comes
    // once its panel is gone, unless a newer picker took its place.
    if (QWidget* panel = m_picker.panel())
        connect(panel, &QObject::destroyed, this, &AppDelegate::showAlertsHeldForThePicker);
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
    showPicker(url, notice, privately, false, m_windows.settingsWindow());
}

} // namespace tavro
