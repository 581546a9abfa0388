#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Discovery/DiscoveryFixtures.h"

#include <QCoro/QCoroTask>
#include <QFuture>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace tavro;
using namespace tavro::DiscoveryCoordinator;

namespace {

const QString chrome = QStringLiteral("com.google.Chrome");
const QString chromium = QStringLiteral("org.chromium.Chromium");
const QString brave = QStringLiteral("com.brave.Browser");
const QString firefox = QStringLiteral("org.mozilla.firefox");
const QString firefoxDev = QStringLiteral("org.mozilla.firefoxdeveloperedition");
const QString zen = QStringLiteral("app.zen-browser.zen");
const QString safari = QStringLiteral("com.apple.Safari");

// One line per destination: what a scan decides about it.
QString summary(const BrowserDestination& d)
{
    return QStringList{d.browserID, d.profileID.value_or(QStringLiteral("-")), d.profileDisplayName,
        LaunchStrategy::caseName(d.launchStrategy.kind()) + QLatin1Char(':') + d.launchStrategy.value(),
        QString::number(d.sortOrder)}
        .join(QLatin1Char('|'));
}

QStringList summaries(const QList<BrowserDestination>& destinations)
{
    QStringList lines;
    for (const BrowserDestination& d : destinations)
        lines.append(summary(d));
    return lines;
}

class DiscoveryCoordinatorTest : public ::testing::Test
{
protected:
    DiscoveryCoordinatorTest()
        : defaults(home.filePath(QStringLiteral("Library/Preferences/test.ini"))), store(defaults)
    {
        QObject::connect(&store, &SettingsStore::settingsChanged, [this] { ++settingsChanged; });
    }

    ScanOutcome scan(SafariScanMode mode = SafariScanMode::passive, bool hasRealSafariProfile = false)
    {
        return fullScan(hasRealSafariProfile, mode, fs);
    }

    void refresh(SafariScanMode mode = SafariScanMode::passive,
        std::shared_ptr<const FileSystemReading> fileSystem = std::make_shared<RealFileSystem>())
    {
        QCoro::waitFor(DiscoveryCoordinator::refresh(store, mode, std::move(fileSystem)));
    }

    QString localStatePath(const QString& subpath) const
    {
        return home.filePath(test::chromiumSupport + subpath + QStringLiteral("/Local State"));
    }

    // Safari running as a simulation with a File menu of these (identifier, title) items.
    std::unique_ptr<SimulatedBrowser> runSafari(const QList<std::pair<QString, QString>>& items)
    {
        auto browser
            = std::make_unique<SimulatedBrowser>(safari, home.filePath(QStringLiteral("Applications/Safari.app")));
        SimulatedBrowser::Menu file{QStringLiteral("File"), {}};
        for (const auto& [identifier, title] : items)
            file.items.append(SimulatedBrowser::item(identifier, title));
        browser->setMenus({file});
        return browser;
    }

    test::TempHome home;
    RealFileSystem fs;
    UserDefaults defaults;
    SettingsStore store;
    int settingsChanged = 0;
};

TEST_F(DiscoveryCoordinatorTest, NothingInstalledFindsNothing)
{
    const ScanOutcome outcome = scan(SafariScanMode::interactive);
    EXPECT_TRUE(outcome.destinations.isEmpty());
    EXPECT_EQ(outcome.hint, SafariHint::none);
    EXPECT_TRUE(outcome.unreliable.isEmpty());
    EXPECT_EQ(outcome.browserDataHint, BrowserDataHint::none());
}

TEST_F(DiscoveryCoordinatorTest, ScansEveryFamilyInTableOrder)
{
    test::installApp(home, "Google Chrome", chrome);
    test::installApp(home, "Brave Browser", brave);
    test::installApp(home, "Arc", "company.thebrowser.Browser");
    test::installApp(home, "Safari", safari);
    test::installApp(home, "Firefox", firefox);
    test::installApp(home, "Tor Browser", "org.torproject.torbrowser", false);
    home.writeFile(test::chromiumSupport + "Google/Chrome/Local State", R"({"profile":{
        "profiles_order":["Profile 1","Default"],
        "info_cache":{"Default":{"name":"Personal","gaia_picture_file_name":"Google Profile Picture.png"},
                      "Profile 1":{"name":"Work","gaia_picture_file_name":"Google Profile Picture.png"}}}})");
    home.writeFile(test::chromiumSupport + "Google/Chrome/Default/Google Profile Picture.png", "png");
    QDir().mkpath(home.filePath(test::chromiumSupport + "Google/Chrome/Profile 1"));
    home.writeFile(test::chromiumSupport + "Firefox/profiles.ini",
        "[General]\nStartWithLastProfile=1\n\n[Profile1]\nName=dev\nPath=Profiles/x.dev\n\n"
        "[Profile0]\nName=default-release\nIsRelative=1\nPath=Profiles/y.default-release\nDefault=1\n");
    test::writeSafariTabs(home, {"Home", "School"});

    const ScanOutcome outcome = scan();
    EXPECT_EQ(summaries(outcome.destinations),
        (QStringList{
            "chrome|Profile 1|Work|chromiumProfileDirectory:Profile 1|0",
            "chrome|Default|Personal|chromiumProfileDirectory:Default|1",
            "brave|-|Current Profile|browserCurrentProfile:|0",
            "arc|-|Arc|browserCurrentProfile:|0",
            "firefox|Profiles/x.dev|dev|firefoxProfile:dev|0",
            "firefox|Profiles/y.default-release|default-release|firefoxProfile:default-release|1",
            "tor|-|Tor|browserCurrentProfile:|0",
            "safari|Home|Home|safariProfile:Home|0",
            "safari|School|School|safariProfile:School|1",
        }));
    EXPECT_EQ(outcome.hint, SafariHint::none);
    EXPECT_TRUE(outcome.unreliable.isEmpty());
    EXPECT_EQ(outcome.browserDataHint, BrowserDataHint::none());

    const BrowserDestination& work = outcome.destinations.at(0);
    EXPECT_EQ(work.browserDisplayName, "Google Chrome");
    EXPECT_EQ(work.browserBundleIdentifier, chrome);
    EXPECT_EQ(work.browserExecutablePath, home.filePath("Applications/Google Chrome.app/Contents/MacOS/Google Chrome"));
    EXPECT_FALSE(work.profilePhotoPath.has_value());
    EXPECT_EQ(outcome.destinations.at(1).profilePhotoPath,
        home.filePath(test::chromiumSupport + "Google/Chrome/Default/Google Profile Picture.png"));
    // A bundle without its executable is still installed.
    EXPECT_FALSE(outcome.destinations.at(6).browserExecutablePath.has_value());
    for (const BrowserDestination& d : outcome.destinations) {
        EXPECT_TRUE(d.isVisible && d.isAvailable);
        EXPECT_FALSE(d.hotkey || d.profileEmoji || d.nodeColorHex);
    }
    EXPECT_FALSE(outcome.destinations.at(7).browserExecutablePath.has_value()); // Safari's never carries one
}

// A browser found through its desktop entry keeps its profiles where it does on Linux; a browser
// installed both ways is listed once, from its bundle.
TEST_F(DiscoveryCoordinatorTest, DesktopEntriesReadTheirLinuxFolders)
{
    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Browser\nExec=sh %U\n";
    home.writeFile(".xdg-data/applications/chromium.desktop", entry);
    home.writeFile(".xdg-data/applications/firefox-esr.desktop", entry);
    home.writeFile(".xdg-data/applications/google-chrome.desktop", entry);
    test::installApp(home, "Google Chrome", chrome);
    home.writeFile(".config/chromium/Local State",
        R"({"profile":{"profiles_order":["Default","Profile 1"],"info_cache":{"Default":{"name":"Home"},)"
        R"("Profile 1":{"name":"Work"}}}})");
    QDir().mkpath(home.filePath(".config/chromium/Default"));
    QDir().mkpath(home.filePath(".config/chromium/Profile 1"));
    home.writeFile(".mozilla/firefox/profiles.ini", "[Profile0]\nName=default-esr\nPath=abc.default-esr\n");
    // What a bundle would read is not consulted for an entry.
    test::writeLocalState(home, "Chromium", {{"Default", "Library"}});

    EXPECT_EQ(summaries(scan().destinations),
        (QStringList{
            "chrome|-|Current Profile|browserCurrentProfile:|0",
            "chromium|Default|Home|chromiumProfileDirectory:Default|0",
            "chromium|Profile 1|Work|chromiumProfileDirectory:Profile 1|1",
            "firefox|abc.default-esr|default-esr|firefoxProfile:default-esr|0",
        }));
}

// Snaps and Flatpaks export their entries into folders the system puts on XDG_DATA_DIRS, and keep
// their profiles inside their sandboxes, not where the same browser from a package would.
TEST_F(DiscoveryCoordinatorTest, SnapAndFlatpakBrowsersReadTheirSandboxes)
{
    qputenv("XDG_DATA_DIRS",
        (home.filePath(".xdg-data") + ':' + home.filePath(".local/share/flatpak/exports/share") + ':'
            + home.filePath("var/lib/flatpak/exports/share"))
            .toUtf8());
    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Browser\nExec=sh %U\n";
    home.writeFile(".xdg-data/applications/chromium_chromium.desktop", entry);
    home.writeFile(".local/share/flatpak/exports/share/applications/org.mozilla.firefox.desktop", entry);
    home.writeFile("var/lib/flatpak/exports/share/applications/com.brave.Browser.desktop", entry);
    const auto chromiumProfile = [&](const QString& folder, const QByteArray& name) {
        home.writeFile(folder + "/Local State",
            R"({"profile":{"profiles_order":["Default"],"info_cache":{"Default":{"name":")" + name + R"("}}}})");
        QDir().mkpath(home.filePath(folder + "/Default"));
    };
    chromiumProfile("snap/chromium/common/chromium", "Snapped");
    chromiumProfile(".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser", "Flat");
    chromiumProfile(".config/chromium", "Packaged");
    home.writeFile(".var/app/org.mozilla.firefox/.mozilla/firefox/profiles.ini", "[Profile0]\nName=Work\nPath=w\n");
    home.writeFile(".mozilla/firefox/profiles.ini", "[Profile0]\nName=Packaged\nPath=p\n");

    const QList<BrowserDestination> destinations = scan().destinations;
    EXPECT_EQ(summaries(destinations),
        (QStringList{
            "chromium|Default|Snapped|chromiumProfileDirectory:Default|0",
            "brave|Default|Flat|chromiumProfileDirectory:Default|0",
            "firefox|w|Work|firefoxProfile:Work|0",
        }));
    QStringList names;
    for (const BrowserDestination& d : destinations)
        names.append(d.browserDisplayName);
    EXPECT_EQ(names, (QStringList{"Chromium", "Brave", "Firefox"}));
}

// One way of installing Chromium and Firefox: where the entries go, what they run, where the
// browsers keep their profiles (Firefox's are those of a fresh install, in the XDG folder inside a
// sandbox), and the profiles there. An empty entry id leaves that browser out.
struct InstallLayout
{
    QString installName; // what tells its identifiers apart: "", "Flatpak", "Snap"
    QString entries;     // the applications folder, below the home
    QString chromiumEntry;
    QString firefoxEntry;
    QString program; // what the entries run, below the home
    QString chromiumData;
    QString firefoxData;
    QByteArray chromiumName; // of the Default profile
    QByteArray firefoxProfiles;
};

const InstallLayout package{"", ".xdg-data/applications", "chromium.desktop", "firefox-esr.desktop", "bin/browser",
    ".config/chromium", ".mozilla/firefox", "Person 1",
    "[Profile0]\nName=default-esr\nPath=a.default-esr\n[Profile1]\nName=work\nPath=b.work\n"};
const InstallLayout flatpak{"Flatpak", ".local/share/flatpak/exports/share/applications",
    "org.chromium.Chromium.desktop", "org.mozilla.firefox.desktop", "bin/flatpak",
    ".var/app/org.chromium.Chromium/config/chromium", ".var/app/org.mozilla.firefox/config/mozilla/firefox", "Flat",
    "[Profile0]\nName=work\nPath=b.work\n"};
const InstallLayout snap{"Snap", "var/lib/snapd/desktop/applications", "chromium_chromium.desktop",
    "firefox_firefox.desktop", "bin/snap-run", "snap/chromium/common/chromium",
    "snap/firefox/common/.config/mozilla/firefox", "Snapped", "[Profile0]\nName=work\nPath=b.work\n"};

// A layout with one of its two browsers only.
InstallLayout onlyChromium(InstallLayout layout)
{
    layout.firefoxEntry.clear();
    return layout;
}
InstallLayout onlyFirefox(InstallLayout layout)
{
    layout.chromiumEntry.clear();
    return layout;
}

struct SecondInstallCase
{
    const char* name;
    // In the order they were installed: the first one's destinations are decorated before the
    // others come.
    QList<InstallLayout> installs;
    // "<match key> <menu label>" of every destination once both are installed, in key order.
    QStringList both;

    friend void PrintTo(const SecondInstallCase& c, std::ostream* os) { *os << c.name; }
};

class SecondInstallTest : public DiscoveryCoordinatorTest, public ::testing::WithParamInterface<SecondInstallCase>
{
protected:
    void install(const InstallLayout& layout)
    {
        const QString program = home.writeFile(layout.program, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QString& id : {layout.chromiumEntry, layout.firefoxEntry}) {
            if (!id.isEmpty()) {
                home.writeFile(layout.entries + '/' + id,
                    "[Desktop Entry]\nType=Application\nName=Browser\nExec=" + program.toUtf8() + " %U\n");
            }
        }
        if (!layout.chromiumEntry.isEmpty()) {
            home.writeFile(layout.chromiumData + "/Local State",
                R"({"profile":{"info_cache":{"Default":{"name":")" + layout.chromiumName + R"("}}}})");
            QDir().mkpath(home.filePath(layout.chromiumData + "/Default"));
        }
        if (!layout.firefoxEntry.isEmpty())
            home.writeFile(layout.firefoxData + "/profiles.ini", layout.firefoxProfiles);
    }
    void uninstall(const InstallLayout& layout)
    {
        for (const QString& id : {layout.chromiumEntry, layout.firefoxEntry}) {
            if (!id.isEmpty()) {
                ASSERT_TRUE(QFile::remove(home.filePath(layout.entries + '/' + id)));
            }
        }
    }
    // The install that destination `d` opens: the one its identifier names, and for the
    // application's own identifier with no package of it installed, its only install.
    static const InstallLayout* installOf(const BrowserDestination& d, const QList<InstallLayout>& installs)
    {
        const QString name = DesktopApplications::installName(d.browserBundleIdentifier);
        const InstallLayout* only = nullptr;
        for (const InstallLayout& layout : installs) {
            if ((d.browserID == QLatin1String("chromium") ? layout.chromiumEntry : layout.firefoxEntry).isEmpty())
                continue;
            if (layout.installName == name)
                return &layout;
            only = &layout;
        }
        return name.isEmpty() ? only : nullptr;
    }
    QStringList keysAndLabels() const
    {
        QStringList lines;
        for (const BrowserDestination& d : store.settings().destinations)
            lines.append(d.matchKey() + ' ' + d.menuLabel());
        lines.sort();
        return lines;
    }
    const BrowserDestination* stored(const QUuid& id) const
    {
        const QList<BrowserDestination>& all = store.settings().destinations;
        const auto found = std::ranges::find(all, id, &BrowserDestination::id);
        return found == all.cend() ? nullptr : &*found;
    }
};

// Flatpak puts its exports first on XDG_DATA_DIRS. A second install of a browser never takes the
// destinations of the first: each keeps its settings and opens its own install's profile, through
// a restart, and when the package goes.
TEST_P(SecondInstallTest, EachInstallKeepsItsOwnDestinations)
{
    const SecondInstallCase& c = GetParam();
    qputenv("XDG_DATA_DIRS",
        (home.filePath(".local/share/flatpak/exports/share") + ':' + home.filePath("var/lib/snapd/desktop") + ':'
            + home.filePath(".xdg-data"))
            .toUtf8());
    install(c.installs.constFirst());
    refresh();
    const QList<BrowserDestination> first = store.settings().destinations;
    for (qsizetype i = 0; i < first.size(); ++i) {
        store.setHotkey(QString(QChar(char16_t(u'a' + i))), first.at(i).id);
        store.setProfileEmoji(QStringLiteral("🦊"), first.at(i).id);
        store.setNodeColor(quint32(0x100000 * (i + 1)), first.at(i).id);
    }
    // Both installs have a Firefox profile in "b.work".
    const auto work = std::ranges::find(first, std::optional<QString>("b.work"), &BrowserDestination::profileID);
    ASSERT_NE(work, first.cend());
    store.edit([&](AppSettings& s) { s.bypassDestinationKey = work->matchKey(); });
    const QList<BrowserDestination> decorated = store.settings().destinations;

    for (const InstallLayout& later : c.installs.mid(1))
        install(later);
    refresh();
    EXPECT_EQ(keysAndLabels(), c.both);
    for (const BrowserDestination& before : decorated) {
        const BrowserDestination* after = stored(before.id);
        ASSERT_TRUE(after) << before.matchKey().toStdString();
        EXPECT_EQ(std::tuple(after->hotkey, after->profileEmoji, after->nodeColorHex, after->sortOrder),
            std::tuple(before.hotkey, before.profileEmoji, before.nodeColorHex, before.sortOrder));
        EXPECT_EQ(
            DesktopApplications::installName(after->browserBundleIdentifier), c.installs.constFirst().installName);
    }
    EXPECT_EQ(store.settings().bypassDestinationKey, stored(work->id)->matchKey());
    const QList<BrowserDestination> both = store.settings().destinations;

    // A restart scans over the stored record and finds it as it is.
    UserDefaults reread(home.filePath(QStringLiteral("Library/Preferences/test.ini")));
    SettingsStore restarted(reread);
    QSignalSpy writes(&restarted, &SettingsStore::settingsChanged);
    QCoro::waitFor(
        DiscoveryCoordinator::refresh(restarted, SafariScanMode::passive, std::make_shared<RealFileSystem>()));
    EXPECT_EQ(restarted.settings(), store.settings());
    EXPECT_EQ(writes.count(), 0);

    for (const BrowserDestination& d : both) {
        const bool isChromium = d.browserID == QLatin1String("chromium");
        WorkspaceHost::clearLaunches();
        ASSERT_TRUE(QCoro::waitFor(
            BrowserLaunchService::open(QUrl("https://example.test/"), d, false, AutomationTiming{}.scaled(0.01))));
        ASSERT_EQ(WorkspaceHost::launches().size(), 1);
        const LaunchRecord launch = WorkspaceHost::launches().constFirst();
        const InstallLayout* opened = installOf(d, c.installs);
        ASSERT_TRUE(opened) << d.matchKey().toStdString();
        EXPECT_EQ(launch.bundlePath,
            home.filePath(opened->entries + '/' + (isChromium ? opened->chromiumEntry : opened->firefoxEntry)))
            << d.matchKey().toStdString();
        EXPECT_TRUE(launch.arguments.contains(
            isChromium ? QStringLiteral("--profile-directory=Default") : d.profileDisplayName))
            << d.matchKey().toStdString();
    }

    // The packages go: the other installs' destinations stay as they are.
    for (const InstallLayout& layout : c.installs) {
        if (layout.installName.isEmpty())
            uninstall(layout);
    }
    refresh();
    ASSERT_EQ(store.settings().destinations.size(), both.size());
    for (const BrowserDestination& before : both) {
        const BrowserDestination* after = stored(before.id);
        ASSERT_TRUE(after) << before.matchKey().toStdString();
        EXPECT_EQ(after->matchKey(), before.matchKey());
        const InstallLayout* install = installOf(before, c.installs);
        ASSERT_TRUE(install) << before.matchKey().toStdString();
        EXPECT_EQ(after->isAvailable, !install->installName.isEmpty()) << before.matchKey().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SecondInstallTest,
    ::testing::Values(
        SecondInstallCase{"FlatpakBesideThePackage", {package, flatpak},
            {"org.chromium.Chromium#Default Chromium (Person 1)",
                "org.chromium.Chromium@flatpak#Default Chromium (Flatpak) (Flat)",
                "org.mozilla.firefox#a.default-esr Firefox (default-esr)", "org.mozilla.firefox#b.work Firefox (work)",
                "org.mozilla.firefox@flatpak#b.work Firefox (Flatpak) (work)"}},
        SecondInstallCase{"PackageBesideTheFlatpak", {flatpak, package},
            {"org.chromium.Chromium#Default Chromium (Person 1)",
                "org.chromium.Chromium@flatpak#Default Chromium (Flatpak) (Flat)",
                "org.mozilla.firefox#a.default-esr Firefox (default-esr)", "org.mozilla.firefox#b.work Firefox (work)",
                "org.mozilla.firefox@flatpak#b.work Firefox (Flatpak) (work)"}},
        SecondInstallCase{"PackageBesideTheSnap", {snap, package},
            {"org.chromium.Chromium#Default Chromium (Person 1)",
                "org.chromium.Chromium@snap#Default Chromium (Snap) (Snapped)",
                "org.mozilla.firefox#a.default-esr Firefox (default-esr)", "org.mozilla.firefox#b.work Firefox (work)",
                "org.mozilla.firefox@snap#b.work Firefox (Snap) (work)"}},
        // firefox-esr first, then a Flatpak Firefox and a snap Chromium with no package of its own.
        SecondInstallCase{"FlatpakFirefoxAndSnapChromiumBesideFirefoxEsr",
            {onlyFirefox(package), onlyFirefox(flatpak), onlyChromium(snap)},
            {"org.chromium.Chromium#Default Chromium (Snapped)",
                "org.mozilla.firefox#a.default-esr Firefox (default-esr)", "org.mozilla.firefox#b.work Firefox (work)",
                "org.mozilla.firefox@flatpak#b.work Firefox (Flatpak) (work)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiscoveryCoordinatorTest, RefusedDataBlocksOnlyThatBrowser)
{
    test::installApp(home, "Google Chrome", chrome);
    test::installApp(home, "Chromium", chromium);
    test::installApp(home, "Firefox", firefox);
    test::writeLocalState(home, "Google/Chrome", {{"Default", "Personal"}});
    test::writeLocalState(home, "Chromium", {{"Default", "Mine"}});
    home.writeFile(test::chromiumSupport + "Firefox/profiles.ini", "[Profile0]\nName=default\n");

    const test::RefusingFileSystem refuseChrome({localStatePath("Google/Chrome")});
    ScanOutcome outcome = fullScan(false, SafariScanMode::passive, refuseChrome);
    EXPECT_EQ(summaries(outcome.destinations),
        (QStringList{"chromium|Default|Mine|chromiumProfileDirectory:Default|0",
            "firefox|default|default|firefoxProfile:default|0"}));
    EXPECT_EQ(outcome.unreliable, QSet<QString>{chrome});
    EXPECT_EQ(outcome.browserDataHint, BrowserDataHint::blocked({"Google Chrome"}));

    const test::RefusingFileSystem refuseTwo(
        {home.filePath(test::chromiumSupport + "Firefox/profiles.ini"), localStatePath("Google/Chrome")});
    outcome = fullScan(false, SafariScanMode::passive, refuseTwo);
    EXPECT_EQ(outcome.unreliable, (QSet<QString>{chrome, firefox}));
    EXPECT_EQ(outcome.browserDataHint, BrowserDataHint::blocked({"Google Chrome", "Firefox"}));
}

// Data caught half-written, or a profile-group store whose shape Firefox changed, says nothing
// about the profiles it hides: the browser stays unreliable, so that its stored destinations stay,
// and no hint asks the user for anything. What could be read still comes out, and a browser of
// which nothing was read gets its current profile unless it has stored profiles.
TEST_F(DiscoveryCoordinatorTest, UnusableDataKeepsTheBrowserUnreliableAndGivesWhatWasRead)
{
    test::installApp(home, "Google Chrome", chrome);
    test::installApp(home, "Firefox", firefox);
    test::installApp(home, "Firefox Developer Edition", firefoxDev);
    test::installApp(home, "Zen", zen);
    QDir().mkpath(home.filePath(test::chromiumSupport + "Firefox/Profile Groups"));
    test::SqliteDatabase(home.filePath(test::chromiumSupport + "Firefox/Profile Groups/s1.sqlite"))
        .exec("CREATE TABLE Profiles (id INTEGER PRIMARY KEY, path TEXT, title TEXT)");
    auto firefoxFamily = [](const QStringList& lines) {
        QStringList all;
        for (const char* id : {"firefox", "firefox-dev", "zen"}) {
            for (const QString& line : lines)
                all.append(id + line);
        }
        return all;
    };
    const QString halfWritten = R"({"profile":{"info_cache":{"Def)";
    const QString chromeCurrent = "chrome|-|Current Profile|browserCurrentProfile:|0";
    const QStringList allCurrent
        = QStringList{chromeCurrent} + firefoxFamily({"|-|Current Profile|browserCurrentProfile:|0"});
    const QStringList readFromIni
        = firefoxFamily({"|G|G|firefoxProfile:G|0", "|Profiles/d|default|firefoxProfile:default|1"});
    const QString brokenStoreIni = "[Profile0]\nName=G\nStoreID=s1\n[Profile1]\nName=default\nPath=Profiles/d\n";
    const struct
    {
        const char* name;
        QString localState;
        QByteArray profilesIni;
        QStringList firstScan;  // nothing stored
        QStringList withStored; // every browser has stored profiles
    } cases[] = {
        {"empty", halfWritten, "", allCurrent, {}},
        {"not UTF-8", "[1,2]", "[Profile0]\nName=\xff\n", allCurrent, {}},
        {"broken store", halfWritten, brokenStoreIni.toUtf8(), QStringList{chromeCurrent} + readFromIni, readFromIni},
        {"broken store alone", "", "[Profile0]\nStoreID=s1\n", allCurrent, {}},
        {"no profile cache", "{}", "", allCurrent, {}},
        {"profile of another type", R"({"profile":"x"})", "", allCurrent, {}},
        {"cache of another type", R"({"profile":{"info_cache":[]}})", "", allCurrent, {}},
        {"cache entry of another type", R"({"profile":{"info_cache":{"Default":7}}})", "", allCurrent, {}},
    };
    for (const auto& c : cases) {
        home.writeFile(test::chromiumSupport + "Google/Chrome/Local State", c.localState.toUtf8());
        home.writeFile(test::chromiumSupport + "Firefox/profiles.ini", c.profilesIni);
        ScanOutcome outcome = scan();
        EXPECT_EQ(summaries(outcome.destinations), c.firstScan) << c.name;
        EXPECT_EQ(outcome.unreliable, (QSet<QString>{chrome, firefox, firefoxDev, zen})) << c.name;
        EXPECT_EQ(outcome.browserDataHint, BrowserDataHint::none()) << c.name;

        outcome = fullScan(false, SafariScanMode::passive, fs, {chrome, firefox, firefoxDev, zen});
        EXPECT_EQ(summaries(outcome.destinations), c.withStored) << c.name;
        EXPECT_EQ(outcome.unreliable.size(), 4) << c.name;
    }
}

// Firefox changes the shape of a profile-group store: the profiles read from it before keep their
// identity and hot keys, and the section that named it comes back under its own Name.
TEST_F(DiscoveryCoordinatorTest, BrokenStoreKeepsItsStoredProfiles)
{
    test::installApp(home, "Firefox", firefox);
    home.writeFile(test::chromiumSupport + "Firefox/profiles.ini",
        "[Profile0]\nName=Group\nStoreID=s1\n[Profile1]\nName=default\nPath=Profiles/d\n");
    const QString storePath = home.filePath(test::chromiumSupport + "Firefox/Profile Groups/s1.sqlite");
    QDir().mkpath(QFileInfo(storePath).path());
    test::SqliteDatabase(storePath).exec("CREATE TABLE Profiles (id INTEGER PRIMARY KEY, path TEXT, name TEXT);"
                                         "INSERT INTO Profiles (path, name) VALUES ('Profiles/w', 'Work')");
    refresh();
    ASSERT_EQ(store.settings().destinations.size(), 2);
    store.setHotkey(QStringLiteral("w"), store.settings().destinations.at(0).id);
    const QList<BrowserDestination> stored = store.settings().destinations;

    test::SqliteDatabase(storePath).exec("ALTER TABLE Profiles RENAME COLUMN name TO title");
    refresh();
    const QList<BrowserDestination> after = store.settings().destinations;
    ASSERT_EQ(after.size(), 3);
    EXPECT_EQ(after.mid(0, 2), stored);
    EXPECT_EQ(summary(after.at(2)), "firefox|Group|Group|firefoxProfile:Group|3");
    EXPECT_EQ(store.browserDataHint(), BrowserDataHint::none());
}

TEST_F(DiscoveryCoordinatorTest, MissingDataGivesTheCurrentProfile)
{
    test::installApp(home, "Google Chrome", chrome);
    test::installApp(home, "Firefox", firefox);
    home.writeFile(test::chromiumSupport + "Google/Chrome/Local State", R"({"profile":{"info_cache":{}}})");
    const ScanOutcome outcome = scan();
    EXPECT_EQ(summaries(outcome.destinations),
        (QStringList{"chrome|-|Current Profile|browserCurrentProfile:|0",
            "firefox|-|Current Profile|browserCurrentProfile:|0"}));
    EXPECT_TRUE(outcome.unreliable.isEmpty());
}

struct SafariCase
{
    const char* name;
    bool database;                // SafariTabs.db exists
    QStringList databaseProfiles; // its profile titles
    SafariScanMode mode;
    enum { notRunning, untrusted, menu } safari;
    bool hasRealSafariProfile;
    QStringList expected;
    SafariHint hint;
    bool unreliable;

    friend void PrintTo(const SafariCase& c, std::ostream* os) { *os << c.name; }
};

const QString fallback = QStringLiteral("safari|-|Current Profile|browserCurrentProfile:|0");
const QList<std::pair<QString, QString>> safariMenu{
    {"newWindow", "New Window"},
    {"NewPrivateWindow", "New Private Window"},
    {"NewPersonalWindow?isDefaultProfile=true", "New Personal Window"},
    {"NewSchoolStuffWindow?isDefaultProfile=false", "New School Stuff Window"},
    {"", "New Work Window"},
    {"", "Open File…"},
};

class SafariResolutionTest : public DiscoveryCoordinatorTest, public ::testing::WithParamInterface<SafariCase>
{ };

TEST_P(SafariResolutionTest, Resolves)
{
    const SafariCase& c = GetParam();
    test::installApp(home, "Safari", safari);
    if (c.database)
        test::writeSafariTabs(home, c.databaseProfiles);
    std::unique_ptr<SimulatedBrowser> running;
    if (c.safari != SafariCase::notRunning)
        running = runSafari(safariMenu);
    AccessibilityHost::setTrusted(c.safari == SafariCase::menu);

    const ScanOutcome outcome = scan(c.mode, c.hasRealSafariProfile);
    EXPECT_EQ(summaries(outcome.destinations), c.expected);
    EXPECT_EQ(outcome.hint, c.hint);
    EXPECT_EQ(outcome.unreliable.contains(safari), c.unreliable);
}

using M = SafariScanMode;
INSTANTIATE_TEST_SUITE_P(Cases, SafariResolutionTest,
    ::testing::Values(SafariCase{"DatabaseWithProfiles", true, {"Home", "Work"}, M::passive, SafariCase::notRunning,
                          false, {"safari|Home|Home|safariProfile:Home|0", "safari|Work|Work|safariProfile:Work|1"},
                          SafariHint::none, false},
        SafariCase{"DatabaseWithoutProfiles", true, {}, M::interactive, SafariCase::notRunning, false, {fallback},
            SafariHint::none, false},
        SafariCase{"BlankNamesOnly", true, {"", " "}, M::passive, SafariCase::notRunning, false, {fallback},
            SafariHint::none, false},
        SafariCase{"BlankNamesSkipped", true, {" ", "Home"}, M::passive, SafariCase::notRunning, false,
            {"safari|Home|Home|safariProfile:Home|0"}, SafariHint::none, false},
        SafariCase{"PassiveWithoutDatabase", false, {}, M::passive, SafariCase::menu, false, {fallback},
            SafariHint::none, true},
        SafariCase{
            "PassiveKeepsStoredProfiles", false, {}, M::passive, SafariCase::menu, true, {}, SafariHint::none, true},
        SafariCase{"InteractiveSafariNotRunning", false, {}, M::interactive, SafariCase::notRunning, false, {fallback},
            SafariHint::safariNotRunning, true},
        SafariCase{"InteractiveNotRunningKeepsStoredProfiles", false, {}, M::interactive, SafariCase::notRunning, true,
            {}, SafariHint::none, true},
        SafariCase{"InteractiveUntrusted", false, {}, M::interactive, SafariCase::untrusted, false, {fallback},
            SafariHint::accessibilityNeeded, true},
        SafariCase{"InteractiveReadsTheMenu", false, {}, M::interactive, SafariCase::menu, true,
            {"safari|Personal|Personal|safariProfile:Personal|0",
                "safari|School Stuff|School Stuff|safariProfile:School Stuff|1",
                "safari|Work|Work|safariProfile:Work|2"},
            SafariHint::none, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiscoveryCoordinatorTest, RefreshAppliesHintsThenMergesThenResetsPhotos)
{
    test::installApp(home, "Google Chrome", chrome);
    test::installApp(home, "Safari", safari);
    test::writeLocalState(home, "Google/Chrome", {{"Default", "Personal"}});
    store.setBrowserDataHint(BrowserDataHint::blocked({"Google Chrome"})); // the refresh clears it
    QStringList events;
    QObject::connect(&store, &SettingsStore::safariHintChanged, [&] { events << "safariHint"; });
    QObject::connect(&store, &SettingsStore::browserDataHintChanged, [&] { events << "browserDataHint"; });
    QObject::connect(&store, &SettingsStore::settingsChanged, [&] { events << "merge"; });
    setPhotoFailuresReset([&] { events << "photos"; });

    refresh(SafariScanMode::interactive);
    EXPECT_EQ(events, (QStringList{"safariHint", "browserDataHint", "merge", "photos"}));
    EXPECT_EQ(store.safariHint(), SafariHint::safariNotRunning);
    EXPECT_EQ(summaries(store.settings().destinations),
        (QStringList{"chrome|Default|Personal|chromiumProfileDirectory:Default|1",
            "safari|-|Current Profile|browserCurrentProfile:|2"}));
    EXPECT_EQ(settingsChanged, 1);

    // Found again with nothing new: no write and no hint told again.
    events.clear();
    refresh(SafariScanMode::interactive);
    EXPECT_EQ(events, (QStringList{"photos"}));
    EXPECT_EQ(settingsChanged, 1);
}

TEST_F(DiscoveryCoordinatorTest, RefusedBrowserKeepsItsStoredDestinations)
{
    test::installApp(home, "Google Chrome", chrome);
    test::writeLocalState(home, "Google/Chrome", {{"Default", "Personal"}, {"Profile 1", "Work"}});
    refresh();
    ASSERT_EQ(store.settings().destinations.size(), 2);
    const BrowserDestination personal = store.settings().destinations.at(0);
    store.setHotkey(QStringLiteral("q"), personal.id);
    store.setProfileEmoji(QStringLiteral("🦊"), personal.id);
    store.setHotkey(QStringLiteral("w"), store.settings().destinations.at(1).id);
    store.setVisible(false, store.settings().destinations.at(1).id);
    store.recordUse(personal);
    const QList<BrowserDestination> stored = store.settings().destinations;
    const int writes = settingsChanged;

    refresh(SafariScanMode::passive,
        std::make_shared<test::RefusingFileSystem>(QSet<QString>{localStatePath("Google/Chrome")}));
    EXPECT_EQ(store.browserDataHint(), BrowserDataHint::blocked({"Google Chrome"}));
    EXPECT_EQ(store.settings().destinations, stored);
    EXPECT_EQ(settingsChanged, writes);

    // Caught half-written, or of a shape the browser never writes: the same, without a hint.
    for (const QByteArray& damaged : {QByteArray("{\"profile\":"), QByteArray("{}"), QByteArray(R"({"profile":null})"),
             QByteArray(R"({"profile":{"info_cache":"x"}})"),
             QByteArray(R"({"profile":{"info_cache":{"Default":"x"}}})")}) {
        home.writeFile(test::chromiumSupport + "Google/Chrome/Local State", damaged);
        refresh();
        EXPECT_EQ(store.browserDataHint(), BrowserDataHint::none()) << damaged.constData();
        EXPECT_EQ(store.settings().destinations, stored) << damaged.constData();
        ASSERT_TRUE(store.lastUsedDestination().has_value()) << damaged.constData();
        EXPECT_EQ(store.lastUsedDestination()->id, personal.id);
    }

    // Readable again with one profile gone: that one goes, the other keeps its key.
    test::writeLocalState(home, "Google/Chrome", {{"Profile 1", "Work"}});
    refresh();
    ASSERT_EQ(store.settings().destinations.size(), 1);
    EXPECT_EQ(store.settings().destinations.at(0).id, stored.at(1).id);
    EXPECT_EQ(store.settings().destinations.at(0).hotkey, QStringLiteral("w"));
}

// Opens each pipe for writing and closes it again, which lets a reader waiting on it go on.
void releaseReaders(const QStringList& pipes)
{
    for (const QString& pipe : pipes) {
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    }
}

// A named pipe where a browser keeps a file holds whoever opens it until someone writes to it, and
// every later scan queues behind a held one: no change would ever be seen again.
TEST_F(DiscoveryCoordinatorTest, NamedPipesInBrowserFoldersNeverHoldAScan)
{
    test::installApp(home, "Google Chrome", chrome);
    test::installApp(home, "Firefox", firefox);
    test::installApp(home, "Safari", safari);
    const QString firefoxRoot = home.filePath(test::chromiumSupport + "Firefox");
    home.writeFile(test::chromiumSupport + "Firefox/profiles.ini",
        "[Profile0]\nName=Team group\nPath=Profiles/team\nStoreID=grp\n");
    QDir().mkpath(firefoxRoot + "/Profile Groups");
    QDir().mkpath(home.filePath(test::chromiumSupport + "Google/Chrome"));
    QDir().mkpath(home.filePath(test::safariContainer));
    const QStringList pipes{localStatePath("Google/Chrome"), firefoxRoot + "/Profile Groups/grp.sqlite",
        home.filePath(test::safariContainer + "/SafariTabs.db")};
    for (const QString& pipe : pipes)
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    auto fileSystem = std::make_shared<RealFileSystem>();
    const QFuture<ScanOutcome> running
        = scanQueue().run([fileSystem] { return fullScan(false, SafariScanMode::passive, *fileSystem); });
    const bool finished = QTest::qWaitFor([&] { return running.isFinished(); }, 5000);
    // A held scan is let go, so that the scans of the tests after this one still run.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            releaseReaders(pipes);
            return running.isFinished();
        },
        5000));
    ASSERT_TRUE(finished);
    const ScanOutcome outcome = running.result();
    EXPECT_EQ(summaries(outcome.destinations),
        (QStringList{"chrome|-|Current Profile|browserCurrentProfile:|0",
            "firefox|Profiles/team|Team group|firefoxProfilePath:" + firefoxRoot + "/Profiles/team|0", fallback}));
    EXPECT_EQ(outcome.unreliable, (QSet<QString>{chrome, firefox, safari}));
}

TEST_F(DiscoveryCoordinatorTest, ScansRunOnTheDiscoveryQueue)
{
    class RecordingFileSystem : public RealFileSystem
    {
    public:
        QString homeDirectory() const override
        {
            threads.insert(QThread::currentThread()->objectName());
            return RealFileSystem::homeDirectory();
        }
        mutable QSet<QString> threads;
    };
    test::installApp(home, "Google Chrome", chrome);
    auto fileSystem = std::make_shared<RecordingFileSystem>();
    refresh(SafariScanMode::passive, fileSystem);
    EXPECT_EQ(fileSystem->threads, QSet<QString>{"tavro.discovery"});
}

} // namespace
