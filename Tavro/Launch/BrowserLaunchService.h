#pragma once

#include "Tavro/Launch/AutomationTiming.h"
#include "Tavro/Launch/BrowserLaunchError.h"
#include "Tavro/Launch/ChromiumSingleton.h"
#include "Tavro/Launch/PrivateWindowError.h"
#include "Tavro/Launch/SafariLaunchError.h"
#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/LaunchStrategy.h"
#include "Tavro/Platform/Workspace.h"

#include <QCoro/QCoroTask>
#include <QStringList>
#include <QUrl>

#include <expected>
#include <optional>
#include <variant>

namespace tavro {

class SerialQueue;

// Why a link could not be opened: one of the launch errors, or a system error of a URL
// hand-over that passes through unchanged.
using LaunchFailure = std::variant<BrowserLaunchError, SafariLaunchError, PrivateWindowError, WorkspaceError>;

// The text the shell shows for a failure.
QString description(const LaunchFailure& failure);
// Failures the shell answers with its own alert that offers the Accessibility settings.
bool isAccessibilityDenied(const LaunchFailure& failure);

// Where every link ends: opens a URL in a chosen destination by launch arguments, by handing the
// command line to a running Chromium, or through the browser's menus. GUI thread; waits suspend.
namespace BrowserLaunchService {

// Opens `url` (nothing: the destination without a link) in the destination, in a private window
// when `privately`. A browser that cannot be started, whatever the road, is a `launchFailed`; so is
// one started with the link whose program ends with a non-zero status or by a signal within
// `timing.earlyExitWindow`, told by the last line it wrote to its standard error. A program that
// ends at once with status 0 handed the link to a running browser. Completes once the program
// started for the link ended or its window is over.
[[nodiscard]] QCoro::Task<std::expected<void, LaunchFailure>> open(
    std::optional<QUrl> url, BrowserDestination destination, bool privately, AutomationTiming timing = {});

// The queue that blocking launch work runs on (socket exchanges, look-ups made in advance).
SerialQueue& workQueue();

// Looks every distinct application up once, so the first launch finds it faster. Any thread.
void prewarm(const QStringList& bundleIdentifiers);

// The profile part of a command line for a launch recipe.
QStringList arguments(const LaunchStrategy& strategy);
// arguments(for:) followed by the URL.
QStringList launchArguments(const LaunchStrategy& strategy, const std::optional<QUrl>& url);
// arguments(for:), the private flag, then the URL.
QStringList privateLaunchArguments(const LaunchStrategy& strategy, const QString& flag, const std::optional<QUrl>& url);

// The URL as a browser receives it on its command line or in its address field.
QString absoluteString(const QUrl& url);

// Hands the command line to the running browser through its singleton socket: `delivered` when it
// arrived; `unreachable` when nothing was sent and the caller should launch instead; `tooLong`
// when the browser runs but would not take the command line whole. The exchange runs on a thread
// of its own.
QCoro::Task<ChromiumSingleton::Outcome> deliverToRunningChromium(
    BrowserDestination destination, QString appURL, QStringList arguments, AutomationTiming timing = {});

} // namespace BrowserLaunchService

} // namespace tavro
