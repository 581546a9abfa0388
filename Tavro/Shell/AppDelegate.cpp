#include "Tavro/Shell/AppDelegate.h"

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Discovery/ProfileWatcher.h"
#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Onboarding/OnboardingView.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/CenteredWindowTitle.h"
#include "Tavro/Picker/ProfilePhoto.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/ProcessActivity.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Shell/AppActivityAssertion.h"
#include "Tavro/Shell/AppVersion.h"
#include "Tavro/Shell/Router.h"
#include "Tavro/Shell/ShellLog.h"

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

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

AppDelegate::AppDelegate(SettingsStore& store, QObject* parent)
    : AppDelegate(store, NotificationCenter::defaultCenter(), UserDefaults::standard(), parent)
{ }

AppDelegate::AppDelegate(SettingsStore& store, NotificationCenter& center, UserDefaults& defaults, QObject* parent)
    : QObject(parent), m_store(store), m_center(center), m_updates(true, defaults)
{
    // Photos that failed to load get another chance once a scan may have fixed them.
    DiscoveryCoordinator::setPhotoFailuresReset(&ProfilePhoto::invalidateFailures);
    // Command-comma in the picker.
    connect(&m_picker, &PickerWindowController::settingsRequested, this, [this] { showSettings(); });
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    Application::setActivationPolicy(Application::ActivationPolicy::accessory);

    // Never ended during the run: the first link click must not wait for a napping process.
    m_activityAssertion = std::make_unique<AppActivityAssertion>(ProcessActivity::begin(
        kActivityOptions, QStringLiteral("Tavro stays responsive so the first link click is instant")));

    prewarmPicker();
    prewarmBrowsers();
    connectUpdates();

    if (m_store.settings().hasCompletedOnboarding)
        startPassiveRefresh();
    else
        showOnboarding();

    startFileWatching();
    observeShowOnboarding();

    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive)
                return;
            applicationWillBecomeActive();
            applicationDidBecomeActive();
        });
    }
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

void AppDelegate::rebuildStatusItem()
{
    // The menu-bar icon and its menu, with the row for an update on offer, are built here once
    // they exist; until then the update is only announced by the framework's own window.
}

void AppDelegate::showUpdateRequired(const QString& minimum)
{
    // Never over the picker: the alert is modal and would hold the link back.
    if (isPickerShown()) {
        QTimer::singleShot(m_updateAlertRetryInterval, this, [this, minimum] { showUpdateRequired(minimum); });
        return;
    }
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
        m_profileWatcher = std::make_unique<ProfileWatcher>(m_store);
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
    m_picker.dismiss(false);
    if (m_onboardingWindow) {
        bringForward(m_onboardingWindow);
        return;
    }
    QPointer<AppDelegate> self(this);
    auto* window = new OnboardingView(m_store, m_updates, [self] {
        if (!self)
            return;
        if (self->m_onboardingWindow)
            self->m_onboardingWindow->close();
        self->rebuildStatusItem();
    });
    // Closed without Finish, it is built anew (at step one) on the next request or launch.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::WindowMinimizeButtonHint);
    //: Window title of the first-run onboarding window.
    window->setWindowTitle(QCoreApplication::translate("Tavro", "Welcome to Tavro"));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    setExplicitAppearance(window, appearanceFor(m_store.settings().appearance));
    CenteredWindowTitle::apply(window);
    connect(window, &QObject::destroyed, this, [self] {
        if (self && !self->m_settingsWindow)
            Application::setActivationPolicy(Application::ActivationPolicy::accessory);
    });
    m_onboardingWindow = window;
    bringForward(window);
}

void AppDelegate::showSettings(std::optional<SettingsView::Section> section)
{
    // The link waiting in a shown picker is dropped.
    m_picker.dismiss(false);
    if (m_settingsWindow) {
        if (section)
            m_center.post(Notifications::showSettingsSection, QVariant::fromValue(*section));
        bringForward(m_settingsWindow);
        return;
    }

    QPointer<AppDelegate> self(this);
    auto* window = new SettingsView(
        m_store,
        [self](const QUrl& url) {
            if (self)
                self->routeFromSettings(url);
        },
        section.value_or(SettingsView::Section::destinations), m_center, nullptr, &m_updates);
    // A closed window is built anew on the next request.
    window->setAttribute(Qt::WA_DeleteOnClose);
    //: Window title of the Preferences window. Use the same word as the Preferences… menu item.
    window->setWindowTitle(QCoreApplication::translate("Tavro", "Tavro Preferences"));
    window->resize(SettingsView::kMinimumSize);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    setExplicitAppearance(window, appearanceFor(m_store.settings().appearance));
    CenteredWindowTitle::apply(window);
    connect(window, &QObject::destroyed, this, [self] {
        if (self && !self->m_onboardingWindow)
            Application::setActivationPolicy(Application::ActivationPolicy::accessory);
    });
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
    if (urls.isEmpty()) {
        showSettings();
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
                window->setWindowOpacity(0.0);
                window->hide();
            }
        }
        // A window that was coming forward as this runs would show again after the first pass.
        QPointer<AppDelegate> self(this);
        QTimer::singleShot(0, this, [self] {
            if (!self)
                return;
            for (QWidget* window : {self->m_settingsWindow.data(), self->m_onboardingWindow.data()}) {
                if (window)
                    window->hide();
            }
        });
    }

    const AppSettings settings = m_store.settings();
    QPointer<AppDelegate> self(this);
    auto onChoose = [self, url](const BrowserDestination& destination, bool isPrivate) {
        if (!self)
            return;
        self->router().open(url, destination, isPrivate);
        self->routePendingLinks();
    };
    auto onCancel = [self, restoreOnCancel] {
        if (!self)
            return;
        if (restoreOnCancel)
            bringForward(restoreOnCancel);
        self->routePendingLinks();
    };
    // The controller closes a picker still shown without its cancel: a new link replaces it.
    m_picker.present(url, settings.visibleDestinations(), settings.lastUsedDestinationID,
        symbol(settings.bypassModifier), settings.reduceAnimations, settings.emojiPosition, settings.appearance, notice,
        startPrivate, settings.privateModifier, settings.privateModifier == settings.bypassModifier, onChoose,
        onCancel);
}

void AppDelegate::routeFromSettings(const QUrl& url)
{
    const AppSettings& settings = m_store.settings();
    const quint64 flags = Router::currentModifierFlags();
    const auto held = [flags](BypassModifier key) { return (flags & flag(key)) == flag(key); };
    const bool bypassHeld = held(settings.bypassModifier);
    const bool privately = settings.privateModifier != settings.bypassModifier && held(settings.privateModifier);
    std::optional<QString> notice;
    if (bypassHeld != settings.invertBypass) {
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
    m_center.post(Notifications::applicationDidBecomeActive);
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
