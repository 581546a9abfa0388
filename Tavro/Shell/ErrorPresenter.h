#pragma once
// The modal alert shown when opening a link or a destination fails: the could-not-open alert,
// or, when Accessibility is what was missing, the alert that offers System Settings.

#include "Tavro/Launch/BrowserLaunchService.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace tavro::ErrorPresenter {

// Shows the failure of an open: the Accessibility alert when Accessibility was missing, the
// could-not-open alert for everything else. Returns once the user has answered.
void show(const LaunchFailure& error, const QUrl& url, const QString& retryLabel, const std::function<void()>& retry);

// The could-not-open alert: the error's description, the link, then a retry button titled
// `retryLabel`, "Copy Link" and "Dismiss". Returns once the user has answered.
void showCouldNotOpen(
    const QString& description, const QUrl& url, const QString& retryLabel, const std::function<void()>& retry);

// The alert asking for Accessibility: for the private windows of `privateBrowser`, or for Safari
// profiles when there is no browser name. `url` is not shown.
void showAccessibilityNeeded(const QUrl& url, const std::optional<QString>& privateBrowser);

} // namespace tavro::ErrorPresenter
