#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Launch/ArcAX.h"
#include "Tavro/Launch/LaunchLog.h"
#include "Tavro/Launch/PrivateWindowAX.h"
#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Launch/SafariWindowCache.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SafariProfileNames.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/BrowserDataFolder.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/SerialQueue.h"

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QCoro/QCoroTimer>
#include <QDir>
#include <QFileInfo>
#include <QFuture>
#include <QSet>

#include <algorithm>
#include <memory>

namespace tavro {

namespace A = Accessibility;
using Clock = std::chrono::steady_clock;

QString description(const LaunchFailure& failure)
{
    return std::visit(
        [](const auto& error) -> QString {
            if constexpr (std::is_same_v<std::decay_t<decltype(error)>, WorkspaceError>)
                return error.localizedDescription;
            else
                return error.description();
        },
        failure);
}

bool isAccessibilityDenied(const LaunchFailure& failure)
{
    if (const auto* safari = std::get_if<SafariLaunchError>(&failure))
        return safari->kind() == SafariLaunchError::Kind::accessibilityDenied;
    if (const auto* privateWindow = std::get_if<PrivateWindowError>(&failure))
        return privateWindow->kind() == PrivateWindowError::Kind::accessibilityDenied;
    return false;
}

namespace BrowserLaunchService {

namespace {

constexpr int safariProfileAttempts = 12;

using Result = std::expected<void, LaunchFailure>;

bool isRunning(const QString& bundleIdentifier)
{
    return !Workspace::shared().runningApplications(bundleIdentifier).isEmpty();
}

// Brings the application's first process to the front when it runs. The process table is walked on
// the work queue: on a busy machine that takes the GUI thread milliseconds, right as a link goes out.
QCoro::Task<> activateIfRunning(QString bundleIdentifier)
{
    // Named, not a temporary of the co_await: g++ 12 destroys such a temporary's captures twice.
    QFuture<QList<RunningApplication>> lookup
        = workQueue().run([bundleIdentifier] { return Workspace::shared().runningApplications(bundleIdentifier); });
    const QList<RunningApplication> running = co_await lookup;
    if (!running.isEmpty())
        Workspace::shared().activate(running.first());
}

// Activates a running application or starts it; awaited. A program started with an early-exit
// window is watched through it; one started without is not.
[[nodiscard]] QCoro::Task<std::expected<RunningApplication, WorkspaceError>> activationLaunch(
    QString appURL, std::chrono::milliseconds earlyExitWindow = {})
{
    co_return co_await Workspace::shared().openApplication(appURL, OpenConfiguration{true, false, {}, earlyExitWindow});
}

// The longest single argument the system passes to a new program (MAX_ARG_STRLEN, with the
// terminating zero): a longer link cannot start a browser.
constexpr qsizetype maxArgumentBytes = 32 * 4096 - 1;

// A new instance with the arguments. The link goes with them at once, and a browser that cannot
// start (a program that is not executable, a desktop entry without its Exec, a link over the
// system's limit, a program that ends with an error within its early-exit window) is a failed
// launch, reported like any other.
QCoro::Task<Result> argumentLaunch(QString browser, QString appURL, QStringList arguments, AutomationTiming timing)
{
    if (std::ranges::any_of(
            arguments, [](const QString& argument) { return argument.toUtf8().size() > maxArgumentBytes; })) {
        //: Reason shown as %2 of "Couldn’t open the link in %1: %2" when a link is longer than the system lets a
        //: program be started with. %1 is the browser name, e.g. Google Chrome.
        const QString reason
            = QCoreApplication::translate("Tavro", "The link is too long for the system to start %1 with it.")
                  .arg(browser);
        co_return std::unexpected(BrowserLaunchError::launchFailed(browser, reason));
    }
    // Built outside the co_await, as in openURLInApp.
    const OpenConfiguration configuration{true, true, arguments, timing.earlyExitWindow};
    const auto launched = co_await Workspace::shared().openApplication(appURL, configuration);
    if (!launched)
        co_return std::unexpected(BrowserLaunchError::launchFailed(browser, launched.error().localizedDescription));
    co_return {};
}

// Hands the link over; a program started for it is watched through its early-exit window.
[[nodiscard]] QCoro::Task<std::expected<void, WorkspaceError>> openURLInApp(
    QUrl url, QString appURL, AutomationTiming timing)
{
    // Built outside the co_await: GCC 12 cannot keep a braced list alive across a suspension.
    QList<QUrl> urls;
    urls.append(url);
    const OpenConfiguration configuration{true, false, {}, timing.earlyExitWindow};
    co_return co_await Workspace::shared().openUrls(urls, appURL, configuration);
}

// The Chromium road: a running browser takes the command line through its socket, a closed one is
// launched with it.
QCoro::Task<Result> openInChromium(
    BrowserDestination destination, QString appURL, QStringList arguments, AutomationTiming timing)
{
    switch (co_await BrowserLaunchService::deliverToRunningChromium(destination, appURL, arguments, timing)) {
    case ChromiumSingleton::Outcome::delivered:
        co_return {};
    case ChromiumSingleton::Outcome::tooLong: {
        // A second copy of the browser would send the same message to the running one: the link
        // would arrive cut, or the copy would kill the running browser with its windows. Open
        // nothing and say why.
        const QString browser = destination.browserDisplayName;
        //: Reason shown as %2 of "Couldn’t open the link in %1: %2" when a link is too long to hand to a
        //: running Chromium-family browser. %1 is the browser name, e.g. Google Chrome.
        const QString reason = QCoreApplication::translate(
            "Tavro", "The link is too long for %1 to take while it is open. Quit %1, then open the link again.")
                                   .arg(browser);
        co_return std::unexpected(BrowserLaunchError::launchFailed(browser, reason));
    }
    case ChromiumSingleton::Outcome::unreachable:
        break;
    }
    co_return co_await argumentLaunch(destination.browserDisplayName, appURL, arguments, timing);
}

QCoro::Task<bool> pressNewProfileWindow(QString name, int attempts, AutomationTiming timing)
{
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (SafariAX::openProfileWindow(name))
            co_return true;
        if (attempt < attempts)
            co_await QCoro::sleepFor(timing.profilePressRetry);
    }
    co_return false;
}

// Safari has no command-line switch for profiles: press the profile's File-menu item, then type
// the link into the new window. The window is remembered so the next link only raises it.
QCoro::Task<Result> openSafariProfile(
    std::optional<QUrl> url, BrowserDestination destination, QString appURL, AutomationTiming timing)
{
    const QUrl link = url.value_or(QUrl(QStringLiteral("about:blank")));
    if (!A::isProcessTrusted()) {
        // The link still opens in Safari's front window; the user is asked for the permission.
        co_await openURLInApp(link, appURL, timing);
        co_return std::unexpected(SafariLaunchError::accessibilityDenied());
    }
    const QString name = destination.profileDisplayName;
    const bool wasRunning = isRunning(safariBundleIdentifier);
    if (!wasRunning) {
        co_await activationLaunch(appURL);
        co_await QCoro::sleepFor(timing.afterSafariStart);
        SafariWindowCache::windows().clear();
    } else if (const auto cached = SafariWindowCache::window(name); cached && SafariAX::raiseWindow(*cached)) {
        co_await QCoro::sleepFor(timing.cachedWindowSettle);
        const auto handed = co_await openURLInApp(link, appURL, timing);
        if (!handed)
            co_return std::unexpected(handed.error());
        co_return {};
    }

    const bool hasVisibleName = !SafariProfileDiscovery::isBlankName(name);
    const int attempts = !wasRunning || hasVisibleName ? safariProfileAttempts : 1;
    if (!co_await pressNewProfileWindow(name, attempts, timing)) {
        co_await openURLInApp(link, appURL, timing);
        if (hasVisibleName)
            co_return std::unexpected(SafariLaunchError::profileWindowNotFound(name));
        co_return {};
    }

    co_await QCoro::sleepFor(timing.afterProfilePress);
    const auto window = SafariAX::focusedWindow();
    if (window)
        SafariWindowCache::windows().insert(name, *window);
    co_await activateIfRunning(safariBundleIdentifier);
    SafariAX::postKey(KeyEvents::keyL, KeyEvents::maskCommand);
    co_await QCoro::sleepFor(timing.afterActivation);

    bool entered = false;
    if (A::isProcessTrusted()) {
        if (const auto app = SafariAX::safariApp()) {
            // ⌘L may not have reached the address field: a password or form field that kept the
            // focus must never receive the link, which may carry tokens, nor a Return.
            const auto field = A::elementAttribute(*app, A::focusedUIElementAttribute);
            if (PrivateWindowAX::fieldKind(field) == PrivateWindowAX::FieldKind::address
                && A::setAttributeValue(*field, A::valueAttribute, absoluteString(link)) == AXError::success) {
                SafariAX::postKey(KeyEvents::keyReturn, 0);
                entered = true;
            }
        }
    }
    if (!entered)
        co_await openURLInApp(link, appURL, timing);

    if (!wasRunning && window) {
        co_await QCoro::sleepFor(timing.beforeClosingBlankWindows);
        SafariAX::closeBlankWindows(*window);
    }
    co_return {};
}

// Browsers without a private-window switch: press the menu item, wait for the new window and
// type the link into it. No failure falls back to an ordinary window: the link stays private.
QCoro::Task<Result> openPrivateWithMenuItem(
    std::optional<QUrl> url, BrowserDestination destination, QString appURL, AutomationTiming timing)
{
    const QString browser = destination.browserDisplayName;
    if (!A::isProcessTrusted())
        co_return std::unexpected(PrivateWindowError::accessibilityDenied(browser));
    const QString bundleID = destination.browserBundleIdentifier;
    const bool isSafari = bundleID == safariBundleIdentifier;
    const bool startedNow = !isRunning(bundleID);

    if (startedNow) {
        co_await activationLaunch(appURL);
        co_await QCoro::sleepFor(timing.afterSafariStart);
        if (isSafari) {
            SafariWindowCache::windows().clear();
        } else {
            const auto deadline = Clock::now() + timing.firstWindowDeadline;
            for (;;) {
                if (!PrivateWindowAX::windows(bundleID).isEmpty() || Clock::now() >= deadline)
                    break;
                co_await QCoro::sleepFor(timing.firstWindowPoll);
            }
            co_await QCoro::sleepFor(timing.afterFirstWindow);
        }
    }

    if (isSafari && url) {
        const auto cached = SafariWindowCache::window(SafariWindowCache::privateWindowKey());
        if (cached && SafariAX::raiseWindow(*cached)) {
            co_await QCoro::sleepFor(timing.cachedWindowSettle);
            // Trust the raise only when the cached window really came to the front.
            if (SafariAX::focusedWindow() == cached) {
                const auto handed = co_await openURLInApp(*url, appURL, timing);
                if (!handed)
                    co_return std::unexpected(handed.error());
                co_return {};
            }
        }
    }

    const QList<AXElement> snapshot = PrivateWindowAX::windows(bundleID);
    if (!co_await PrivateWindowAX::openPrivateWindow(bundleID, timing.privateMenuTimeout, timing))
        co_return std::unexpected(PrivateWindowError::menuItemNotFound(browser));
    const auto window = co_await PrivateWindowAX::newWindow(bundleID, snapshot, timing.privateNewWindowTimeout, timing);
    if (!window)
        co_return std::unexpected(PrivateWindowError::menuItemNotFound(browser));
    if (isSafari)
        SafariWindowCache::windows().insert(SafariWindowCache::privateWindowKey(), *window);

    if (!url) {
        co_await PrivateWindowAX::focus(*window, bundleID, timing.privateFocusTimeout, timing);
    } else {
        switch (co_await PrivateWindowAX::loadURL(*url, *window, bundleID, timing)) {
        case PrivateWindowAX::LoadResult::loaded:
            break;
        case PrivateWindowAX::LoadResult::locked:
            co_return std::unexpected(PrivateWindowError::locked(browser));
        case PrivateWindowAX::LoadResult::failed:
            co_return std::unexpected(PrivateWindowError::menuItemNotFound(browser));
        }
    }

    if (isSafari && startedNow) {
        co_await QCoro::sleepFor(timing.beforeClosingBlankWindows);
        SafariAX::closeBlankWindows(*window);
    }
    co_return {};
}

} // namespace

QString absoluteString(const QUrl& url)
{
    return url.toString(QUrl::FullyEncoded);
}

QStringList arguments(const LaunchStrategy& strategy)
{
    switch (strategy.kind()) {
    case LaunchStrategy::Kind::browserCurrentProfile:
    case LaunchStrategy::Kind::safariProfile:
        return {};
    case LaunchStrategy::Kind::chromiumProfileDirectory:
        return {QStringLiteral("--profile-directory=") + strategy.value()};
    case LaunchStrategy::Kind::firefoxProfile:
        return {QStringLiteral("-P"), strategy.value()};
    case LaunchStrategy::Kind::firefoxProfilePath:
        return {QStringLiteral("--profile"), strategy.value()};
    case LaunchStrategy::Kind::custom:
        return strategy.arguments();
    }
    return {};
}

QStringList launchArguments(const LaunchStrategy& strategy, const std::optional<QUrl>& url)
{
    QStringList result = arguments(strategy);
    if (url)
        result.append(absoluteString(*url));
    return result;
}

QStringList privateLaunchArguments(const LaunchStrategy& strategy, const QString& flag, const std::optional<QUrl>& url)
{
    QStringList result = arguments(strategy);
    result.append(flag);
    if (url)
        result.append(absoluteString(*url));
    return result;
}

SerialQueue& workQueue()
{
    // Lives for the whole process, like the scan queue: stopping it from a static destructor
    // would wait for an event loop that no longer runs.
    static SerialQueue* const queue = new SerialQueue(QStringLiteral("tavro.launch"));
    return *queue;
}

void prewarm(const QStringList& bundleIdentifiers)
{
    const QSet<QString> distinct(bundleIdentifiers.cbegin(), bundleIdentifiers.cend());
    for (const QString& identifier : distinct)
        (void)Workspace::shared().urlForApplication(identifier);
}

namespace {

// The browser's own program, as a running copy reads the first word of a command line handed to
// it: a desktop entry's `env NAME=value program …` names the program after its settings. A word of
// the launcher's would otherwise reach the browser as one more link to open.
QString browserProgram(const AppBundle& bundle)
{
    const QString executable = bundle.executablePath();
    if (!bundle.isDesktopEntry() || QFileInfo(executable).fileName() != QLatin1String("env"))
        return executable;
    for (const QString& word : bundle.exec) {
        if (!word.contains(QLatin1Char('=')) && !word.startsWith(QLatin1Char('-')))
            return word.startsWith(QLatin1Char('%')) ? executable : word;
    }
    return executable;
}

} // namespace

QCoro::Task<ChromiumSingleton::Outcome> deliverToRunningChromium(
    BrowserDestination destination, QString appURL, QStringList arguments, AutomationTiming timing)
{
    using Outcome = ChromiumSingleton::Outcome;
    const QString bundleID = destination.browserBundleIdentifier;
    const auto definition = BrowserDefinition::definition(bundleID);
    if (!definition || !definition->chromiumSupportSubpath)
        co_return Outcome::unreachable;
    const QString userDataDir
        = BrowserDataFolder::locate(appURL, bundleID, *definition->chromiumSupportSubpath, QDir::homePath());
    // A browser that is not running is never contacted. One the user started may not be among the
    // running applications (a wrapper script runs it under another name), but it holds its lock.
    // The lock is asked first: reading one link is far cheaper than walking the process table.
    if (!ChromiumSingleton::isHeldByLiveProcess(userDataDir) && !isRunning(bundleID))
        co_return Outcome::unreachable;
    const auto bundle = Workspace::bundle(appURL);
    const QString executable = bundle ? bundle->executablePath() : QString();
    if (executable.isEmpty())
        co_return Outcome::unreachable;
    const auto socket = ChromiumSingleton::socketPath(userDataDir);
    if (!socket)
        co_return Outcome::unreachable;

    // The browser's program with Tavro's options and link, never the words of the entry's launcher.
    const QStringList argv = QStringList{browserProgram(*bundle)} + arguments;
    const QStringList header = ChromiumSingleton::header(bundleID);
    const auto ackTimeout = timing.chromiumAckTimeout;
    const QString path = *socket;
    // The exchange blocks for up to the reply time-out; the GUI thread only waits for its result.
    QFuture<Outcome> exchange = workQueue().run(
        [argv, header, path, ackTimeout] { return ChromiumSingleton::deliver(argv, header, path, ackTimeout); });
    const Outcome outcome = co_await exchange;
    if (outcome == Outcome::unreachable)
        qCInfo(lcLaunch) << "The singleton socket of" << bundleID << "did not take the link";
    if (outcome != Outcome::delivered)
        co_return outcome;
    // The command line has arrived; a failed activation is not an error. A browser known only by its
    // lock is not among the running applications and is left alone: it raises its own window.
    co_await activateIfRunning(bundleID);
    co_return Outcome::delivered;
}

namespace {

[[nodiscard]] QCoro::Task<std::expected<void, LaunchFailure>> attemptOpen(
    std::optional<QUrl> url, BrowserDestination destination, bool privately, AutomationTiming timing)
{
    const QString browser = destination.browserDisplayName;
    const auto appURL = Workspace::shared().urlForApplication(destination.browserBundleIdentifier);
    if (!appURL)
        co_return std::unexpected(BrowserLaunchError::appNotFound(browser));

    if (privately) {
        const auto definition = BrowserDefinition::definition(destination.browserBundleIdentifier);
        const auto mechanism = definition ? definition->privateMechanism() : std::nullopt;
        if (!mechanism)
            co_return std::unexpected(PrivateWindowError::unsupported(browser));
        switch (mechanism->kind()) {
        case PrivateWindowMechanism::Kind::accessibilityMenuItem:
            co_return co_await openPrivateWithMenuItem(url, destination, *appURL, timing);
        case PrivateWindowMechanism::Kind::alwaysPrivate:
            break;
        case PrivateWindowMechanism::Kind::launchArgument: {
            const QStringList args = privateLaunchArguments(destination.launchStrategy, mechanism->argument(), url);
            if (definition->profileFamily == ProfileFamily::chromium)
                co_return co_await openInChromium(destination, *appURL, args, timing);
            co_return co_await argumentLaunch(browser, *appURL, args, timing);
        }
        }
    }

    const LaunchStrategy& strategy = destination.launchStrategy;
    if (strategy.kind() == LaunchStrategy::Kind::safariProfile)
        co_return co_await openSafariProfile(url, destination, *appURL, timing);

    if (!arguments(strategy).isEmpty()) {
        const QStringList args = launchArguments(strategy, url);
        if (strategy.kind() == LaunchStrategy::Kind::chromiumProfileDirectory)
            co_return co_await openInChromium(destination, *appURL, args, timing);
        co_return co_await argumentLaunch(browser, *appURL, args, timing);
    }

    // With a link the hand-over that follows is watched, and the link must not wait for this launch.
    const auto launched
        = co_await activationLaunch(*appURL, url ? std::chrono::milliseconds{} : timing.earlyExitWindow);
    if (!launched)
        co_return std::unexpected(BrowserLaunchError::launchFailed(browser, launched.error().localizedDescription));
    if (url) {
        if (destination.browserBundleIdentifier == QLatin1String(ArcAX::bundleIdentifier))
            co_await ArcAX::ensureBrowserWindow(timing);
        const auto handed = co_await openURLInApp(*url, *appURL, timing);
        if (!handed)
            co_return std::unexpected(BrowserLaunchError::launchFailed(browser, handed.error().localizedDescription));
    }
    co_return {};
}

} // namespace

QCoro::Task<std::expected<void, LaunchFailure>> open(
    std::optional<QUrl> url, BrowserDestination destination, bool privately, AutomationTiming timing)
{
    const QString browser = destination.browserDisplayName;
    auto opened = co_await attemptOpen(std::move(url), std::move(destination), privately, timing);
    // The link itself stays out of the log: Tavro keeps no record of what it opens.
    if (!opened)
        qCWarning(lcLaunch) << "Could not open a link in" << browser << ":" << description(opened.error());
    co_return opened;
}

} // namespace BrowserLaunchService

} // namespace tavro
