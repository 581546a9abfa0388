#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "Tavro/Shell/LoginItem.h"
#include "Tavro/Simulation/AutostartEntryHost.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "tests/Support/QueueHold.h"
#include "tests/Support/TempHome.h"

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

class DefaultBrowserServiceTest : public ::testing::Test
{
protected:
    // Runs waitUntilDefault to its answer, for a caller that stays.
    static DefaultBrowserService::Answer wait(int maxAttempts, std::chrono::milliseconds interval)
    {
        QObject caller;
        const auto answer = QCoro::waitFor(DefaultBrowserService::waitUntilDefault(&caller, maxAttempts, interval));
        EXPECT_TRUE(answer);
        return answer.value_or(DefaultBrowserService::Answer{});
    }
    static bool waitUntilDefault(int maxAttempts, std::chrono::milliseconds interval)
    {
        return wait(maxAttempts, interval).isDefault;
    }

    DefaultBrowserServiceTest() { m_home.installTavroEntry(); }

    test::TempHome m_home;
};

TEST_F(DefaultBrowserServiceTest, AnswersByTheHttpsHandler)
{
    EXPECT_FALSE(DefaultBrowserService::isDefault());
    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "org.chromium.Chromium"));
    EXPECT_FALSE(DefaultBrowserService::isDefault());
    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("HTTPS", "COM.VaskHaldor.tavro"));
    EXPECT_TRUE(DefaultBrowserService::isDefault());
}

TEST_F(DefaultBrowserServiceTest, MakeDefaultTakesHttps)
{
    EXPECT_TRUE(DefaultBrowserService::makeDefault());
    EXPECT_EQ(DefaultBrowser::handlerForURLScheme("https"), QStringLiteral("com.vaskhaldor.Tavro"));
    EXPECT_TRUE(DefaultBrowserService::isDefault());
}

// The setting lives in the desktop's MIME-applications file, beside the user's other defaults.
TEST_F(DefaultBrowserServiceTest, MakeDefaultWritesTheMimeApplicationsFile)
{
    const QString path = m_home.writeFile(".config/mimeapps.list",
        "[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\ntext/plain=vim.desktop\n"
        "x-scheme-handler/https=chromium.desktop;\n\n[Other]\nkey=value\n");
    EXPECT_EQ(DefaultBrowser::handlerForURLScheme("https"), QStringLiteral("org.chromium.Chromium"));
    ASSERT_TRUE(DefaultBrowserService::makeDefault());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
        "[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\ntext/plain=vim.desktop\n"
        "x-scheme-handler/https=tavro.desktop;\nx-scheme-handler/http=tavro.desktop;\ntext/html=tavro.desktop;\n\n"
        "[Other]\nkey=value\n");
    EXPECT_EQ(DefaultBrowser::handlerForURLScheme("HTTP"), QStringLiteral("com.vaskhaldor.Tavro"));
}

TEST_F(DefaultBrowserServiceTest, TheSystemsDefaultsAnswerWhenTheUserHasNone)
{
    m_home.writeFile(".xdg-data/applications/mimeapps.list",
        "[Default Applications]\nx-scheme-handler/https=firefox-esr.desktop;chromium.desktop\n");
    EXPECT_EQ(DefaultBrowser::handlerForURLScheme("https"), QStringLiteral("org.mozilla.firefox"));
    EXPECT_FALSE(DefaultBrowser::handlerForURLScheme("mailto"));
    m_home.writeFile(
        ".config/mimeapps.list", "[Default Applications]\nx-scheme-handler/https=org.example.Web.desktop\n");
    EXPECT_EQ(DefaultBrowser::handlerForURLScheme("https"), QStringLiteral("org.example.Web"));
}

TEST_F(DefaultBrowserServiceTest, AnUnwritableFileIsAFailure)
{
    QDir().mkpath(m_home.filePath(".config/mimeapps.list"));
    EXPECT_FALSE(DefaultBrowserService::makeDefault());
}

// A file that is there but cannot be read (a socket cannot be opened, even by root) is never
// written over: it may hold the user's other defaults.
TEST_F(DefaultBrowserServiceTest, AFileThatCannotBeReadIsLeftAlone)
{
    const QString path = m_home.filePath(".config/mimeapps.list");
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLocalServer holder;
    ASSERT_TRUE(holder.listen(path));
    EXPECT_EQ(DefaultBrowser::setDefaultHandlerForURLScheme("https", "com.vaskhaldor.Tavro"),
        std::unexpected(DefaultBrowserError::unreadable));
    EXPECT_FALSE(DefaultBrowserService::makeDefault());
    EXPECT_EQ(QFileInfo(path).isFile(), false) << "the file was replaced";
}

// Links reach Tavro only through an entry the desktop can start: one that names Tavro but cannot be
// started is no default, and the answer says why.
TEST_F(DefaultBrowserServiceTest, TavroIsTheDefaultOnlyWhereTheDesktopCanStartIt)
{
    // The README's install in a home with a space and letters beyond ASCII.
    const QString bin = m_home.filePath(QStringLiteral("Jürgen Ölmann/.local/bin"));
    const QString tavro = m_home.writeFile(QStringLiteral("Jürgen Ölmann/.local/bin/tavro"), "#!/bin/sh\n");
    ASSERT_TRUE(QFile::setPermissions(tavro, QFile::permissions(tavro) | QFile::ExeOwner));
    const QByteArray program = tavro.toUtf8();
    m_home.writeFile("tavro.txt", "not a program");
    const QByteArray plainFile = m_home.filePath("tavro.txt").toUtf8();
    const QString userEntry = ".local/share/applications/tavro.desktop";
    const QString systemEntry = ".xdg-data/applications/tavro.desktop";
    const QByteArray head = "[Desktop Entry]\nType=Application\nName=Tavro\n";
    using Error = EntryLaunchError;
    const struct
    {
        const char* what;
        QList<std::pair<QString, QByteArray>> entries;
        std::optional<Error> unlaunchable;
    } rows[] = {
        {"quoted", {{userEntry, "Exec=\"" + program + "\" %U\n"}}, std::nullopt},
        {"unquoted", {{userEntry, "Exec=" + program + " %U\n"}}, Error::missingProgram},
        {"on PATH", {{userEntry, "Exec=sh -c true %U\n"}}, std::nullopt},
        {"not on PATH", {{userEntry, "Exec=tavro-nowhere %U\n"}}, Error::missingProgram},
        {"not executable", {{userEntry, "Exec=" + plainFile + " %U\n"}}, Error::notExecutable},
        {"a folder", {{userEntry, "Exec=\"" + bin.toUtf8() + "\" %U\n"}}, Error::notExecutable},
        {"unterminated quote", {{userEntry, "Exec=\"" + program + " %U\n"}}, Error::badCommand},
        {"no Exec", {{userEntry, ""}}, Error::badCommand},
        {"TryExec gone", {{userEntry, "TryExec=/nonexistent/tavro\nExec=sh %U\n"}}, Error::missingProgram},
        {"hidden", {{userEntry, "Exec=sh %U\nHidden=true\n"}}, Error::notInstalled},
        {"none", {}, Error::notInstalled},
        {"the system's", {{systemEntry, "Exec=sh %U\n"}}, std::nullopt},
        {"the user's hides the system's", {{systemEntry, "Exec=sh %U\n"}, {userEntry, "Exec=sh\nHidden=true\n"}},
            Error::notInstalled},
    };
    ASSERT_TRUE(DefaultBrowserService::makeDefault());
    for (const auto& row : rows) {
        QFile::remove(m_home.filePath(userEntry));
        QFile::remove(m_home.filePath(systemEntry));
        for (const auto& [path, lines] : row.entries)
            m_home.writeFile(path, head + lines);
        const DefaultBrowserService::Answer answer = DefaultBrowserService::answer();
        EXPECT_EQ(answer.isDefault, !row.unlaunchable) << row.what;
        EXPECT_EQ(answer.unlaunchable, row.unlaunchable) << row.what;
        EXPECT_EQ(DefaultBrowserService::isDefault(), answer.isDefault) << row.what;
    }
    // Another browser named: Tavro's entry is none of the answer's business.
    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "org.chromium.Chromium"));
    EXPECT_EQ(DefaultBrowserService::answer().unlaunchable, std::nullopt);
    EXPECT_EQ(DefaultBrowserService::launchFailureText(EntryLaunchError::missingProgram),
        "Tavro is named your default browser, but your desktop can’t start it: the program its desktop entry names "
        "is not there.");
}

// Named but not startable stays so: the wait ends at the first such answer.
TEST_F(DefaultBrowserServiceTest, WaitEndsAtAnEntryTheDesktopCannotStart)
{
    QFile::remove(m_home.filePath(".local/share/applications/tavro.desktop"));
    ASSERT_TRUE(DefaultBrowserService::makeDefault());
    const auto answer = wait(5, 1h);
    EXPECT_FALSE(answer.isDefault);
    EXPECT_EQ(answer.unlaunchable, EntryLaunchError::notInstalled);
}

TEST_F(DefaultBrowserServiceTest, WaitWithNoRetriesChecksOnce)
{
    EXPECT_EQ(waitUntilDefault(0, 1h), false);
}

TEST_F(DefaultBrowserServiceTest, WaitEndsTrueOnceTheUserConfirms)
{
    QTimer::singleShot(30ms, [] { EXPECT_TRUE(DefaultBrowserService::makeDefault()); });
    EXPECT_EQ(waitUntilDefault(200, 5ms), true);
}

TEST_F(DefaultBrowserServiceTest, WaitEndsFalseWhenTheUserDeclines)
{
    EXPECT_EQ(waitUntilDefault(5, 1ms), false);
}

// A wait for a window that goes ends with it, at once and without an answer, whether it was
// reading or sleeping between reads: nothing of it is left suspended.
TEST_F(DefaultBrowserServiceTest, WaitEndsWhenItsCallerGoes)
{
    for (const bool whileReading : {true, false}) {
        SCOPED_TRACE(whileReading ? "reading" : "sleeping");
        auto caller = std::make_unique<QObject>();
        std::optional<test::QueueHold> hold;
        if (whileReading)
            hold.emplace(DefaultBrowserService::queryQueue());
        auto waiting = DefaultBrowserService::waitUntilDefault(caller.get(), 5, 1h);
        if (!whileReading) {
            // The first read lands; the wait then sleeps for an hour.
            DefaultBrowserService::queryQueue().run([] {}).waitForFinished();
            QCoreApplication::processEvents();
        }
        caller.reset();
        ASSERT_TRUE(waiting.isReady());
        EXPECT_FALSE(QCoro::waitFor(waiting).has_value());
    }
}

class LoginItemTest : public ::testing::Test
{
protected:
    static void capture(QtMsgType, const QMessageLogContext&, const QString& message) { s_messages.append(message); }

    void SetUp() override
    {
        s_messages.clear();
        m_previous = qInstallMessageHandler(&LoginItemTest::capture);
    }
    void TearDown() override { qInstallMessageHandler(m_previous); }

    static inline QStringList s_messages;
    QtMessageHandler m_previous = nullptr;
    test::TempHome m_home;
};

TEST_F(LoginItemTest, EnablingAndDisablingChangeTheLoginItem)
{
    EXPECT_TRUE(LoginItem::setEnabled(true));
    EXPECT_EQ(AutostartEntry::status(), AutostartEntry::Status::enabled);
    EXPECT_TRUE(LoginItem::setEnabled(false));
    EXPECT_EQ(AutostartEntry::status(), AutostartEntry::Status::notRegistered);
    EXPECT_TRUE(s_messages.isEmpty());
}

// The login item is an XDG autostart entry whose command marks the launch as a login launch.
TEST_F(LoginItemTest, TheAutostartEntryStartsThisProgramAsALoginItem)
{
    ASSERT_TRUE(LoginItem::setEnabled(true));
    const auto entry = DesktopEntry::read(m_home.filePath(".config/autostart/tavro.desktop"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->value("Type"), QStringLiteral("Application"));
    EXPECT_EQ(DesktopEntry::splitExec(entry->value("Exec").value_or(QString())),
        (QStringList{"env", "TAVRO_LAUNCH_KIND=login-item", QCoreApplication::applicationFilePath()}));
    EXPECT_EQ(entry->value("TryExec"), QCoreApplication::applicationFilePath()) << "skipped once Tavro is gone";
    // Switched off in the desktop's session settings (the standard's key or GNOME's), it no longer counts.
    for (const char* off : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
        m_home.writeFile(".config/autostart/tavro.desktop",
            QByteArray("[Desktop Entry]\nType=Application\nExec=tavro\n") + off + "\n");
        EXPECT_EQ(AutostartEntry::status(), AutostartEntry::Status::notRegistered) << off;
        EXPECT_EQ(LoginItem::setEnabled(false).error(), AutostartError::notRegistered) << off;
    }
}

TEST_F(LoginItemTest, RefusalIsReturnedAndLogged)
{
    AutostartEntryHost::setApproved(false);
    auto outcome = LoginItem::setEnabled(true);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), AutostartError::notPermitted);
    EXPECT_EQ(AutostartEntry::status(), AutostartEntry::Status::notRegistered);
    ASSERT_EQ(s_messages.size(), 1);
    EXPECT_EQ(s_messages.first(), QStringLiteral("Tavro: failed to update login item: Operation not permitted"));
}

TEST_F(LoginItemTest, SettingsPanesOpenTheirAddresses)
{
    LoginItem::openDefaultBrowserSettings();
    LoginItem::openAccessibilitySettings();
    LoginItem::openFilesAndFoldersSettings();
    EXPECT_EQ(UrlOpenerHost::openedUrls(),
        (QList<QUrl>{QUrl("x-apple.systempreferences:com.apple.Desktop-Settings.extension"),
            QUrl("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"),
            QUrl("x-apple.systempreferences:com.apple.preference.security?Privacy_FilesAndFolders")}));
}

} // namespace
