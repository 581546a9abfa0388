#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/LoginItemsHost.h"
#include "Tavro/Platform/UrlOpenerHost.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "Tavro/Shell/LoginItem.h"
#include "tests/Support/TempHome.h"

#include <QCoro/QCoroTask>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

class DefaultBrowserServiceTest : public ::testing::Test
{
protected:
    // Runs waitUntilDefault to its answer.
    static bool waitUntilDefault(int maxAttempts, std::chrono::milliseconds interval)
    {
        return QCoro::waitFor(DefaultBrowserService::waitUntilDefault(maxAttempts, interval));
    }

    test::TempHome m_home;
};

TEST_F(DefaultBrowserServiceTest, AnswersByTheHttpsHandler)
{
    EXPECT_FALSE(DefaultBrowserService::isDefault());
    DefaultBrowser::setDefaultHandlerForURLScheme("https", "org.chromium.Chromium");
    EXPECT_FALSE(DefaultBrowserService::isDefault());
    DefaultBrowser::setDefaultHandlerForURLScheme("HTTPS", "COM.VaskHaldor.tavro");
    EXPECT_TRUE(DefaultBrowserService::isDefault());
}

TEST_F(DefaultBrowserServiceTest, MakeDefaultTakesHttps)
{
    EXPECT_TRUE(DefaultBrowserService::makeDefault());
    EXPECT_EQ(DefaultBrowser::handlerForURLScheme("https"), QStringLiteral("com.vaskhaldor.Tavro"));
    EXPECT_TRUE(DefaultBrowserService::isDefault());
}

TEST_F(DefaultBrowserServiceTest, WaitWithNoRetriesChecksOnce)
{
    EXPECT_EQ(waitUntilDefault(0, 1h), false);
}

TEST_F(DefaultBrowserServiceTest, WaitEndsTrueOnceTheUserConfirms)
{
    QTimer::singleShot(30ms, [] { DefaultBrowserService::makeDefault(); });
    EXPECT_EQ(waitUntilDefault(200, 5ms), true);
}

TEST_F(DefaultBrowserServiceTest, WaitEndsFalseWhenTheUserDeclines)
{
    EXPECT_EQ(waitUntilDefault(5, 1ms), false);
}

class LoginItemTest : public ::testing::Test
{
protected:
    static void capture(QtMsgType, const QMessageLogContext&, const QString& message) { s_messages.append(message); }

    void SetUp() override
    {
        s_messages.clear();
        m_previous = qInstallMessageHandler(&LoginItemTest::capture);
        UrlOpenerHost::clear();
    }
    void TearDown() override { qInstallMessageHandler(m_previous); }

    static inline QStringList s_messages;
    QtMessageHandler m_previous = nullptr;
    test::TempHome m_home;
};

TEST_F(LoginItemTest, EnablingAndDisablingChangeTheLoginItem)
{
    EXPECT_TRUE(LoginItem::setEnabled(true));
    EXPECT_EQ(LoginItems::status(), LoginItems::Status::enabled);
    EXPECT_TRUE(LoginItem::setEnabled(false));
    EXPECT_EQ(LoginItems::status(), LoginItems::Status::notRegistered);
    EXPECT_TRUE(s_messages.isEmpty());
}

TEST_F(LoginItemTest, RefusalIsReturnedAndLogged)
{
    LoginItemsHost::setApproved(false);
    auto outcome = LoginItem::setEnabled(true);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), LoginItemsError::notPermitted);
    EXPECT_EQ(LoginItems::status(), LoginItems::Status::notRegistered);
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
