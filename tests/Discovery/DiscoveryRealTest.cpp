// Checks against the real browsers of the machine: Debian's Chromium under Xvfb and firefox-esr
// write their own profile files, which the scan and the watcher then read.

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Discovery/ProfileWatcher.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Platform/WorkspaceHost.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Support/Xvfb.h"

#include <QCoro/QCoroTask>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

const QString chromiumId = QStringLiteral("org.chromium.Chromium");

// The browser binary itself: Debian's /usr/bin/chromium is a shell script, and a terminated
// script would leave the browser running without the orderly exit that saves "Local State".
QString chromiumBinary()
{
    if (QFileInfo(QStringLiteral("/usr/lib/chromium/chromium")).isExecutable())
        return QStringLiteral("/usr/lib/chromium/chromium");
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

class RealBrowsersTest : public ::testing::Test
{
protected:
    RealBrowsersTest() : defaults(home.filePath(QStringLiteral("Library/Preferences/test.ini"))), store(defaults)
    {
        WorkspaceHost::reset();
    }
    ~RealBrowsersTest() override
    {
        for (auto& process : processes)
            stop(*process);
        WorkspaceHost::reset();
    }

    QString userDataDir() const { return home.filePath(test::chromiumSupport + QStringLiteral("Chromium")); }

    QProcess& startChromium(const QString& profileDirectory)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), xvfb.display());
        env.insert(QStringLiteral("HOME"), home.path());
        process->setProcessEnvironment(env);
        // Chromium complains at length about the missing session bus; none of it matters here.
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(chromiumBinary(),
            {"--no-sandbox", "--no-first-run", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--disable-quic", "--password-store=basic",
                "--user-data-dir=" + userDataDir(), "--profile-directory=" + profileDirectory, "about:blank"});
        EXPECT_TRUE(process->waitForStarted(10000));
        processes.push_back(std::move(process));
        return *processes.back();
    }

    // A terminate before Chromium has finished starting would kill it outright; once its window is
    // mapped it exits in order.
    bool waitForWindow(const QProcess& process) const
    {
        const QString pid = QString::number(process.processId());
        return QTest::qWaitFor(
            [&] {
                return xvfb.run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", pid}) == 0;
            },
            30000);
    }

    // An orderly exit, which is when Chromium saves "Local State" for good.
    static void stop(QProcess& process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // The profiles' names as Chromium wrote them: folder → name.
    QHash<QString, QString> chromiumNames() const
    {
        QFile file(userDataDir() + QStringLiteral("/Local State"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QJsonObject cache = QJsonDocument::fromJson(file.readAll())
                                      .object()
                                      .value("profile")
                                      .toObject()
                                      .value("info_cache")
                                      .toObject();
        QHash<QString, QString> names;
        for (auto it = cache.begin(); it != cache.end(); ++it)
            names.insert(it.key(), it.value().toObject().value("name").toString());
        return names;
    }

    // Two profiles of Chromium's own making: the browser starts in Default, and a second
    // invocation asks the running browser for a window in "Profile 1".
    void makeTwoChromiumProfiles()
    {
        ASSERT_TRUE(xvfb.isRunning());
        ASSERT_FALSE(chromiumBinary().isEmpty());
        test::installApp(home, "Chromium", chromiumId);
        QProcess& browser = startChromium(QStringLiteral("Default"));
        ASSERT_TRUE(waitForWindow(browser));
        QProcess& second = startChromium(QStringLiteral("Profile 1"));
        second.waitForFinished(20000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(userDataDir() + "/Profile 1"); }, 30000));
        // The folder comes first; the profile joins the list that "Local State" keeps once its
        // window is open. Stopped earlier, a loaded machine saves a list with Default alone.
        const QString pid = QString::number(browser.processId());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                QByteArray windows;
                xvfb.run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", pid}, &windows);
                return windows.trimmed().split('\n').size() >= 2;
            },
            30000));
        stop(browser);
    }

    QList<BrowserDestination> scanChromium()
    {
        const DiscoveryCoordinator::ScanOutcome outcome
            = DiscoveryCoordinator::fullScan(false, DiscoveryCoordinator::SafariScanMode::passive, fs);
        EXPECT_TRUE(outcome.unreliable.isEmpty());
        return outcome.destinations;
    }

    test::TempHome home;
    test::Xvfb xvfb;
    RealFileSystem fs;
    UserDefaults defaults;
    SettingsStore store;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(RealBrowsersTest, ChromiumProfilesBecomeDestinationsWithTheirOwnNames)
{
    makeTwoChromiumProfiles();
    const QHash<QString, QString> names = chromiumNames();
    const QList<BrowserDestination> destinations = scanChromium();
    ASSERT_EQ(destinations.size(), 2);
    QStringList folders;
    for (const BrowserDestination& d : destinations) {
        ASSERT_TRUE(d.profileID.has_value());
        folders.append(*d.profileID);
        EXPECT_EQ(d.browserBundleIdentifier, chromiumId);
        EXPECT_EQ(d.launchStrategy, LaunchStrategy::chromiumProfileDirectory(*d.profileID));
        EXPECT_EQ(d.profileDisplayName, names.value(*d.profileID));
        EXPECT_FALSE(d.profileDisplayName.isEmpty());
        EXPECT_NE(d.profileDisplayName, *d.profileID); // the browser's name, not the folder's
    }
    EXPECT_EQ(folders, (QStringList{"Default", "Profile 1"}));
}

TEST_F(RealBrowsersTest, WatcherSeesChromiumRewriteLocalState)
{
    makeTwoChromiumProfiles();
    QCoro::waitFor(DiscoveryCoordinator::refresh(store, DiscoveryCoordinator::SafariScanMode::passive));
    ASSERT_EQ(store.settings().destinations.size(), 2);
    const QUuid id = store.settings().destinations.at(1).id;

    // The user renames the profile; Chromium keeps the name and saves it in its next rewrite.
    QFile file(userDataDir() + QStringLiteral("/Local State"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QJsonObject profile = root.value("profile").toObject();
    QJsonObject cache = profile.value("info_cache").toObject();
    QJsonObject entry = cache.value("Profile 1").toObject();
    entry.insert("name", "Renamed by the user");
    cache.insert("Profile 1", entry);
    profile.insert("info_cache", cache);
    root.insert("profile", profile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(root).toJson());
    file.close();

    ProfileWatcher watcher(store, 100ms, 300ms);
    QSignalSpy refreshes(&watcher, &ProfileWatcher::refreshed);
    watcher.start();
    ASSERT_TRUE(watcher.isWatching());
    EXPECT_FALSE(refreshes.wait(500)); // the edit came before the watch

    QProcess& browser = startChromium(QStringLiteral("Default"));
    ASSERT_TRUE(waitForWindow(browser));
    stop(browser);
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes.count() > 0; }, 15000));
    const auto& destinations = store.settings().destinations;
    ASSERT_EQ(destinations.size(), 2);
    EXPECT_EQ(destinations.at(1).id, id);
    EXPECT_EQ(destinations.at(1).profileDisplayName, "Renamed by the user");
}

TEST_F(RealBrowsersTest, FirefoxProfileBecomesADestination)
{
    const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
    ASSERT_FALSE(firefox.isEmpty());
    test::installApp(home, "Firefox", "org.mozilla.firefox");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    process.setProcessEnvironment(env);
    process.start(firefox, {"--headless", "-CreateProfile", "Work"});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0);

    // Firefox keeps its folder in the XDG configuration folder or in ~/.mozilla, by version.
    QString root;
    for (const QString& candidate : {QStringLiteral(".config/mozilla/firefox"), QStringLiteral(".mozilla/firefox")}) {
        if (QFileInfo::exists(home.filePath(candidate + QStringLiteral("/profiles.ini"))))
            root = home.filePath(candidate);
    }
    ASSERT_FALSE(root.isEmpty());
    QDir().mkpath(home.filePath(test::chromiumSupport));
    ASSERT_TRUE(QFile::link(root, home.filePath(test::chromiumSupport + QStringLiteral("Firefox"))));

    const QList<BrowserDestination> destinations = scanChromium();
    ASSERT_EQ(destinations.size(), 1);
    const BrowserDestination& work = destinations.first();
    EXPECT_EQ(work.browserID, "firefox");
    EXPECT_EQ(work.profileDisplayName, "Work");
    EXPECT_EQ(work.launchStrategy, LaunchStrategy::firefoxProfile("Work"));
    ASSERT_TRUE(work.profileID.has_value());
    EXPECT_TRUE(QFileInfo(root + QLatin1Char('/') + *work.profileID).isDir()) << work.profileID->toStdString();
}

} // namespace
