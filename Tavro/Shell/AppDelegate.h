#pragma once
// The application's one delegate: owns the long-lived services for the whole run, runs the launch
// sequence, takes the links the system hands over and presents the picker for them.

#include "Tavro/Picker/FloatingPickerPanel.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Picker/PickerWindowController.h"
#include "Tavro/Settings/SettingsView.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <memory>
#include <optional>

class QWidget;

namespace tavro {

class AppActivityAssertion;
class ProfileWatcher;
class BrowserDestination;
class NotificationCenter;
class Router;
class SettingsStore;

class AppDelegate : public QObject
{
    Q_OBJECT
public:
    // Options of the launch activity: user-initiated work, idle system sleep still allowed.
    static constexpr quint64 kActivityOptions = 0xEFFFFF;

    explicit AppDelegate(SettingsStore& store, QObject* parent = nullptr);
    AppDelegate(SettingsStore& store, NotificationCenter& center, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The launch sequence.
    void applicationDidFinishLaunching();
    // The links of one open request, in the order they were given. A request with no links at
    // all (a plain `tavro` started while Tavro runs) opens Preferences.
    void applicationOpenUrls(const QList<QUrl>& urls);
    void applicationWillBecomeActive();
    void applicationDidBecomeActive();
    void restoreHiddenWindow();

    // Whether this launch was started by the user, rather than as a login item or to open links.
    static bool isPlainUserLaunch();

    Router& router();
    PickerWindowController& picker() { return m_picker; }
    bool isQuitting() const { return m_isQuitting; }

    // Until the first-run window exists, runs the interactive scan that window would run.
    void showOnboarding();
    // Opens Preferences on `section` (Browsers when none), or brings the open window forward and,
    // when a section is given, switches it there.
    void showSettings(std::optional<SettingsView::Section> section = std::nullopt);

protected:
    void showPicker(const QUrl& url, const std::optional<QString>& notice, bool startPrivate, bool hideAuxWindows,
        QPointer<QWidget> restoreOnCancel);
    void routeFromSettings(const QUrl& url);
    bool isPickerShown() const;

    SettingsStore& m_store;
    NotificationCenter& m_center;
    std::unique_ptr<AppActivityAssertion> m_activityAssertion;
    PickerWindowController m_picker;
    std::unique_ptr<Router> m_router;
    QPointer<QWidget> m_onboardingWindow;
    QPointer<QWidget> m_settingsWindow;
    bool m_isQuitting = false;
    std::unique_ptr<ProfileWatcher> m_profileWatcher;

private:
    void observeShowOnboarding();
    void startPassiveRefresh();
    void startFileWatching();
    void prewarmPicker();
    void prewarmBrowsers();
    // Routes the waiting links of earlier requests while no picker is up.
    void routePendingLinks();
    // Only a link just handed over replaces the shown picker for good. A picker for anything else
    // (a retry, a link from Settings) puts the shown link back in line first: it returns when the
    // new picker closes.
    void keepShownLinkInLine();

    // Links that wait for the picker shown now to close: the rest of a request, or a link whose
    // picker gave way to one that was not a new link's.
    QList<QUrl> m_pendingLinks;
};

} // namespace tavro
