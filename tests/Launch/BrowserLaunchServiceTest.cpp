#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Launch/ChromiumSingleton.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "tests/Launch/LaunchTestSupport.h"
#include "tests/Launch/SocketListener.h"
#include "tests/Platform/RecordingApp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <unistd.h>

using namespace tavro;
using namespace std::chrono_literals;
using test::destination;
using Kind = LaunchRecord::Kind;

namespace {

const QUrl testLink(QStringLiteral("https://example.test/path?q=a%20b"));
const QString linkText = QStringLiteral("https://example.test/path?q=a%20b");

struct RecipeCase
{
    const char* name;
    const char* bundleIdentifier;
    const char* browser;
    LaunchStrategy strategy;
    bool privately;
    bool withUrl;
    // The argument lists the browser's executable was run with, in any order.
    QList<QStringList> runs;
};

class LaunchServiceTest : public test::LaunchFixture
{ };

class RecipeTest : public test::LaunchFixture, public ::testing::WithParamInterface<RecipeCase>
{ };

} // namespace

TEST_P(RecipeTest, RunsTheBrowserWithTheRecipesArguments)
{
    const RecipeCase& c = GetParam();
    test::RecordingApp app(apps(), QString::fromUtf8(c.browser), QString::fromUtf8(c.bundleIdentifier));
    const auto d = destination(QString::fromUtf8(c.bundleIdentifier), QString::fromUtf8(c.browser), c.strategy);
    const auto result = open(c.withUrl ? std::optional<QUrl>(testLink) : std::nullopt, d, c.privately);
    ASSERT_TRUE(result) << description(result.error()).toStdString();
    ASSERT_TRUE(app.waitForRuns(int(c.runs.size())));
    QList<QStringList> runs = app.runs();
    QList<QStringList> expected = c.runs;
    std::sort(runs.begin(), runs.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(runs, expected);
}

INSTANTIATE_TEST_SUITE_P(Recipes, RecipeTest,
    ::testing::Values(RecipeCase{"chromiumProfileDirectory", "com.google.Chrome", "Google Chrome",
                          LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Profile 1")), false, true,
                          {{QStringLiteral("--profile-directory=Profile 1"), linkText}}},
        RecipeCase{"chromiumWithoutUrl", "com.google.Chrome", "Google Chrome",
            LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")), false, false,
            {{QStringLiteral("--profile-directory=Default")}}},
        RecipeCase{"chromiumPrivate", "com.google.Chrome", "Google Chrome",
            LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")), true, true,
            {{QStringLiteral("--profile-directory=Default"), QStringLiteral("--incognito"), linkText}}},
        RecipeCase{"edgePrivate", "com.microsoft.edgemac", "Microsoft Edge",
            LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")), true, true,
            {{QStringLiteral("--profile-directory=Default"), QStringLiteral("--inprivate"), linkText}}},
        RecipeCase{"operaPrivate", "com.operasoftware.Opera", "Opera",
            LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")), true, true,
            {{QStringLiteral("--profile-directory=Default"), QStringLiteral("--private"), linkText}}},
        RecipeCase{"firefoxProfile", "org.mozilla.firefox", "Firefox",
            LaunchStrategy::firefoxProfile(QStringLiteral("work")), false, true,
            {{QStringLiteral("-P"), QStringLiteral("work"), linkText}}},
        RecipeCase{"firefoxPrivate", "org.mozilla.firefox", "Firefox",
            LaunchStrategy::firefoxProfile(QStringLiteral("work")), true, true,
            {{QStringLiteral("-P"), QStringLiteral("work"), QStringLiteral("-private-window"), linkText}}},
        RecipeCase{"firefoxProfilePath", "org.mozilla.firefox", "Firefox",
            LaunchStrategy::firefoxProfilePath(QStringLiteral("/p/x y")), false, true,
            {{QStringLiteral("--profile"), QStringLiteral("/p/x y"), linkText}}},
        RecipeCase{"custom", "app.zen-browser.zen", "Zen Browser",
            LaunchStrategy::custom({QStringLiteral("--new-tab"), QStringLiteral("-a b")}), false, true,
            {{QStringLiteral("--new-tab"), QStringLiteral("-a b"), linkText}}},
        // Without arguments the browser is activated, then handed the URL.
        RecipeCase{"currentProfile", "com.google.Chrome", "Google Chrome", LaunchStrategy::browserCurrentProfile(),
            false, true, {{}, {linkText}}},
        RecipeCase{
            "customEmpty", "org.mozilla.firefox", "Firefox", LaunchStrategy::custom({}), false, true, {{}, {linkText}}},
        RecipeCase{"currentProfileWithoutUrl", "com.google.Chrome", "Google Chrome",
            LaunchStrategy::browserCurrentProfile(), false, false, {{}}},
        // Tor Browser's windows are always private: a private request is an ordinary open.
        RecipeCase{"torPrivate", "org.torproject.torbrowser", "Tor Browser", LaunchStrategy::browserCurrentProfile(),
            true, true, {{}, {linkText}}}),
    [](const ::testing::TestParamInfo<RecipeCase>& info) { return std::string(info.param.name); });

// A browser whose program ends as it starts: with an error it failed to start, and the last line it
// wrote to its standard error says why; at once with status 0, it handed the link to a running copy.
struct EarlyExitCase
{
    const char* name;
    LaunchStrategy strategy;
    QByteArray program;  // the stand-in's shell script
    const char* failure; // the description of the failure; none: the link was opened
    friend void PrintTo(const EarlyExitCase& c, std::ostream* os) { *os << c.name; }
};

class EarlyExitTest : public test::LaunchFixture, public ::testing::WithParamInterface<EarlyExitCase>
{ };

TEST_P(EarlyExitTest, AnErrorAsTheBrowserStartsIsAFailedLaunchWithWhatItSaidLast)
{
    const EarlyExitCase& c = GetParam();
    test::writeBundle(apps(), "Vivaldi", "com.vivaldi.Vivaldi", "Vivaldi", "#!/bin/sh\n" + c.program);
    // Any stand-in ends well within it, and its end ends the wait.
    timing.earlyExitWindow = 20s;
    const auto result = open(testLink, destination("com.vivaldi.Vivaldi", "Vivaldi", c.strategy));
    if (!c.failure) {
        EXPECT_TRUE(result) << description(result.error()).toStdString();
        return;
    }
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<BrowserLaunchError>(result.error()).kind(), BrowserLaunchError::Kind::launchFailed);
    EXPECT_EQ(description(result.error()), QString::fromUtf8(c.failure));
}

const QByteArray runningAsRoot = "echo 'Running as root without --no-sandbox is not supported' >&2\nexit 1\n";

INSTANTIATE_TEST_SUITE_P(EarlyExits, EarlyExitTest,
    ::testing::Values(
        // Launched with the profile and the link, or started and then handed the link.
        EarlyExitCase{"argumentLaunch", LaunchStrategy::chromiumProfileDirectory("Default"), runningAsRoot,
            "Couldn’t open the link in Vivaldi: Running as root without --no-sandbox is not supported"},
        EarlyExitCase{"handOver", LaunchStrategy::browserCurrentProfile(), runningAsRoot,
            "Couldn’t open the link in Vivaldi: Running as root without --no-sandbox is not supported"},
        EarlyExitCase{"handedToTheRunningBrowser", LaunchStrategy::chromiumProfileDirectory("Default"),
            "echo 'Opening in existing browser session.' >&2\nexit 0\n", nullptr},
        EarlyExitCase{"handOverToTheRunningBrowser", LaunchStrategy::browserCurrentProfile(), "exit 0\n", nullptr},
        EarlyExitCase{"lastLineWithText", LaunchStrategy::firefoxProfile("work"),
            "printf 'starting\\nError: the profile is locked\\n\\n  \\n' >&2\nexit 3\n",
            "Couldn’t open the link in Vivaldi: Error: the profile is locked"},
        EarlyExitCase{"lastLineAfterMuchOutput", LaunchStrategy::firefoxProfile("work"),
            "i=0\nwhile [ $i -lt 2000 ]; do echo \"noise $i, more than is kept of what a browser says\" >&2; "
            "i=$((i+1)); done\necho 'Fatal: no display' >&2\nexit 1\n",
            "Couldn’t open the link in Vivaldi: Fatal: no display"},
        EarlyExitCase{"silent", LaunchStrategy::firefoxProfile("work"), "exit 2\n",
            "Couldn’t open the link in Vivaldi: The application “Vivaldi” quit right after it started."},
        EarlyExitCase{"endedBySignal", LaunchStrategy::firefoxProfile("work"),
            "echo 'Terminated while starting' >&2\nkill -TERM $$\n",
            "Couldn’t open the link in Vivaldi: Terminated while starting"}),
    [](const ::testing::TestParamInfo<EarlyExitCase>& info) { return std::string(info.param.name); });

TEST_F(LaunchServiceTest, ArgumentLaunchesAskForANewInstance)
{
    test::RecordingApp app(apps(), QStringLiteral("Firefox"), QStringLiteral("org.mozilla.firefox"));
    ASSERT_TRUE(open(testLink, destination("org.mozilla.firefox", "Firefox", LaunchStrategy::firefoxProfile("a"))));
    EXPECT_EQ(launchKinds(), QList<Kind>{Kind::arguments});
}

// Snaps and Flatpaks are started by their entries' Exec lines (`flatpak run …`, `env … /snap/bin/…`).
// A Flatpak Chromium that runs has its singleton socket inside its sandbox, where no one else can
// reach it: the link goes by launch, and Flatpak hands it to the running browser.
TEST_F(LaunchServiceTest, SandboxedBrowsersAreLaunchedByTheirEntriesExec)
{
    const QString log = home.filePath("runs.txt");
    const QString launcher = home.writeFile("bin/launcher",
        "#!/bin/sh\nline=run\nfor a in \"$@\"; do line=\"$line$(printf '\\037')$a\"; done\n"
        "printf '%s\\n' \"$line\" >> '"
            + log.toUtf8() + "'\n");
    QFile::setPermissions(launcher, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_DATA_DIRS",
        (home.filePath(".xdg-data") + ':' + home.filePath(".local/share/flatpak/exports/share")).toUtf8());
    home.writeFile(".local/share/flatpak/exports/share/applications/org.chromium.Chromium.desktop",
        "[Desktop Entry]\nType=Application\nName=Chromium\nExec=" + launcher.toUtf8()
            + " run --branch=stable --command=chromium --file-forwarding org.chromium.Chromium @@u %U @@\n");
    home.writeFile(".xdg-data/applications/firefox_firefox.desktop",
        "[Desktop Entry]\nType=Application\nName=Firefox\nExec=env BAMF_DESKTOP_FILE_HINT=firefox_firefox.desktop "
            + launcher.toUtf8() + " %u\n");
    const QString data = home.filePath(".var/app/org.chromium.Chromium/config/chromium");
    ASSERT_TRUE(QDir().mkpath(data));
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    ASSERT_TRUE(QFile::link(
        QString::fromLocal8Bit(host) + QLatin1Char('-') + QString::number(::getpid()), data + "/SingletonLock"));
    ASSERT_TRUE(QFile::link("/tmp/.org.chromium.Chromium.sandboxed/SingletonSocket", data + "/SingletonSocket"));

    ASSERT_TRUE(open(testLink,
        destination("org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory("Profile 1"))));
    ASSERT_TRUE(open(testLink, destination("org.mozilla.firefox", "Firefox", LaunchStrategy::firefoxProfile("Work"))));
    QList<QStringList> runs;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QFile file(log);
            runs.clear();
            if (file.open(QIODevice::ReadOnly)) {
                for (const QByteArray& line : file.readAll().split('\n')) {
                    if (!line.isEmpty())
                        runs.append(QString::fromUtf8(line).split(QChar(0x1F)).mid(1));
                }
            }
            return runs.size() == 2;
        },
        5000));
    std::ranges::sort(runs);
    EXPECT_EQ(runs,
        (QList<QStringList>{{"-P", "Work", linkText},
            {"run", "--branch=stable", "--command=chromium", "--file-forwarding", "org.chromium.Chromium", "@@u",
                "--profile-directory=Profile 1", linkText, "@@"}}));
}

TEST_F(LaunchServiceTest, MissingBrowserIsReportedBeforeAnythingElse)
{
    for (bool privately : {false, true}) {
        const auto result = open(testLink,
            destination("com.google.Chrome", "Google Chrome", LaunchStrategy::chromiumProfileDirectory("Default")),
            privately);
        ASSERT_FALSE(result);
        EXPECT_EQ(std::get<BrowserLaunchError>(result.error()), BrowserLaunchError::appNotFound("Google Chrome"));
        EXPECT_EQ(description(result.error()),
            QStringLiteral("Couldn’t find Google Chrome. It may have been moved or uninstalled."));
    }
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
}

TEST_F(LaunchServiceTest, BrowsersWithoutPrivateWindowsOpenNothing)
{
    for (const auto& [bundle, name] :
        {std::pair{"company.thebrowser.Browser", "Arc"}, std::pair{"company.thebrowser.dia", "Dia"},
            std::pair{"com.openai.atlas", "ChatGPT Atlas"}, std::pair{"org.example.unknown", "Unknown"}}) {
        test::writeBundle(apps(), QString::fromUtf8(name), QString::fromUtf8(bundle), QString::fromUtf8(name));
        const auto result = open(testLink, destination(bundle, name, LaunchStrategy::browserCurrentProfile()), true);
        ASSERT_FALSE(result);
        EXPECT_EQ(std::get<PrivateWindowError>(result.error()), PrivateWindowError::unsupported(name));
    }
    EXPECT_EQ(description(PrivateWindowError::unsupported("ChatGPT Atlas")),
        QStringLiteral("ChatGPT Atlas can’t open private windows from Tavro. The link wasn’t opened, so it stays "
                       "private."));
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
}

TEST_F(LaunchServiceTest, FailedActivationLaunchIsLaunchFailedWithTheSystemText)
{
    // A bundle without its executable cannot be started.
    test::writeBundle(
        apps(), QStringLiteral("Vivaldi"), QStringLiteral("com.vivaldi.Vivaldi"), QStringLiteral("Vivaldi"));
    const auto result
        = open(testLink, destination("com.vivaldi.Vivaldi", "Vivaldi", LaunchStrategy::browserCurrentProfile()));
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<BrowserLaunchError>(result.error()).kind(), BrowserLaunchError::Kind::launchFailed);
    EXPECT_EQ(description(result.error()),
        QStringLiteral("Couldn’t open the link in Vivaldi: The application “Vivaldi” can’t be opened."));

    // So does every argument launch of the same bundle: a recipe with arguments, a closed Chromium, a private window.
    for (const auto& [strategy, privately] : {std::pair{LaunchStrategy::custom({"--x"}), false},
             std::pair{LaunchStrategy::chromiumProfileDirectory("Default"), false},
             std::pair{LaunchStrategy::chromiumProfileDirectory("Default"), true}}) {
        const auto launched = open(testLink, destination("com.vivaldi.Vivaldi", "Vivaldi", strategy), privately);
        ASSERT_FALSE(launched);
        EXPECT_EQ(description(launched.error()), description(result.error()));
    }
}

TEST_F(LaunchServiceTest, LinkOverTheSystemsArgumentLimitIsAFailedLaunch)
{
    test::RecordingApp app(apps(), QStringLiteral("Google Chrome"), QStringLiteral("com.google.Chrome"));
    // 60,000 "é" are 360,000 bytes encoded, over the 128 KiB the system takes in one argument.
    const QUrl link(QStringLiteral("https://example.test/") + QString(60000, QChar(0xE9)));
    const auto result
        = open(link, destination("com.google.Chrome", "Google Chrome", LaunchStrategy::chromiumProfileDirectory("a")));
    ASSERT_FALSE(result);
    EXPECT_EQ(description(result.error()),
        QStringLiteral("Couldn’t open the link in Google Chrome: The link is too long for the system to start Google "
                       "Chrome with it."));
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
}

TEST_F(LaunchServiceTest, ArcGetsAWindowBeforeTheUrl)
{
    const QString bundle = test::writeBundle(
        apps(), QStringLiteral("Arc"), QStringLiteral("company.thebrowser.Browser"), QStringLiteral("Arc"));
    SimulatedBrowser arc(QStringLiteral("company.thebrowser.Browser"), bundle);
    AccessibilityHost::setTrusted(true);
    arc.setMenus({{QStringLiteral("File"),
        {SimulatedBrowser::item(QStringLiteral("newWindow"),
            QStringLiteral("New "
                           "Window"),
            [&arc] { arc.openWindow(); })}}});
    const auto d = destination("company.thebrowser.Browser", "Arc", LaunchStrategy::browserCurrentProfile());
    ASSERT_TRUE(open(testLink, d));
    EXPECT_EQ(arc.pressCount(QStringLiteral("newWindow")), 1);
    ASSERT_EQ(arc.windows().size(), 1);
    EXPECT_EQ(arc.document(arc.windows().first()), linkText);

    // Without a URL nothing is ensured.
    arc.closeWindow(arc.windows().first());
    ASSERT_TRUE(open(std::nullopt, d));
    EXPECT_EQ(arc.pressCount(QStringLiteral("newWindow")), 1);
    EXPECT_TRUE(arc.handedUrls().size() == 1);
}

TEST_F(LaunchServiceTest, PrewarmLooksUpEachApplication)
{
    test::writeBundle(
        apps(), QStringLiteral("Firefox"), QStringLiteral("org.mozilla.firefox"), QStringLiteral("firefox"));
    BrowserLaunchService::prewarm({"org.mozilla.firefox", "org.mozilla.firefox", "com.missing"});
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
}

TEST(LaunchErrorTextTest, TextsAreTheSystemsOwn)
{
    EXPECT_EQ(SafariLaunchError::profileWindowNotFound("Work").description(),
        QStringLiteral("Safari has no “New Work Window” menu item. The profile may have been renamed."));
    EXPECT_EQ(SafariLaunchError::accessibilityDenied().description(),
        QStringLiteral("Tavro needs Accessibility permission to open links in a specific Safari profile."));
    EXPECT_EQ(PrivateWindowError::accessibilityDenied("Safari").description(),
        QStringLiteral("Tavro needs Accessibility permission to open private windows in Safari."));
    EXPECT_EQ(PrivateWindowError::menuItemNotFound("Safari").description(),
        QStringLiteral("Safari couldn’t open the link in a private window. If its private browsing is locked, unlock "
                       "it and try again. The link wasn’t opened, so it stays private."));
    EXPECT_EQ(PrivateWindowError::locked("Safari").description(),
        QStringLiteral("Private browsing in Safari is locked. Unlock it, then open the link again. The link wasn’t "
                       "opened, so it stays private."));
    // Names are inserted once: a "%2" in a name stays as it is.
    EXPECT_EQ(
        BrowserLaunchError::launchFailed("A%2", "x").description(), QStringLiteral("Couldn’t open the link in A%2: x"));
    EXPECT_TRUE(isAccessibilityDenied(SafariLaunchError::accessibilityDenied()));
    EXPECT_TRUE(isAccessibilityDenied(PrivateWindowError::accessibilityDenied("Safari")));
    EXPECT_FALSE(isAccessibilityDenied(PrivateWindowError::locked("Safari")));
}

// A running Chromium-family browser, simulated, with a listener on its singleton socket.
class ChromiumDeliveryTest : public test::LaunchFixture
{
protected:
    void startBrowser(const QString& bundleIdentifier, const QString& name, const QString& subpath,
        test::SocketListener::Answer answer)
    {
        m_app = std::make_unique<test::RecordingApp>(apps(), name, bundleIdentifier);
        m_pid = WorkspaceHost::addRunningApplication(bundleIdentifier, m_app->bundlePath());
        const QString dataDir = home.filePath(QStringLiteral("Library/Application Support/") + subpath);
        QDir().mkpath(dataDir);
        // As Chromium does: the link in the profile folder points at a short socket path.
        const QString socket = m_sockets.path() + QStringLiteral("/SingletonSocket");
        m_listener = std::make_unique<test::SocketListener>(socket, answer);
        QFile::link(socket, dataDir + QStringLiteral("/SingletonSocket"));
    }

    QStringList receivedTokens() const
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_listener->received().isEmpty(); }, 5000))
            << "nothing reached the browser's socket";
        QStringList tokens;
        for (const QByteArray& token : m_listener->received().split('\0'))
            tokens.append(QString::fromUtf8(token));
        return tokens;
    }

    QTemporaryDir m_sockets{QStringLiteral("/tmp/tavro-XXXXXX")};
    std::unique_ptr<test::RecordingApp> m_app;
    std::unique_ptr<test::SocketListener> m_listener;
    qint64 m_pid = 0;
};

TEST_F(ChromiumDeliveryTest, RunningBrowserReceivesTheCommandLineAndIsActivated)
{
    startBrowser("com.google.Chrome", "Google Chrome", "Google/Chrome", test::SocketListener::Answer::ack);
    const auto d
        = destination("com.google.Chrome", "Google Chrome", LaunchStrategy::chromiumProfileDirectory("Profile 2"));
    ASSERT_TRUE(open(testLink, d));
    EXPECT_EQ(receivedTokens(),
        (QStringList{"START", "/", m_app->executablePath(), "--profile-directory=Profile 2", linkText}));
    // Brought to the front, not launched.
    EXPECT_TRUE(launchKinds().isEmpty());
    ASSERT_TRUE(Workspace::shared().frontmostApplication());
    EXPECT_EQ(Workspace::shared().frontmostApplication()->processIdentifier, m_pid);
    EXPECT_TRUE(m_app->runs().isEmpty());
}

TEST_F(ChromiumDeliveryTest, PrivateWindowOfEdgeCarriesTheHeader)
{
    startBrowser("com.microsoft.edgemac", "Microsoft Edge", "Microsoft Edge", test::SocketListener::Answer::ack);
    const auto d
        = destination("com.microsoft.edgemac", "Microsoft Edge", LaunchStrategy::chromiumProfileDirectory("Default"));
    ASSERT_TRUE(open(std::nullopt, d, true));
    const QStringList tokens = receivedTokens();
    ASSERT_EQ(tokens.size(), 7);
    EXPECT_EQ(tokens.mid(4), (QStringList{m_app->executablePath(), "--profile-directory=Default", "--inprivate"}));
    EXPECT_GT(tokens.at(2).toLongLong(), 0);
    EXPECT_GT(tokens.at(3).toLongLong(), 0);
}

TEST_F(ChromiumDeliveryTest, ShuttingDownBrowserIsLaunchedInstead)
{
    startBrowser("com.brave.Browser", "Brave", "BraveSoftware/Brave-Browser", test::SocketListener::Answer::shutdown);
    const auto d = destination("com.brave.Browser", "Brave", LaunchStrategy::chromiumProfileDirectory("Default"));
    ASSERT_TRUE(open(testLink, d));
    ASSERT_TRUE(m_app->waitForRuns(1));
    EXPECT_EQ(m_app->runs(), (QList<QStringList>{{"--profile-directory=Default", linkText}}));
    EXPECT_EQ(launchKinds(), QList<Kind>{Kind::arguments});
}

TEST_F(ChromiumDeliveryTest, CurrentProfileRecipeNeverUsesTheSocket)
{
    startBrowser("com.google.Chrome", "Google Chrome", "Google/Chrome", test::SocketListener::Answer::ack);
    ASSERT_TRUE(
        open(testLink, destination("com.google.Chrome", "Google Chrome", LaunchStrategy::browserCurrentProfile())));
    EXPECT_EQ(m_listener->connections(), 0);
    EXPECT_EQ(launchKinds(), (QList<Kind>{Kind::activation, Kind::urlHandOver}));
}

TEST_F(ChromiumDeliveryTest, BrowserThatDoesNotRunIsNeverContacted)
{
    startBrowser("com.google.Chrome", "Google Chrome", "Google/Chrome", test::SocketListener::Answer::ack);
    WorkspaceHost::removeRunningApplication(m_pid);
    ASSERT_TRUE(open(testLink,
        destination("com.google.Chrome", "Google Chrome", LaunchStrategy::chromiumProfileDirectory("Default"))));
    EXPECT_EQ(m_listener->connections(), 0);
    EXPECT_TRUE(m_app->waitForRuns(1));
}

// A desktop entry that starts the browser through `env` with a setting of its own: the running
// browser gets its own program, Tavro's options and the link, and no word of the launcher.
TEST_F(ChromiumDeliveryTest, ARunningBrowserStartedThroughEnvGetsItsOwnCommandLine)
{
    const QString program = home.writeFile("bin/chromium", "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    home.writeFile(".local/share/applications/chromium.desktop",
        "[Desktop Entry]\nType=Application\nName=Chromium\nExec=env GTK_THEME=Adwaita:dark " + program.toUtf8()
            + " --class=chromium %U\n");
    const QString data = home.filePath(".config/chromium");
    ASSERT_TRUE(QDir().mkpath(data));
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    ASSERT_TRUE(QFile::link(
        QString::fromLocal8Bit(host) + QLatin1Char('-') + QString::number(::getpid()), data + "/SingletonLock"));
    m_listener = std::make_unique<test::SocketListener>(
        m_sockets.path() + QStringLiteral("/SingletonSocket"), test::SocketListener::Answer::ack);
    ASSERT_TRUE(QFile::link(m_sockets.path() + QStringLiteral("/SingletonSocket"), data + "/SingletonSocket"));

    ASSERT_TRUE(open(testLink,
        destination("org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory("Profile 1"))));
    EXPECT_EQ(receivedTokens(), (QStringList{"START", "/", program, "--profile-directory=Profile 1", linkText}));
}

TEST_F(ChromiumDeliveryTest, BrowserStartedOutsideTavroIsToldByItsLock)
{
    startBrowser("com.google.Chrome", "Google Chrome", "Google/Chrome", test::SocketListener::Answer::ack);
    WorkspaceHost::removeRunningApplication(m_pid);
    const QString lock = home.filePath(QStringLiteral("Library/Application Support/Google/Chrome/SingletonLock"));
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    const auto d
        = destination("com.google.Chrome", "Google Chrome", LaunchStrategy::chromiumProfileDirectory("Default"));

    // Held by a live process on this host: the link goes through the socket, nothing is launched.
    // The lock answers before the walk of the process table would: after the delivery the one
    // look-up left only decides whether to activate the browser, and keeps off the GUI thread.
    ASSERT_TRUE(QFile::link(QString::fromLocal8Bit(host) + QLatin1Char('-') + QString::number(::getpid()), lock));
    const int lookups = WorkspaceHost::runningApplicationLookups();
    const int guiThreadLookups = WorkspaceHost::guiThreadRunningApplicationLookups();
    ASSERT_TRUE(open(testLink, d));
    EXPECT_EQ(receivedTokens(),
        (QStringList{"START", "/", m_app->executablePath(), "--profile-directory=Default", linkText}));
    EXPECT_TRUE(m_app->runs().isEmpty());
    EXPECT_EQ(WorkspaceHost::runningApplicationLookups() - lookups, 1);
    EXPECT_EQ(WorkspaceHost::guiThreadRunningApplicationLookups() - guiThreadLookups, 0);

    // Left by a browser that has gone: never contacted, launched.
    QFile::remove(lock);
    ASSERT_TRUE(QFile::link(QString::fromLocal8Bit(host) + QStringLiteral("-2147483000"), lock));
    ASSERT_TRUE(open(testLink, d));
    EXPECT_EQ(m_listener->connections(), 1);
    EXPECT_TRUE(m_app->waitForRuns(1));
}

TEST_F(ChromiumDeliveryTest, GuiThreadKeepsRunningWhileTheBrowserSaysNothing)
{
    startBrowser("com.google.Chrome", "Google Chrome", "Google/Chrome", test::SocketListener::Answer::silent);
    timing.chromiumAckTimeout = 300ms;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    const auto d
        = destination("com.google.Chrome", "Google Chrome", LaunchStrategy::chromiumProfileDirectory("Default"));
    ASSERT_TRUE(open(testLink, d));
    // No reply within the time-out still counts as delivered: nothing is launched.
    EXPECT_GE(ticks, 10);
    EXPECT_TRUE(launchKinds().isEmpty());
}

TEST_F(ChromiumDeliveryTest, LinkTooLongForTheRunningBrowserOpensNothingAndSaysWhy)
{
    startBrowser("com.google.Chrome", "Google Chrome", "Google/Chrome", test::SocketListener::Answer::ack);
    const auto d
        = destination("com.google.Chrome", "Google Chrome", LaunchStrategy::chromiumProfileDirectory("Default"));
    const QUrl tooLong(QStringLiteral("https://example.test/") + QString(ChromiumSingleton::maxMessageBytes, 'x'));
    const auto expected = BrowserLaunchError::launchFailed("Google Chrome",
        "The link is too long for Google Chrome to take while it is open. Quit Google Chrome, then open the link "
        "again.");
    // Neither the socket (the link would arrive cut) nor a second copy of the browser (it would
    // cut the link or kill the running browser) is used, for ordinary and private windows alike.
    for (bool privately : {false, true}) {
        const auto result = open(tooLong, d, privately);
        ASSERT_FALSE(result);
        EXPECT_EQ(std::get<BrowserLaunchError>(result.error()), expected);
    }
    EXPECT_EQ(m_listener->connections(), 0);
    EXPECT_TRUE(launchKinds().isEmpty());

    // A closed browser is launched with the whole link.
    WorkspaceHost::removeRunningApplication(m_pid);
    ASSERT_TRUE(open(tooLong, d));
    ASSERT_TRUE(m_app->waitForRuns(1));
    EXPECT_EQ(m_app->runs(), (QList<QStringList>{{"--profile-directory=Default", tooLong.toString()}}));
}
