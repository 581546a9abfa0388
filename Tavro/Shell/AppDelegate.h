#pragma once
// The application's one delegate: owns the long-lived services for the whole run, runs the launch
// sequence, takes the links the system hands over and presents the picker for them. The windows
// are hosted by its `ShellWindows`, the status item and the hot keys by its `StatusItemController`.

#include "Tavro/Discovery/ProfileWatcher.h"
#include "Tavro/Picker/FloatingPickerPanel.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Picker/PickerWindowController.h"
#include "Tavro/Shell/ShellWindows.h"
#include "Tavro/Shell/StatusItemController.h"
#include "Tavro/Shell/SupportPolicyChecker.h"
#include "Tavro/Shell/UpdateController.h"
#include "Tavro/Shell/WindowFactory.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QWidget;

namespace tavro {

class AppActivityAssertion;
class NotificationCenter;
class Router;
class SettingsStore;
class StatusItem;
class UserDefaults;

// The delays of the delegate's own work, which tests shorten.
struct AppDelegateTiming
{
    // How long the browsers' file changes gather, and how long after the last one the profiles
    // are read again.
    std::chrono::milliseconds profileStreamLatency = ProfileWatcher::defaultStreamLatency;
    std::chrono::milliseconds profileDebounce = ProfileWatcher::defaultDebounce;
};

class AppDelegate : public QObject
{
    Q_OBJECT
public:
    // Options of the launch activity: user-initiated work, idle system sleep still allowed.
    static constexpr quint64 kActivityOptions = 0xEFFFFF;

    // `windows` builds Preferences and the first-run window.
    AppDelegate(SettingsStore& store, WindowFactory windows, QObject* parent = nullptr);
    // `defaults` holds the update preferences and the record of the update opt-in migration.
    AppDelegate(SettingsStore& store, NotificationCenter& center, UserDefaults& defaults, WindowFactory windows,
        AppDelegateTiming timing = {}, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The launch sequence. The first-run window comes first on a first start, then the pickers of
    // links held from the launch: what they do not need (the status item, the warm-up, the scans,
    // the hot keys, the update and policy checks) follows once the first of them has drawn a frame.
    void applicationDidFinishLaunching();
    // The links of one open request, in the order they were given. A request with no links at
    // all (a plain `tavro` started while Tavro runs) is a reopen.
    void applicationOpenUrls(const QList<QUrl>& urls);
    // Open requests that came together, oldest first, each as `applicationOpenUrls` takes it. A
    // new link's picker replaces the one before it, so only the last one is built.
    void applicationOpenUrlRequests(const QList<QList<QUrl>>& requests);

    // Whether this launch was started by the user, rather than as a login item or to open links.
    static bool isPlainUserLaunch();

    Router& router() { return *m_router; }
    SettingsStore& store() const { return m_store; }
    NotificationCenter& notificationCenter() const { return m_center; }
    UpdateController& updates() { return m_updates; }
    SupportPolicyChecker& supportPolicy() { return m_supportPolicy; }
    PickerWindowController& picker() { return m_picker; }
    const PickerWindowController& picker() const { return m_picker; }
    bool isQuitting() const { return m_isQuitting; }

    // Opens the "Welcome to Tavro" window, or brings the open one forward.
    void showOnboarding();
    // Opens Preferences on `section` (Browsers when none), or brings the open window forward and,
    // when a section is given, switches it there.
    void showSettings(std::optional<SettingsSection> section = std::nullopt);
    // The first-run window's Finish: closes the window and shows the status item as it is now.
    void onboardingFinished();
    // A link opened from Preferences: the picker comes over the window, or with the bypass held
    // the link opens directly; the window comes back when the picker is cancelled.
    void routeFromSettings(const QUrl& url);

    enum class TerminateReply { now, cancel };
    // After onboarding, a quit request other than "Quit Tavro" or an update relaunch only collapses
    // the app to the menu bar.
    TerminateReply applicationShouldTerminate();
    // "Quit Tavro": ends the app.
    void quit();
    // Another launch of Tavro with no link. Answers true.
    bool applicationShouldHandleReopen(bool hasVisibleWindows);

    StatusItem* statusItem() const { return m_statusItems.statusItem(); }
    PrivateMenuTracker& privateMenu() { return m_statusItems.privateMenu(); }
    QMenu* mainMenu() const { return m_windows.mainMenu(); }
    QWidget* settingsWindow() const { return m_windows.settingsWindow(); }
    QWidget* onboardingWindow() const { return m_windows.onboardingWindow(); }

protected:
    // Every quit request passes through applicationShouldTerminate.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The launch sequence after the activation policy, the activity, the main menu and the first
    // window or picker.
    void finishLaunching();
    // Runs finishLaunching once the first frame is drawn, or when `window`, shown first, goes
    // before it drew one.
    void finishLaunchingAfterFirstFrame(QObject* window);
    // Links handed over while Tavro started (the settings may take a while to load), as links
    // come after the launch on a Mac.
    void openRequestsBeforeLaunch();
    void connectUpdates();
    void observeShowOnboarding();
    void observeSettings();
    void startPassiveRefresh();
    void startFileWatching();
    void prewarmBrowsers();

    bool isPickerShown() const;
    void showPicker(const QUrl& url, const std::optional<QString>& notice, bool startPrivate, bool hideAuxWindows,
        QPointer<QWidget> restoreOnCancel);
    // Routes the waiting links of earlier requests while no picker is up.
    void routePendingLinks();
    // Shows the picker held back while requests that came together were taken.
    void showHeldPicker();
    // The picker closed by a choice or a cancel: the next waiting link's picker, or else the
    // windows it ordered out come back.
    void pickerClosed();
    // Preferences or the first-run window takes a shown picker's place: the user left that link's
    // request, so the rest of it and every link waiting behind it are dropped, and the windows the
    // picker ordered out come back.
    void leavePicker();
    // Only a link just handed over replaces the shown picker for good. A picker for anything else
    // (a retry, a link from Settings) puts the shown link back in line first: it returns when the
    // new picker closes.
    void keepShownLinkInLine();

    // Runs `show` (an alert) once no picker is on the screen: at once, or when the last picker goes.
    void whenNoPicker(std::function<void()> show);
    // The alerts that waited for the pickers, in the order they came, once none is shown.
    void showAlertsHeldForThePicker();
    // Asks the user to update, once the picker is off the screen.
    void showUpdateRequired(const QString& minimum);
    void runUpdateRequiredAlert(const QString& minimum);
    // Tells the user, once a run and once the picker is off the screen, that the settings at `path`
    // cannot be written.
    void showSettingsNotSaved(const QString& path);
    void runSettingsNotSavedAlert(const QString& path);

    SettingsStore& m_store;
    NotificationCenter& m_center;
    const AppDelegateTiming m_timing;
    UpdateController m_updates;
    std::unique_ptr<AppActivityAssertion> m_activityAssertion;
    PickerWindowController m_picker;
    std::unique_ptr<Router> m_router;
    ShellWindows m_windows;
    bool m_isQuitting = false;
    std::unique_ptr<ProfileWatcher> m_profileWatcher;
    SupportPolicyChecker m_supportPolicy;
    StatusItemController m_statusItems;
    // Open requests wait for the launch sequence until it has run.
    bool m_hasFinishedLaunching = false;
    bool m_hasToldSettingsNotSaved = false;

    // Links that wait for the picker shown now to close: the rest of a request, or a link whose
    // picker gave way to one that was not a new link's.
    QList<QUrl> m_pendingLinks;
    // A new link's picker, held back while requests that came together are taken: the next one's
    // would replace it at once.
    struct HeldPicker
    {
        QUrl url;
        std::optional<QString> notice;
        bool privately = false;
    };
    bool m_holdingPickers = false;
    std::optional<HeldPicker> m_heldPicker;
    QList<std::function<void()>> m_alertsHeldForThePicker;
    // Open requests that came before the launch sequence ran; it routes them once it is done.
    QList<QList<QUrl>> m_requestsBeforeLaunch;
    // The window that comes forward when the picker shown now is cancelled.
    QPointer<QWidget> m_restoreOnCancel;
};

} // namespace tavro
