// How long a full scan takes over five installed browsers with fifty profiles between them, alone
// and among 150 other installed applications.
// Prints the times; asserts nothing about them. Run: build/tests/Discovery/DiscoveryBenchTests

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Discovery/DiscoveryFixtures.h"

#include <QCoro/QCoroTask>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

using namespace tavro;

namespace {

struct Browser
{
    const char* app;
    const char* bundleIdentifier;
    const char* subpath; // nullptr: the Firefox folder
};

const Browser browsers[]{
    {"Google Chrome", "com.google.Chrome", "Google/Chrome"},
    {"Brave Browser", "com.brave.Browser", "BraveSoftware/Brave-Browser"},
    {"Microsoft Edge", "com.microsoft.edgemac", "Microsoft Edge"},
    {"Vivaldi", "com.vivaldi.Vivaldi", "Vivaldi"},
    {"Firefox", "org.mozilla.firefox", nullptr},
};
constexpr int profilesPerBrowser = 10;

void report(const char* what, QList<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const double median = nanoseconds.at(nanoseconds.size() / 2) / 1e6;
    std::cout << "[bench] " << what << ": median " << median << " ms, fastest " << nanoseconds.first() / 1e6
              << " ms, slowest " << nanoseconds.last() / 1e6 << " ms over " << nanoseconds.size() << " runs"
              << std::endl;
}

// The five browsers with their profiles, in `home`.
void installBrowsers(const test::TempHome& home)
{
    for (const Browser& browser : browsers) {
        test::installApp(home, browser.app, browser.bundleIdentifier);
        if (browser.subpath) {
            QList<std::pair<QString, QString>> profiles;
            for (int i = 0; i < profilesPerBrowser; ++i)
                profiles.append({i == 0 ? QStringLiteral("Default") : QStringLiteral("Profile %1").arg(i),
                    QStringLiteral("Person %1").arg(i + 1)});
            test::writeLocalState(home, browser.subpath, profiles);
            continue;
        }
        // Half the Firefox profiles in "profiles.ini", half in a profile-group store.
        QByteArray ini = "[General]\nVersion=2\n\n[Profile0]\nName=Group\nStoreID=bench\nPath=Profiles/group\n";
        for (int i = 1; i <= profilesPerBrowser / 2; ++i)
            ini += "[Profile" + QByteArray::number(i) + "]\nName=ini" + QByteArray::number(i) + "\nPath=Profiles/ini"
                + QByteArray::number(i) + "\n";
        home.writeFile(test::chromiumSupport + "Firefox/profiles.ini", ini);
        QDir().mkpath(home.filePath(test::chromiumSupport + "Firefox/Profile Groups"));
        test::SqliteDatabase store(home.filePath(test::chromiumSupport + "Firefox/Profile Groups/bench.sqlite"));
        store.exec("CREATE TABLE Profiles (id INTEGER PRIMARY KEY, path TEXT, name TEXT)");
        for (int i = 1; i <= profilesPerBrowser / 2; ++i)
            store.exec("INSERT INTO Profiles (path, name) VALUES ('Profiles/group" + QByteArray::number(i) + "', 'group"
                + QByteArray::number(i) + "')");
    }
}

QList<qint64> timeFullScans(const RealFileSystem& fs)
{
    QList<qint64> scans;
    for (int run = 0; run < 20; ++run) {
        QElapsedTimer timer;
        timer.start();
        DiscoveryCoordinator::fullScan(false, DiscoveryCoordinator::SafariScanMode::passive, fs);
        scans.append(timer.nsecsElapsed());
    }
    return scans;
}

TEST(DiscoveryBenchmark, FullScanOverFiveBrowsersWithFiftyProfiles)
{
    test::TempHome home;
    installBrowsers(home);

    const RealFileSystem fs;
    ASSERT_EQ(
        DiscoveryCoordinator::fullScan(false, DiscoveryCoordinator::SafariScanMode::passive, fs).destinations.size(),
        50);
    report("full scan", timeFullScans(fs));

    // The whole refresh: the scan on its queue, then the merge into a store that already holds the list.
    UserDefaults defaults(home.filePath(QStringLiteral("Library/Preferences/bench.ini")));
    SettingsStore settings(defaults);
    QList<qint64> refreshes;
    for (int run = 0; run < 20; ++run) {
        QElapsedTimer timer;
        timer.start();
        QCoro::waitFor(DiscoveryCoordinator::refresh(settings, DiscoveryCoordinator::SafariScanMode::passive));
        refreshes.append(timer.nsecsElapsed());
    }
    report("refresh with merge", refreshes);
    EXPECT_EQ(settings.settings().destinations.size(), 50);
}

// Every browser looks itself up among the installed applications; many other applications should
// cost the scan little (aim: within one and a half times).
TEST(DiscoveryBenchmark, FullScanWithOneHundredFiftyOtherApplicationsInstalled)
{
    test::TempHome home;
    installBrowsers(home);
    const RealFileSystem fs;
    DiscoveryCoordinator::fullScan(false, DiscoveryCoordinator::SafariScanMode::passive, fs);
    const QList<qint64> alone = timeFullScans(fs);
    report("full scan, browsers alone", alone);

    for (int i = 0; i < 150; ++i)
        test::installApp(home, QStringLiteral("Other %1").arg(i), QStringLiteral("org.example.other%1").arg(i));
    ASSERT_EQ(
        DiscoveryCoordinator::fullScan(false, DiscoveryCoordinator::SafariScanMode::passive, fs).destinations.size(),
        50);
    const QList<qint64> crowded = timeFullScans(fs);
    report("full scan, 150 other applications", crowded);
    auto median = [](QList<qint64> times) {
        std::sort(times.begin(), times.end());
        return double(times.at(times.size() / 2));
    };
    std::cout << "[bench] ratio: " << median(crowded) / median(alone) << " (aim: within 1.5)" << std::endl;
}

} // namespace
