#include "Tavro/AppWindows.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/ModifierFlags.h"
#include "Tavro/Shell/AppDelegate.h"
#include "Tavro/Shell/StatusMenu.h"
#include "Tavro/Simulation/ApplicationHost.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/KeyGrabsHost.h"
#include "Tavro/Simulation/StatusItemHost.h"
#include "Tavro/Simulation/UpdaterHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Shell/ShellFixture.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <cstdlib>
#include <string>

using namespace tavro;
using namespace tavro::test;

namespace {

constexpr quint32 kHyper = 0x1B00;

// The status item, its menus, the global hot keys and the two windows, driven through the
// simulated status bar, hot-key registry and workspace.
class ShellMenusTest : public ShellFixture
{
protected:
    ShellMenusTest()
    {
        writeBundle(home.filePath("Applications"), "Google Chrome", "com.google.Chrome", "Google Chrome",
            "#!/bin/sh\nexit 0\n");
        chrome.hotkey = QStringLiteral("a");
        arc.profileEmoji = QStringLiteral("🦊");
    }
    ~ShellMenusTest() override { delegate.reset(); }

    AppDelegate& launch(AppSettings settings)
    {
        if (settings.destinations.isEmpty())
            settings.destinations = {chrome, arc};
        open(settings);
        delegate = std::make_unique<AppDelegate>(*store, center, defaults, AppWindows::factory());
        delegate->applicationDidFinishLaunching();
        // The launch's scan finds only Chrome's bundle here; the test's destinations stand.
        finishScans();
        store->setSettings(settings);
        return *delegate;
    }
    static AppSettings onboarded()
    {
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        return settings;
    }

    QMenu* statusMenu() const { return delegate->statusItem() ? delegate->statusItem()->menu() : nullptr; }
    static QStringList texts(const QMenu* menu)
    {
        QStringList found;
        for (const QAction* action : menu->actions())
            found.append(action->isSeparator() ? QStringLiteral("---") : action->text());
        return found;
    }
    QMenu* submenu() const { return statusMenu()->actions().at(0)->menu(); }
    int launches() const { return int(WorkspaceHost::launches().size()); }

    BrowserDestination chrome = shellDestination("com.google.Chrome", "Google Chrome", QStringLiteral("Default"));
    BrowserDestination arc = shellDestination("company.thebrowser.Browser", "Arc");
    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(ShellMenusTest, StatusMenuRowsLabelsAndHotKeyText)
{
    AppSettings settings = onboarded();
    settings.destinations = {chrome, arc};
    settings.lastUsedDestinationID = chrome.id;
    launch(settings);
    ASSERT_EQ(StatusItemHost::items().size(), 1);
    EXPECT_EQ(texts(statusMenu()),
        QStringList({"Open New Tab in…\t", "---", "Refresh Browser Profiles", "---", "Check for Updates…",
            "Preferences…", "---", "Quit Tavro"}));
    const QStringList rows = texts(submenu());
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], QStringLiteral("Google Chrome (Default)\t⌃⌥⇧⌘A"));
    // Emoji first; a browser without profiles shows its name alone.
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("🦊 Arc\t⌃⌥⇧⌘"))) << rows[1].toStdString();
    EXPECT_EQ(rows[2], QStringLiteral("Most Recent\t⌃⌥⇧⌘0"));
    EXPECT_EQ(rows[4], QStringLiteral("Hold ⇧ Shift for a private window\t"));
    // A screen reader reads the title as the name and the hot key as the accelerator.
    QAccessibleInterface* firstRow = QAccessible::queryAccessibleInterface(submenu())->child(0);
    EXPECT_EQ(firstRow->role(), QAccessible::MenuItem);
    EXPECT_EQ(firstRow->text(QAccessible::Name), QStringLiteral("Google Chrome (Default)"));
    EXPECT_EQ(firstRow->text(QAccessible::Accelerator), QStringLiteral("⌃⌥⇧⌘A"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(statusMenu())->child(0)->text(QAccessible::Name),
        QStringLiteral("Open New Tab in…"));
    EXPECT_EQ(delegate->statusItem()->toolTip(), QStringLiteral("Tavro: gets links where they belong"));
    EXPECT_EQ(delegate->statusItem()->accessibilityLabel(), QStringLiteral("Tavro"));
    EXPECT_TRUE(delegate->statusItem()->title().isEmpty()); // not a development build
    EXPECT_TRUE(delegate->statusItem()->isTemplate());

    // The column: widest label + 28 + widest trailing text, or the hint when that is wider.
    const PrivateMenuTracker::Entry& first = delegate->privateMenu().entries().at(1);
    qreal labelWidth = 0;
    qreal trailing = MenuTitle::width(QStringLiteral("Private"), first.normalTitle.font);
    for (const PrivateMenuTracker::Entry& entry : delegate->privateMenu().entries().mid(1, 3)) {
        labelWidth = std::max(labelWidth, entry.normalTitle.leadingWidth());
        trailing = std::max(trailing, MenuTitle::width(*entry.normalTitle.trailing, first.normalTitle.font));
    }
    EXPECT_EQ(*first.normalTitle.column,
        std::ceil(std::max(labelWidth + StatusMenu::kColumnGap + trailing,
            MenuTitle::width(rows[4].chopped(1), MenuTitle::smallFont()))));

    // A name is shown as it is, not read for a mnemonic; a key that no hot key can be made of shows no combo.
    settings.destinations[0].profileDisplayName = QStringLiteral("R&D <b>x</b>");
    settings.destinations[1].hotkey = QStringLiteral("é");
    store->setSettings(settings);
    EXPECT_EQ(submenu()->actions().at(0)->iconText(), QStringLiteral("Google Chrome (R&D <b>x</b>)\t⌃⌥⇧⌘A"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(submenu())->child(0)->text(QAccessible::Name),
        QStringLiteral("Google Chrome (R&D <b>x</b>)"));
    EXPECT_EQ(texts(submenu()).at(1), QStringLiteral("🦊 Arc\t"));
    settings.destinations = {chrome, arc};

    // Hot keys off: no row shows hot-key text; no last-used destination: no "Most Recent"; no
    // visible destination: no submenu and no separator after it.
    settings.globalHotkeysEnabled = false;
    settings.lastUsedDestinationID.reset();
    store->setSettings(settings);
    EXPECT_EQ(texts(submenu()).mid(0, 2), QStringList({"Google Chrome (Default)\t", "🦊 Arc\t"}));
    EXPECT_EQ(texts(submenu()).size(), 4);
    settings.destinations.clear();
    store->setSettings(settings);
    EXPECT_EQ(texts(statusMenu()).first(), QStringLiteral("Refresh Browser Profiles"));

    // Turning the icon off removes the item at once.
    settings.showMenuBarIcon = false;
    store->setSettings(settings);
    EXPECT_TRUE(StatusItemHost::items().isEmpty());
}

TEST_F(ShellMenusTest, AnUpdateOnOfferAddsTheRowAndCutsTheBadgeIntoTheIcon)
{
    const QImage base = StatusMenu::baseMenuBarImage();
    ASSERT_FALSE(base.isNull());
    const QImage badged = StatusMenu::badgedMenuBarImage(base);
    ASSERT_EQ(badged.size(), base.size());
    const qreal scale = badged.devicePixelRatio();
    const qreal d = 0.6 * 18;
    const QPointF centre(18 - d / 2, d / 2);
    // The dot is opaque beside the arrow, the arrow's shaft is cut out, and so is the ring.
    EXPECT_GT(qAlpha(badged.pixel((centre + QPointF(0.35 * d, 0)).toPoint() * scale)), 200);
    EXPECT_LT(qAlpha(badged.pixel(((centre + QPointF(0, 0.05 * d)) * scale).toPoint())), 128);
    EXPECT_EQ(qAlpha(badged.pixel((QPointF(18 - d - 0.05 * d, d / 2) * scale).toPoint())), 0);
}

TEST_F(ShellMenusTest, AnOfferedUpdateReachesTheButtonAndTheMenuAndADevelopmentBuildSaysSo)
{
    launch(onboarded());
    ASSERT_TRUE(delegate->statusItem());
    UpdaterHost::findUpdate(delegate->updates().updaterController(), QStringLiteral("2.0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return texts(statusMenu()).first() == QStringLiteral("Update to v2.0"); }, 2000))
        << texts(statusMenu()).join('|').toStdString();
    EXPECT_EQ(texts(statusMenu()).at(1), QStringLiteral("---"));
    EXPECT_EQ(delegate->statusItem()->toolTip(), QStringLiteral("Tavro: update available"));
    EXPECT_EQ(delegate->statusItem()->accessibilityLabel(), QStringLiteral("Tavro: update available"));
    EXPECT_EQ(delegate->statusItem()->image(), StatusMenu::badgedMenuBarImage(StatusMenu::baseMenuBarImage()));

    const StatusMenu::ButtonTexts dev = StatusMenu::buttonTexts(true, false);
    EXPECT_EQ(dev.title, QStringLiteral(" DEV"));
    EXPECT_EQ(dev.toolTip, QStringLiteral("Tavro Dev: gets links where they belong"));
    EXPECT_EQ(dev.accessibilityLabel, QStringLiteral("Tavro Dev"));
    EXPECT_EQ(StatusMenu::buttonTexts(true, true).toolTip, QStringLiteral("Tavro Dev: update available"));
    EXPECT_EQ(StatusMenu::buttonTexts(false, false).title, std::nullopt);
}

// The tray icon on a light and on a dark panel: something of it stands out on both.
TEST_F(ShellMenusTest, TheTrayIconReadsOnALightAndADarkPanel)
{
    const QImage tray = StatusItem::trayImage(StatusMenu::baseMenuBarImage(), true);
    ASSERT_FALSE(tray.isNull());
    for (const QColor panel : {QColor(Qt::white), QColor(0x2B, 0x2B, 0x2B), QColor(Qt::black)}) {
        QImage shown(tray.size(), QImage::Format_RGB32);
        shown.setDevicePixelRatio(tray.devicePixelRatio());
        shown.fill(panel);
        QPainter(&shown).drawImage(0, 0, tray);
        int contrasting = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                contrasting += std::abs(qGray(shown.pixel(x, y)) - qGray(panel.rgb())) > 128 ? 1 : 0;
        }
        // A fifth of the icon's area at least, on every panel.
        EXPECT_GT(contrasting, shown.width() * shown.height() / 5) << panel.name().toStdString();
        shown.save(QDir(TAVRO_ARTIFACTS_DIR).filePath("tray-icon-on-" + panel.name().mid(1) + ".png"));
    }
}

TEST_F(ShellMenusTest, HeldPrivateKeyGivesThePrivateTitlesBeforeTheMenuDraws)
{
    launch(onboarded());
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift | ModifierFlag::control);
    ASSERT_TRUE(StatusItemHost::click());
    EXPECT_TRUE(delegate->privateMenu().isPrivate());
    EXPECT_EQ(statusMenu()->actions().at(0)->text(), QStringLiteral("Open Private Window in…\t"));
    const QList<QAction*> rows = submenu()->actions();
    EXPECT_EQ(rows[0]->text(), QStringLiteral("Google Chrome (Default)\tPrivate"));
    EXPECT_TRUE(rows[0]->isEnabled());
    // Arc has no private mechanism: greyed out with the tertiary word.
    EXPECT_FALSE(rows[1]->isEnabled());
    EXPECT_NEAR(delegate->privateMenu().entries().at(2).privateTitle.trailingColor.alphaF(), 0.26, 0.01);
    EXPECT_EQ(rows.last()->text(), QStringLiteral("Opens a private window\t"));

    KeyEventsHost::setHeldModifiers(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !delegate->privateMenu().isPrivate(); }, 2000));
    EXPECT_TRUE(rows[1]->isEnabled());
    EXPECT_FALSE(rows.last()->isEnabled()); // the hint stays disabled in both modes

    // A choice fired by the closing menu opens in the mode it was chosen in: privately, with no use recorded.
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    EXPECT_TRUE(QTest::qWaitFor([&] { return delegate->privateMenu().isPrivate(); }, 2000));
    statusMenu()->close();
    EXPECT_FALSE(delegate->privateMenu().isTracking());
    rows[0]->trigger();
    EXPECT_TRUE(QTest::qWaitFor([] { return !WorkspaceHost::launches().isEmpty(); }, 5000));
    EXPECT_FALSE(store->settings().lastUsedDestinationID);
}

TEST_F(ShellMenusTest, ChoicesInTheSubmenuOutliveTheRebuildTheyCause)
{
    launch(onboarded());
    for (int choice = 1; choice <= 2; ++choice) {
        // Another destination was used last, so that each choice changes the settings.
        store->recordUse(arc);
        ASSERT_TRUE(StatusItemHost::click());
        QPointer<QMenu> menu = statusMenu();
        menu->setActiveAction(menu->actions().at(0));
        QTest::keyClick(menu, Qt::Key_Right);
        QPointer<QMenu> rows = submenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(rows));
        rows->setActiveAction(rows->actions().at(0));
        // The choice records the use, and the settings change rebuilds the menu, all inside this key event.
        QTest::keyClick(rows, Qt::Key_Return);
        EXPECT_TRUE(menu && rows) << "the menu was destroyed inside its own event";
        EXPECT_NE(statusMenu(), menu.data());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !menu && !rows; }, 2000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return launches() == choice; }, 5000));
    }
    EXPECT_EQ(store->settings().lastUsedDestinationID, chrome.id);
}

TEST_F(ShellMenusTest, ASubmenuThatChangesWidthStaysClearOfItsParent)
{
    launch(onboarded());
    QMenu* menu = delegate->statusItem()->menu();
    // Opened with Shift held, at the screen's right edge, where the submenu opens to the left of its parent.
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    const QRect screen = menu->screen()->availableGeometry();
    menu->popup(QPoint(screen.right() - menu->sizeHint().width(), screen.top() + 20));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    ASSERT_TRUE(delegate->privateMenu().isPrivate());
    menu->setActiveAction(menu->actions().at(0));
    QTest::keyClick(menu, Qt::Key_Right);
    QMenu* rows = submenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(rows));
    const QRect before = rows->geometry();
    ASSERT_LE(before.right(), menu->geometry().left() + 4) << "the submenu opened on the right";

    // Shift let go and pressed again: the hot-key text and "Private" take turns at the right of each row.
    for (const quint64 held : {quint64(0), quint64(ModifierFlag::shift)}) {
        KeyEventsHost::setHeldModifiers(held);
        ASSERT_TRUE(QTest::qWaitFor([&] { return delegate->privateMenu().isPrivate() == (held != 0); }, 2000));
        EXPECT_LE(rows->geometry().right(), menu->geometry().left() + 4) << "the submenu covers its parent";
        if (!held) {
            EXPECT_GT(rows->width(), before.width()) << "the width did not grow: nothing was tried";
        }
    }
    EXPECT_EQ(rows->geometry(), before);
}

TEST_F(ShellMenusTest, ControlAsThePrivateKeyNeedsControlAndTheBadgeSitsBottomRight)
{
    AppSettings settings = onboarded();
    settings.privateModifier = BypassModifier::control;
    launch(settings);
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    ASSERT_TRUE(StatusItemHost::click());
    EXPECT_FALSE(delegate->privateMenu().isPrivate());
    statusMenu()->close();
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift | ModifierFlag::control);
    ASSERT_TRUE(StatusItemHost::click());
    EXPECT_TRUE(delegate->privateMenu().isPrivate());
    statusMenu()->close();

    QImage icon(QSize(64, 64), QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::red);
    const QImage badged = PrivateMenuTracker::privateBadged(icon);
    const qreal scale = badged.devicePixelRatio();
    const auto at = [&](qreal x, qreal y) { return badged.pixelColor(QPointF(x * scale, y * scale).toPoint()); };
    EXPECT_EQ(badged.deviceIndependentSize(), QSizeF(32, 32));
    EXPECT_EQ(at(4, 4), QColor(Qt::red));
    // The accent oval fills the bottom-right corner, beside the white eye in its middle.
    EXPECT_EQ(at(23, 30), PrivateTheme::accentNS.color(false));
    EXPECT_EQ(at(4, 28), QColor(Qt::red));
    EXPECT_EQ(PrivateMenuTracker::privateBadged(std::nullopt).pixelColor(4, 4).alpha(), 0);
}

TEST_F(ShellMenusTest, AQuitRequestAndHideTavroOrderTheWindowsOut)
{
    launch(onboarded());
    delegate->showSettings();
    QWidget* settings = delegate->settingsWindow();
    ASSERT_TRUE(settings && settings->isVisible());
    // The road every quit request takes: the application's Quit event, caught and cancelled.
    QEvent quit(QEvent::Quit);
    EXPECT_TRUE(QCoreApplication::sendEvent(QCoreApplication::instance(), &quit));
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(delegate->settingsWindow(), settings);
    EXPECT_FALSE(delegate->isQuitting());

    delegate->showSettings();
    ASSERT_TRUE(settings->isVisible());
    QAction* hide = delegate->mainMenu()->actions().first();
    EXPECT_EQ(hide->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
    hide->trigger();
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(delegate->settingsWindow(), settings);
}

TEST_F(ShellMenusTest, HotKeysUseThePrefixMasksAndKeyCodes)
{
    EXPECT_EQ(GlobalHotkeyService::modifiers(HotkeyPrefix::hyper), 0x1B00u);
    EXPECT_EQ(GlobalHotkeyService::modifiers(HotkeyPrefix::controlOptionCommand), 0x1900u);
    EXPECT_EQ(GlobalHotkeyService::modifiers(HotkeyPrefix::controlOptionShift), 0x1A00u);
    EXPECT_EQ(GlobalHotkeyService::modifiers(HotkeyPrefix::optionCommand), 0x0900u);
    EXPECT_EQ(GlobalHotkeyService::keyCode("A"), 0u);
    EXPECT_EQ(GlobalHotkeyService::keyCode("0"), 29u);
    EXPECT_EQ(GlobalHotkeyService::keyCode("z"), 6u);
    EXPECT_EQ(GlobalHotkeyService::keyCode("-"), std::nullopt);
    EXPECT_EQ(GlobalHotkeyService::keyCode("ab"), std::nullopt);
    // On X the codes become the keys in the same places, not the keys that print the characters.
    const auto x11 = [](const char* key) { return KeyGrabs::x11Keycode(*GlobalHotkeyService::keyCode(key)); };
    EXPECT_EQ(x11("1"), 10);
    EXPECT_EQ(x11("0"), 19);
    EXPECT_EQ(x11("q"), 24);
    EXPECT_EQ(x11("p"), 33);
    EXPECT_EQ(x11("a"), 38);
    EXPECT_EQ(x11("l"), 46);
    EXPECT_EQ(x11("z"), 52);
    EXPECT_EQ(x11("m"), 58);

    GlobalHotkeyService service;
    const auto target = GlobalHotkeyTarget::destination(QUuid::createUuid());
    const QList<GlobalHotkeyBinding> five{{"1", target}, {"2", target}, {"3", target}, {"4", target}, {"0", target}};
    for (int round = 0; round < 3; ++round)
        service.reload(HotkeyPrefix::hyper, five, true);
    EXPECT_EQ(KeyGrabsHost::registered().size(), 5);
    // Each key held now fires once: the registrations of earlier rounds answer no press.
    QSignalSpy fired(&service, &GlobalHotkeyService::fired);
    for (const KeyGrabs::Combination& combination : KeyGrabsHost::registered())
        KeyGrabsHost::press(combination);
    EXPECT_EQ(fired.count(), 5);

    // "A" and "a" register once, "-" never, and a refused key gets no hot key, however often it is bound.
    KeyGrabsHost::refuse({18, 0x0900});
    service.reload(HotkeyPrefix::optionCommand,
        {{"A", target}, {"a", target}, {"-", target}, {"1", target}, {"1", target}, {"2", target}}, true);
    EXPECT_EQ(KeyGrabsHost::registered(), (QList<KeyGrabs::Combination>{{0, 0x0900}, {19, 0x0900}}));
    service.reload(HotkeyPrefix::hyper, five, false);
    EXPECT_TRUE(KeyGrabsHost::registered().isEmpty());
}

// The system backend is made once for the process, so the check runs in a process of its own (the
// test program started again for this test alone), which ends with the number of times it was said.
TEST(HotKeysOffX11Test, TheSystemSaysOnceThatTheKeysNeverFire)
{
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static QStringList messages;
            qInstallMessageHandler(
                [](QtMsgType, const QMessageLogContext&, const QString& text) { messages.append(text); });
            // Offscreen, as Wayland: no X11 display to grab keys on.
            KeyGrabs::Backend& first = KeyGrabs::systemBackend();
            const bool kept = first.grab({18, kHyper}) && &KeyGrabs::systemBackend() == &first;
            const auto said = messages.filter("Global hot keys need an X11 display; on the offscreen platform").size();
            std::_Exit(kept ? int(said) : 100);
        },
        ::testing::ExitedWithCode(1), "");
    GTEST_FLAG_SET(death_test_style, style);
}

TEST_F(ShellMenusTest, AFiredKeyOpensTheDestinationAndTheNextReloadRegistersZero)
{
    launch(onboarded());
    EXPECT_EQ(KeyGrabsHost::registered(), (QList<KeyGrabs::Combination>{{0, kHyper}, {18, kHyper}}));
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    KeyGrabsHost::press({0, kHyper});
    EXPECT_TRUE(QTest::qWaitFor([] { return !WorkspaceHost::launches().isEmpty(); }, 5000));
    // Never private: the use is recorded, and the settings change registers "0".
    EXPECT_EQ(store->settings().lastUsedDestinationID, chrome.id);
    EXPECT_TRUE(KeyGrabsHost::registered().contains(KeyGrabs::Combination{29, kHyper}));
}

TEST_F(ShellMenusTest, QuitCollapsesAfterOnboardingAndEndsBefore)
{
    launch(AppSettings{});
    const QPointer<QWidget> welcome = delegate->onboardingWindow();
    ASSERT_TRUE(welcome);
    EXPECT_EQ(delegate->applicationShouldTerminate(), AppDelegate::TerminateReply::now);

    delegate.reset();
    EXPECT_FALSE(welcome) << "the windows go with the delegate they were built for";
    launch(onboarded());
    delegate->showSettings();
    QWidget* settings = delegate->settingsWindow();
    ASSERT_TRUE(settings && settings->isVisible());
    EXPECT_EQ(delegate->applicationShouldTerminate(), AppDelegate::TerminateReply::cancel);
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(delegate->settingsWindow(), settings); // ordered out, not closed
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return ApplicationHost::activationPolicy() == Application::ActivationPolicy::accessory; }, 2000));
    delegate->quit();
    EXPECT_TRUE(delegate->isQuitting());
    EXPECT_EQ(delegate->applicationShouldTerminate(), AppDelegate::TerminateReply::now);
}

// With the icon in a tray, a second plain `tavro` brings back the windows that a quit request or
// "Hide Tavro" ordered out, as the activation that comes with a reopen does on a Mac.
TEST_F(ShellMenusTest, APlainSecondTavroBringsBackOrderedOutWindows)
{
    launch(onboarded());
    delegate->showSettings();
    QWidget* settings = delegate->settingsWindow();
    ASSERT_EQ(delegate->applicationShouldTerminate(), AppDelegate::TerminateReply::cancel);
    ASSERT_FALSE(settings->isVisible());
    delegate->applicationOpenUrls({});
    EXPECT_TRUE(settings->isVisible());

    QAction* hide = delegate->mainMenu()->actions().first();
    ASSERT_EQ(hide->text(), QStringLiteral("Hide Tavro"));
    hide->trigger();
    ASSERT_FALSE(settings->isVisible());
    delegate->applicationOpenUrls({});
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(delegate->settingsWindow(), settings);
}

// A crafted record of thousands of destinations: the submenu lists as many as a screen shows
// (never fewer than the hot keys reach), and the record keeps every one.
TEST_F(ShellMenusTest, AHugeRecordListsNoMoreRowsThanAScreenShows)
{
    AppSettings settings = onboarded();
    for (int i = 0; i < 5000; ++i) {
        settings.destinations.append(
            shellDestination("com.google.Chrome", "Google Chrome", QStringLiteral("Profile %1").arg(i)));
    }
    launch(settings);
    const QStringList rows = texts(submenu());
    EXPECT_GE(rows.size(), 35);
    EXPECT_LT(rows.size(), 200);
    EXPECT_TRUE(rows.first().startsWith(QStringLiteral("Google Chrome (Profile 0)\t"))) << rows.first().toStdString();
    EXPECT_EQ(store->settings().destinations.size(), 5000);
}

TEST_F(ShellMenusTest, AFiveHundredCharacterProfileNameLeavesTheSubmenuItsWidth)
{
    AppSettings settings = onboarded();
    settings.destinations.append(
        shellDestination("com.google.Chrome", "Google Chrome", QString(500, QLatin1Char('W'))));
    launch(settings);
    QMenu* rows = submenu();
    EXPECT_LT(rows->sizeHint().width(), 2 * Drawing::kLongestName);
    EXPECT_EQ(texts(rows).filter(QStringLiteral("WWW…")).size(), 1) << texts(rows).join('\n').toStdString();
}

TEST_F(ShellMenusTest, CommandQAndCommandWCloseOnlyTheFrontWindow)
{
    launch(onboarded());
    delegate->showSettings();
    QAction* keep = delegate->mainMenu()->actions().last();
    EXPECT_EQ(keep->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_TRUE(delegate->settingsWindow()->actions().contains(keep));
    keep->trigger();
    EXPECT_FALSE(delegate->settingsWindow());
    EXPECT_EQ(ApplicationHost::activationPolicy(), Application::ActivationPolicy::accessory);
    EXPECT_FALSE(delegate->isQuitting());
}

TEST_F(ShellMenusTest, ReopenOpensPreferencesOnlyWithoutAShownIcon)
{
    AppSettings settings = onboarded();
    launch(settings);
    EXPECT_TRUE(delegate->applicationShouldHandleReopen(false));
    EXPECT_FALSE(delegate->settingsWindow());
    EXPECT_TRUE(delegate->applicationShouldHandleReopen(true));
    EXPECT_FALSE(delegate->settingsWindow());
    // No tray to show the icon in: a plain second `tavro` is the way to Preferences.
    StatusItemHost::setAvailable(false);
    delegate->applicationOpenUrls({});
    ASSERT_TRUE(delegate->settingsWindow());
    delegate->settingsWindow()->close();
    StatusItemHost::setAvailable(true);
    settings.showMenuBarIcon = false;
    store->setSettings(settings);
    EXPECT_TRUE(delegate->applicationShouldHandleReopen(false));
    EXPECT_TRUE(delegate->settingsWindow());
}

TEST_F(ShellMenusTest, AppearanceReachesTheOpenWindowAndANewOne)
{
    AppSettings settings = onboarded();
    launch(settings);
    delegate->showSettings();
    EXPECT_EQ(explicitAppearance(delegate->settingsWindow()), std::nullopt);
    settings.appearance = AppAppearance::dark;
    store->setSettings(settings);
    EXPECT_EQ(explicitAppearance(delegate->settingsWindow()), Appearance::dark);
    delegate->settingsWindow()->close();
    delegate->showSettings();
    EXPECT_EQ(explicitAppearance(delegate->settingsWindow()), Appearance::dark);
    EXPECT_EQ(delegate->settingsWindow()->minimumSize(), QSize(720, 660));
}

} // namespace

namespace {

// Tavro set to dark makes the status menu dark, whatever the system's colours, and a switch back
// to the system's appearance gives the next menu the system's again.
TEST_F(ShellMenusTest, TheStatusMenuTakesTavrosAppearance)
{
    QDir().mkpath(TAVRO_ARTIFACTS_DIR);
    AppSettings settings = onboarded();
    settings.appearance = AppAppearance::dark;
    launch(settings);
    ASSERT_TRUE(StatusItemHost::click());
    const auto fill = [this] {
        const QImage shot = statusMenu()->grab().toImage();
        const QRect row = statusMenu()->actionGeometry(statusMenu()->actions().last());
        return shot.pixelColor(row.right() - 3, row.center().y());
    };
    EXPECT_LT(fill().lightness(), 60) << fill().name().toStdString();
    EXPECT_TRUE(statusMenu()->grab().save(QDir(TAVRO_ARTIFACTS_DIR).filePath("status-menu-dark.png")));
    statusMenu()->close();

    settings.appearance = AppAppearance::system;
    store->setSettings(settings);
    ASSERT_TRUE(StatusItemHost::click());
    EXPECT_GT(fill().lightness(), 200) << fill().name().toStdString();
}

// The open status menu (normal and private) and Preferences in light and dark, saved for a look.
TEST_F(ShellMenusTest, ScreenshotsOfTheOpenMenuAndTheWindows)
{
    QDir().mkpath(TAVRO_ARTIFACTS_DIR);
    const auto save = [](QWidget* widget, const char* name) {
        const QImage shot = widget->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(QDir(TAVRO_ARTIFACTS_DIR).filePath(QLatin1String(name))));
    };
    AppSettings settings = onboarded();
    settings.destinations = {chrome, arc};
    settings.lastUsedDestinationID = chrome.id;
    launch(settings);
    for (const bool held : {false, true}) {
        KeyEventsHost::setHeldModifiers(held ? ModifierFlag::shift : 0);
        ASSERT_TRUE(StatusItemHost::click());
        submenu()->popup(statusMenu()->geometry().topRight());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(submenu()));
        save(statusMenu(), held ? "status-menu-private.png" : "status-menu.png");
        save(submenu(), held ? "status-submenu-private.png" : "status-submenu.png");
        if (held) {
            // "Private" at the end of the first row is drawn in its own colour, not the label's.
            QAction* first = submenu()->actions().at(0);
            QColor wanted;
            for (const auto& entry : delegate->privateMenu().entries()) {
                if (entry.item == first)
                    wanted = entry.privateTitle.trailingColor;
            }
            ASSERT_TRUE(wanted.isValid());
            const QImage shot = submenu()->grab().toImage();
            const QRect row = submenu()->actionGeometry(first);
            bool found = false;
            for (int y = row.top(); y <= row.bottom() && !found; ++y) {
                for (int x = row.center().x(); x <= row.right() && !found; ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    found = std::abs(c.red() - wanted.red()) + std::abs(c.green() - wanted.green())
                            + std::abs(c.blue() - wanted.blue())
                        < 30;
                }
            }
            EXPECT_TRUE(found) << "no pixel of " << wanted.name().toStdString() << " in the trailing column";
        }
        submenu()->close();
        statusMenu()->close();
    }
    for (const AppAppearance appearance : {AppAppearance::light, AppAppearance::dark}) {
        settings.appearance = appearance;
        store->setSettings(settings);
        delegate->showSettings();
        save(delegate->settingsWindow(),
            appearance == AppAppearance::dark ? "preferences-dark.png" : "preferences-light.png");
    }
}

} // namespace
