#include "Tavro/Discovery/ProfileWatcher.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/FileEvents.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Discovery/DiscoveryFixtures.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

struct RelevanceCase
{
    const char* name;
    QString path;
    bool relevant;

    friend void PrintTo(const RelevanceCase& c, std::ostream* os) { *os << c.name; }
};

const QString safariProfiles = QStringLiteral("/h/Library/Containers/com.apple.Safari/Data/Library/Safari/Profiles");

class RelevanceTest : public ::testing::TestWithParam<RelevanceCase>
{ };

TEST_P(RelevanceTest, Decides)
{
    EXPECT_EQ(ProfileWatcher::isRelevant(GetParam().path, safariProfiles), GetParam().relevant);
}

INSTANTIATE_TEST_SUITE_P(Cases, RelevanceTest,
    ::testing::Values(RelevanceCase{"LocalState", "/h/Library/Application Support/Google/Chrome/Local State", true},
        RelevanceCase{"ProfilesIni", "/h/Library/Application Support/Firefox/profiles.ini", true},
        RelevanceCase{"Preferences", "/h/Library/Application Support/Google/Chrome/Default/Preferences", false},
        RelevanceCase{"LocalStateTemporary", "/h/Library/Application Support/Chromium/Local State~RF1a2b.TMP", false},
        RelevanceCase{"ProfileGroupStore", "/h/Library/Application Support/Firefox/Profile Groups/abc.sqlite", true},
        RelevanceCase{
            "ProfileGroupJournal", "/h/Library/Application Support/Firefox/Profile Groups/abc.sqlite-wal", false},
        RelevanceCase{"SqliteElsewhere", "/h/Library/Application Support/Firefox/Profiles/x/places.sqlite", false},
        RelevanceCase{"SafariProfileFolder", safariProfiles + "/3F2A", true},
        RelevanceCase{"InsideASafariProfile", safariProfiles + "/3F2A/Cookies", false},
        RelevanceCase{"SafariProfilesItself", safariProfiles, false}),
    [](const auto& info) { return std::string(info.param.name); });

class ProfileWatcherTest : public ::testing::Test
{
protected:
    static constexpr auto debounce = 400ms;

    ProfileWatcherTest() : defaults(home.filePath(QStringLiteral("Library/Preferences/test.ini"))), store(defaults) { }

    std::unique_ptr<ProfileWatcher> startWatcher()
    {
        auto watcher = std::make_unique<ProfileWatcher>(store, 10ms, debounce);
        refreshes = std::make_unique<QSignalSpy>(watcher.get(), &ProfileWatcher::refreshed);
        watcher->start();
        return watcher;
    }

    // Whether a refresh beyond the first `count` comes within the debounce and a scan, twice over:
    // the time a refresh that is due takes to come.
    bool moreRefreshesThan(int count)
    {
        return QTest::qWaitFor([&] { return refreshes->count() > count; }, int(debounce.count()) * 4);
    }

    void installChromium()
    {
        test::installApp(home, "Chromium", "org.chromium.Chromium");
        test::writeLocalState(home, "Chromium", {{"Default", "Person 1"}});
        home.writeFile(test::chromiumSupport + "Chromium/Default/Preferences", "{}");
    }

    void rewriteLocalState(const QString& name) { test::writeLocalState(home, "Chromium", {{"Default", name}}); }

    test::TempHome home;
    UserDefaults defaults;
    SettingsStore store;
    std::unique_ptr<QSignalSpy> refreshes;
};

TEST_F(ProfileWatcherTest, NoDataFolderMeansNoStream)
{
    test::installApp(home, "Chromium", "org.chromium.Chromium");
    auto watcher = startWatcher();
    EXPECT_TRUE(watcher->watchDirectories().isEmpty());
    EXPECT_FALSE(watcher->isWatching());
}

TEST_F(ProfileWatcherTest, WatchesEachInstalledBrowsersDataFolderOnce)
{
    installChromium();
    test::installApp(home, "Google Chrome", "com.google.Chrome"); // no data folder
    test::installApp(home, "Firefox", "org.mozilla.firefox");
    test::installApp(home, "Zen", "app.zen-browser.zen");
    test::installApp(home, "Safari", "com.apple.Safari");
    test::installApp(home, "Arc", "company.thebrowser.Browser");
    QDir().mkpath(home.filePath(test::chromiumSupport + "Firefox"));
    QDir().mkpath(home.filePath(test::safariContainer + "/Profiles"));
    ProfileWatcher watcher(store);
    QStringList directories = watcher.watchDirectories();
    directories.sort();
    EXPECT_EQ(directories,
        (QStringList{home.filePath(test::chromiumSupport + "Chromium"),
            home.filePath(test::chromiumSupport + "Firefox"), home.filePath(test::safariContainer + "/Profiles")}));
}

TEST_F(ProfileWatcherTest, AWriteToLocalStateRefreshesOnce)
{
    installChromium();
    auto watcher = startWatcher();
    ASSERT_TRUE(watcher->isWatching());
    rewriteLocalState("Renamed");
    ASSERT_TRUE(refreshes->wait(5000));
    EXPECT_FALSE(moreRefreshesThan(1));
    ASSERT_EQ(store.settings().destinations.size(), 1);
    EXPECT_EQ(store.settings().destinations.first().profileDisplayName, "Renamed");
}

// Browsers save "Local State" into a temporary file and rename it over the old one.
TEST_F(ProfileWatcherTest, ARenameOverLocalStateRefreshesOnceEachTime)
{
    installChromium();
    auto watcher = startWatcher();
    for (const QString& name : {QStringLiteral("First"), QStringLiteral("Second")}) {
        const QString temporary = home.filePath(test::chromiumSupport + "Chromium/Local State~RF4d2.TMP");
        QFile::copy(home.filePath(test::chromiumSupport + "Chromium/Local State"), temporary);
        QFile file(temporary);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(R"({"profile":{"info_cache":{"Default":{"name":")" + name.toUtf8() + R"("}}}})");
        file.close();
        ASSERT_EQ(::rename(QFile::encodeName(temporary).constData(),
                      QFile::encodeName(home.filePath(test::chromiumSupport + "Chromium/Local State")).constData()),
            0);
        const int before = refreshes->count();
        ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes->count() > before; }, 5000));
        EXPECT_FALSE(moreRefreshesThan(before + 1));
        EXPECT_EQ(store.settings().destinations.first().profileDisplayName, name);
    }
}

TEST_F(ProfileWatcherTest, TenQuickWritesGiveOneRefresh)
{
    installChromium();
    test::installApp(home, "Firefox", "org.mozilla.firefox");
    home.writeFile(test::chromiumSupport + "Firefox/profiles.ini", "[Profile0]\nName=a\n");
    auto watcher = startWatcher();
    for (int i = 0; i < 10; ++i)
        home.writeFile(
            test::chromiumSupport + "Firefox/profiles.ini", "[Profile0]\nName=p" + QByteArray::number(i) + "\n");
    ASSERT_TRUE(refreshes->wait(5000));
    EXPECT_FALSE(moreRefreshesThan(1));
}

TEST_F(ProfileWatcherTest, OtherChangesGiveNoRefresh)
{
    installChromium();
    test::installApp(home, "Firefox", "org.mozilla.firefox");
    home.writeFile(test::chromiumSupport + "Firefox/profiles.ini", "[Profile0]\nName=a\n");
    home.writeFile(test::chromiumSupport + "Firefox/Profile Groups/g.sqlite", "");
    test::installApp(home, "Safari", "com.apple.Safari");
    QDir().mkpath(home.filePath(test::safariContainer + "/Profiles/P1"));
    auto watcher = startWatcher();

    home.writeFile(test::chromiumSupport + "Chromium/Default/Preferences", R"({"profile":{"name":"x"}})");
    home.writeFile(test::chromiumSupport + "Chromium/Default/Cookies", "c");
    home.writeFile(test::chromiumSupport + "Firefox/Profile Groups/g.sqlite-wal", "wal");
    home.writeFile(test::safariContainer + "/Profiles/P1/Cookies", "c");
    EXPECT_FALSE(moreRefreshesThan(0));
}

TEST_F(ProfileWatcherTest, NewProfileGroupStoreOrSafariProfileRefreshes)
{
    test::installApp(home, "Firefox", "org.mozilla.firefox");
    test::installApp(home, "Safari", "com.apple.Safari");
    home.writeFile(test::chromiumSupport + "Firefox/profiles.ini", "[Profile0]\nName=a\n");
    QDir().mkpath(home.filePath(test::safariContainer + "/Profiles"));
    auto watcher = startWatcher();

    home.writeFile(test::chromiumSupport + "Firefox/Profile Groups/new.sqlite", "");
    ASSERT_TRUE(refreshes->wait(5000));
    EXPECT_FALSE(moreRefreshesThan(1));

    QDir().mkpath(home.filePath(test::safariContainer + "/Profiles/NEW-PROFILE"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes->count() == 2; }, 5000));
}

TEST_F(ProfileWatcherTest, DestroyingTheWatcherCancelsThePendingRefresh)
{
    installChromium();
    auto watcher = startWatcher();
    // A stream of the test's own on the folder shows when the change has reached the watcher's.
    const QString localState = home.filePath(test::chromiumSupport + "Chromium/Local State");
    FileEvents witness({QFileInfo(localState).path()}, QStringLiteral("test.witness"), 10ms);
    QObject receiver;
    QStringList witnessed;
    QObject::connect(&witness, &FileEvents::changed, &receiver, [&](const QStringList& paths) { witnessed += paths; });
    ASSERT_TRUE(witness.start());
    rewriteLocalState("Gone");
    ASSERT_TRUE(QTest::qWaitFor([&] { return witnessed.contains(localState); }, 5000));
    watcher.reset(); // the debounce has not run out
    EXPECT_FALSE(QTest::qWaitFor([&] { return !store.settings().destinations.isEmpty(); }, int(debounce.count()) * 4));
}

} // namespace
