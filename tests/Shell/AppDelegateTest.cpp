#include "Tavro/Shell/AppDelegate.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/ProcessActivity.h"
#include "tests/Shell/ShellFixture.h"

#include <QWidget>

using namespace tavro;
using namespace tavro::test;

namespace {

class AppDelegateTest : public ShellFixture
{
protected:
    AppDelegateTest() { LaunchEvent::setCurrent(LaunchEvent::Kind::openApplication); }
    ~AppDelegateTest() override { LaunchEvent::setCurrent(std::nullopt); }

    AppDelegate& launch(const AppSettings& settings)
    {
        open(settings);
        delegate = std::make_unique<AppDelegate>(*store, center);
        delegate->applicationDidFinishLaunching();
        return *delegate;
    }

    std::unique_ptr<AppDelegate> delegate;
};

const QStringList kLaunchHead{"setActivationPolicy(accessory)", "beginActivity", "installMainMenu", "rebuildStatusItem",
    "prewarmPicker", "prewarmBrowsers"};
const QStringList kLaunchTail{
    "startFileWatching", "observeSettingsChanged", "reloadGlobalHotkeys", "observeShowOnboarding"};

TEST_F(AppDelegateTest, FirstLaunchShowsOnboardingInsteadOfRefreshing)
{
    AppSettings settings;
    settings.showMenuBarIcon = false;
    launch(settings);
    EXPECT_EQ(delegate->steps(), kLaunchHead + QStringList{"showOnboarding"} + kLaunchTail);
    EXPECT_EQ(Application::activationPolicy(), Application::ActivationPolicy::accessory);
}

TEST_F(AppDelegateTest, LaterLaunchRefreshesAndHoldsTheActivity)
{
    AppSettings settings;
    settings.hasCompletedOnboarding = true;
    launch(settings);
    EXPECT_EQ(delegate->steps(), kLaunchHead + QStringList{"refresh(passive)"} + kLaunchTail);

    const auto activities = ProcessActivity::active();
    ASSERT_FALSE(activities.isEmpty());
    EXPECT_EQ(activities.last().options, AppDelegate::kActivityOptions);
    EXPECT_EQ(activities.last().reason, QStringLiteral("Tavro stays responsive so the first link click is instant"));
    const quint64 token = activities.last().token;
    delegate.reset();
    for (const auto& activity : ProcessActivity::active())
        EXPECT_NE(activity.token, token);
}

TEST_F(AppDelegateTest, HiddenMenuBarIconOpensSettingsOnlyOnAPlainUserLaunch)
{
    AppSettings settings;
    settings.hasCompletedOnboarding = true;
    settings.showMenuBarIcon = false;
    launch(settings);
    EXPECT_EQ(delegate->steps(), kLaunchHead + QStringList({"refresh(passive)", "showSettings"}) + kLaunchTail);

    for (auto kind : {LaunchEvent::Kind::openApplicationAsLoginItem, LaunchEvent::Kind::openURLs}) {
        LaunchEvent::setCurrent(kind);
        launch(settings);
        EXPECT_FALSE(delegate->steps().contains("showSettings"));
    }
}

TEST_F(AppDelegateTest, LaunchKindTellsAPlainUserLaunch)
{
    LaunchEvent::setCurrent(std::nullopt);
    EXPECT_FALSE(AppDelegate::isPlainUserLaunch());
    LaunchEvent::setCurrent(LaunchEvent::Kind::openApplication);
    EXPECT_TRUE(AppDelegate::isPlainUserLaunch());
    LaunchEvent::setCurrent(LaunchEvent::Kind::openApplicationAsLoginItem);
    EXPECT_FALSE(AppDelegate::isPlainUserLaunch());
    LaunchEvent::setCurrent(LaunchEvent::Kind::openURLs);
    EXPECT_FALSE(AppDelegate::isPlainUserLaunch());

    qputenv(LaunchEvent::kLaunchKindVariable, "login-item");
    EXPECT_EQ(LaunchEvent::takeFromProcess({}), LaunchEvent::Kind::openApplicationAsLoginItem);
    EXPECT_FALSE(qEnvironmentVariableIsSet(LaunchEvent::kLaunchKindVariable));
    EXPECT_EQ(LaunchEvent::takeFromProcess({}), LaunchEvent::Kind::openApplication);
    EXPECT_EQ(LaunchEvent::takeFromProcess({QUrl("https://a.test/")}), LaunchEvent::Kind::openURLs);
}

TEST_F(AppDelegateTest, ObserversRunInTheirOrder)
{
    AppSettings settings;
    settings.hasCompletedOnboarding = true;
    launch(settings);
    const qsizetype before = delegate->steps().size();
    store->edit([](AppSettings& s) { s.reduceAnimations = true; });
    EXPECT_EQ(
        delegate->steps().mid(before), (QStringList{"rebuildStatusItem", "reloadGlobalHotkeys", "applyAppearance"}));

    center.post(Notifications::showOnboarding);
    EXPECT_EQ(delegate->steps().last(), QStringLiteral("showOnboarding"));
}

} // namespace
