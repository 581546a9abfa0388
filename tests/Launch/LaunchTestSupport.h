#pragma once

#include "tests/Support/QtPrinting.h"
// Shared set-up of the launch tests: a temporary HOME with its Applications folder, the
// platform stand-ins reset, short waits, and destinations built in one line.

#include "Tavro/Launch/AutomationTiming.h"
#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Launch/SafariWindowCache.h"
#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Support/TempHome.h"

#include <QCoro/QCoroTask>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <ostream>

namespace tavro::test {

inline BrowserDestination destination(const QString& bundleIdentifier, const QString& browserName,
    const LaunchStrategy& strategy, const QString& profileName = QStringLiteral("Default"))
{
    BrowserDestination d;
    d.id = QUuid::createUuid();
    d.browserID = browserName.toLower();
    d.browserDisplayName = browserName;
    d.browserBundleIdentifier = bundleIdentifier;
    d.profileDisplayName = profileName;
    d.launchStrategy = strategy;
    return d;
}

class LaunchFixture : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (qint64 pid : WorkspaceHost::startedProcesses())
            ::kill(pid_t(pid), SIGKILL);
    }

    QString apps() const { return home.filePath(QStringLiteral("Applications")); }

    std::expected<void, LaunchFailure> open(
        const std::optional<QUrl>& url, const BrowserDestination& d, bool privately = false)
    {
        return QCoro::waitFor(BrowserLaunchService::open(url, d, privately, timing));
    }

    QList<LaunchRecord::Kind> launchKinds() const
    {
        QList<LaunchRecord::Kind> kinds;
        for (const LaunchRecord& record : WorkspaceHost::launches())
            kinds.append(record.kind);
        return kinds;
    }

    TempHome home;
    // Every wait at a hundredth of its production length.
    AutomationTiming timing = AutomationTiming{}.scaled(0.01);
};

} // namespace tavro::test
