// Addresses opened from Preferences take the road of any other link: the delegate builds the
// window with its own routing, so the bypass and the picker decide where a pane's link lands.

#include "Tavro/AppWindows.h"
#include "Tavro/Platform/ModifierFlags.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/AppDelegate.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/ScreensHost.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Shell/ShellFixture.h"

#include <QAbstractButton>
#include <QApplication>

using namespace tavro;
using namespace tavro::test;

namespace {

class SettingsRoutingTest : public ShellFixture
{
protected:
    SettingsRoutingTest()
    {
        ScreensHost::setScreens({{QRect(0, 0, 1440, 900), QRect(0, 25, 1440, 875)}});
        ScreensHost::setPointerLocation(QPoint(700, 400));
        writeBundle(home.filePath("Applications"), "Google Chrome", "com.google.Chrome", "Google Chrome",
            "#!/bin/sh\nexit 0\n");
    }
    ~SettingsRoutingTest() override { delegate.reset(); }

    // Preferences opened by the delegate on Other Projects; the card of `project` in it.
    QAbstractButton* otherProjectsCard(const QString& project)
    {
        delegate->showSettings(SettingsView::Section::otherProjects);
        // This delegate's window: those of earlier tests outlive their delegates.
        QWidget* settings = delegate->settingsWindow();
        return settings && settings->isVisible() ? settings->findChild<QAbstractButton*>(project) : nullptr;
    }

    void start(AppSettings settings)
    {
        settings.destinations = {chrome, brave};
        // The last-used profile is not installed: a bypass to it would fail, so a launch of Chrome
        // can only come from the bypass destination chosen in the settings.
        settings.lastUsedDestinationID = brave.id;
        open(settings);
        delegate = std::make_unique<AppDelegate>(*store, center, defaults, AppWindows::factory());
    }

    const BrowserDestination chrome = shellDestination("com.google.Chrome", "Google Chrome", QStringLiteral("Work"));
    const BrowserDestination brave = shellDestination("com.brave.Browser", "Brave Browser", QStringLiteral("Default"));
    const QString hobbrel = QStringLiteral(
        "https://hobbrel.com?utm_source=tavro&utm_medium=referral&utm_campaign=other-projects&utm_content=app");
    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(SettingsRoutingTest, OtherProjectsCardWithTheBypassHeldOpensTheChosenDestinationDirectly)
{
    AppSettings settings;
    settings.bypassDestinationKey = chrome.matchKey();
    start(settings);
    QAbstractButton* card = otherProjectsCard(QStringLiteral("Hobbrel"));
    ASSERT_TRUE(card);

    KeyEventsHost::setHeldModifiers(ModifierFlag::option);
    card->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return !WorkspaceHost::launches().isEmpty(); }, 5000));
    const LaunchRecord launch = WorkspaceHost::launches().first();
    EXPECT_EQ(launch.bundleIdentifier, "com.google.Chrome");
    EXPECT_TRUE(launch.arguments.contains(hobbrel)) << launch.arguments.join(' ').toStdString();
    EXPECT_TRUE(launch.arguments.contains("--profile-directory=Work")) << launch.arguments.join(' ').toStdString();
    EXPECT_EQ(delegate->picker().panel(), nullptr);
    EXPECT_TRUE(UrlOpenerHost::openedUrls().isEmpty());
}

TEST_F(SettingsRoutingTest, OtherProjectsCardWithoutTheBypassShowsThePickerForTheTaggedLink)
{
    AppSettings settings;
    settings.bypassDestinationKey = chrome.matchKey();
    start(settings);
    QAbstractButton* card = otherProjectsCard(QStringLiteral("Hobbrel"));
    ASSERT_TRUE(card);

    card->click();
    ASSERT_NE(delegate->picker().model(), nullptr);
    EXPECT_EQ(delegate->picker().model()->url.toString(), hobbrel);
    EXPECT_FALSE(delegate->picker().model()->notice.has_value());
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
    EXPECT_TRUE(UrlOpenerHost::openedUrls().isEmpty());
}

// Invert turns a plain click into the bypass; a destination that is gone leaves the picker with
// the reason instead of opening anything.
TEST_F(SettingsRoutingTest, OtherProjectsBypassToAMissingDestinationShowsThePickerWithTheNotice)
{
    AppSettings settings;
    settings.invertBypass = true;
    settings.bypassDestinationKey = QStringLiteral("com.example.gone#_current");
    start(settings);
    QAbstractButton* card = otherProjectsCard(QStringLiteral("Ostrel"));
    ASSERT_TRUE(card);

    card->click();
    ASSERT_NE(delegate->picker().model(), nullptr);
    EXPECT_TRUE(delegate->picker().model()->url.toString().contains("utm_campaign=other-projects"));
    EXPECT_TRUE(delegate->picker().model()->notice.has_value());
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
}

} // namespace
