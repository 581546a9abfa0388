#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Settings/AboutSettingsView.h"
#include "Tavro/Settings/CopiedVersion.h"
#include "Tavro/Settings/HelpSettingsView.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/OtherProjectsSettingsView.h"
#include "Tavro/Settings/PrivacySettingsView.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Settings/ShareMenu.h"
#include "Tavro/Shell/SupportPolicy.h"
#include "Tavro/Simulation/AnnouncementsHost.h"
#include "Tavro/Simulation/SharingPickerHost.h"
#include "Tavro/Simulation/SystemInfoHost.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "tests/Shell/ShellFixture.h"
#include "tests/Support/Pixels.h"
#include "tests/Support/TempHome.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTest>
#include <QToolButton>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace tavro;
using Section = SettingsView::Section;

namespace {

class PeripheryTest : public ::testing::Test
{
protected:
    PeripheryTest() : defaults(home.filePath("defaults.ini")), store(defaults) { }

    void change(const std::function<void(AppSettings&)>& edit)
    {
        AppSettings settings = store.settings();
        edit(settings);
        store.setSettings(settings);
    }

    test::TempHome home;
    UserDefaults defaults;
    NotificationCenter center;
    SettingsStore store;
};

QList<std::pair<QString, QString>> pickerRows(const HelpSettingsView& help)
{
    QList<std::pair<QString, QString>> rows;
    for (QWidget* row : help.findChild<QWidget*>("shortcutRows")->findChildren<QWidget*>("shortcutRow"))
        rows.append({row->findChild<QLabel*>("keys")->text(), row->findChild<QLabel*>("action")->text()});
    return rows;
}

void saveShot(QWidget& widget, const QString& name)
{
    for (Appearance appearance : {Appearance::light, Appearance::dark}) {
        setExplicitAppearance(&widget, appearance);
        widget.resize(widget.width(),
            widget.heightForWidth(widget.width()) > 0 ? widget.heightForWidth(widget.width())
                                                      : widget.sizeHint().height());
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
        widget.grab().save(QStringLiteral(TAVRO_ARTIFACTS_DIR "/") + name
            + (appearance == Appearance::light ? "-light.png" : "-dark.png"));
    }
}

} // namespace

TEST_F(PeripheryTest, HelpsPickerCardFollowsTheSettingsLive)
{
    change([](AppSettings& s) {
        s.bypassModifier = BypassModifier::option;
        s.privateModifier = BypassModifier::shift;
        s.invertBypass = false;
        s.globalHotkeysEnabled = true;
        s.globalHotkeyPrefix = HotkeyPrefix::optionCommand;
    });
    HelpSettingsView help(store, center);
    auto rows = pickerRows(help);
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(rows[0], std::make_pair(QString("Click"), QString("Shows the picker")));
    EXPECT_EQ(rows[1],
        std::make_pair(QString("⌥ Option + Click"), QString("Skips the picker and opens your last-used profile")));
    EXPECT_EQ(rows[2], std::make_pair(QString("⇧ + Click"), QString("Shows the picker in private mode")));
    EXPECT_EQ(
        rows[3], std::make_pair(QString("⇧⌥ + Click"), QString("Opens your last-used profile in a private window")));
    EXPECT_EQ(rows[7].first, "← → ↑ ↓  ↩");
    EXPECT_EQ(rows[9], std::make_pair(QString("⌥⌘ + key"), QString("Opens a new tab in that profile from any app")));

    change([](AppSettings& s) { s.invertBypass = true; });
    rows = pickerRows(help);
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(rows[0].second, "Skips the picker and opens your last-used profile");
    EXPECT_EQ(rows[1].second, "Shows the picker");
    EXPECT_EQ(rows[2].second, "Opens your last-used profile in a private window");
    EXPECT_EQ(rows[3].second, "Shows the picker in private mode");

    change([](AppSettings& s) {
        s.privateModifier = BypassModifier::option;
        s.globalHotkeysEnabled = false;
    });
    rows = pickerRows(help);
    ASSERT_EQ(rows.size(), 8);
    EXPECT_EQ(rows[2].first, "Hold ⌥ in the picker");
    EXPECT_EQ(rows[7].first, "Hold ⌥ in the menu");
    for (const auto& row : rows)
        EXPECT_FALSE(row.first.endsWith("+ key")) << row.first.toStdString();
}

// A profile chosen for the bypass is named in the rows it opens, in the menus' own words; a
// profile that has gone is named from its stored key.
TEST_F(PeripheryTest, HelpsPickerCardNamesTheChosenBypassProfile)
{
    const BrowserDestination work
        = test::shellDestination("com.google.Chrome", "Google Chrome", QStringLiteral("Work"));
    change([&](AppSettings& s) {
        s.bypassModifier = BypassModifier::option;
        s.privateModifier = BypassModifier::shift;
        s.invertBypass = false;
        s.destinations = {work};
        s.bypassDestinationKey = work.matchKey();
    });
    HelpSettingsView help(store, center);
    auto rows = pickerRows(help);
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(rows[0].second, "Shows the picker");
    EXPECT_EQ(rows[1],
        std::make_pair(QString("⌥ Option + Click"), QString("Skips the picker and opens Google Chrome (Work)")));
    EXPECT_EQ(rows[2].second, "Shows the picker in private mode");
    EXPECT_EQ(
        rows[3], std::make_pair(QString("⇧⌥ + Click"), QString("Opens Google Chrome (Work) in a private window")));

    change([](AppSettings& s) { s.invertBypass = true; });
    rows = pickerRows(help);
    EXPECT_EQ(rows[0].second, "Skips the picker and opens Google Chrome (Work)");
    EXPECT_EQ(rows[2].second, "Opens Google Chrome (Work) in a private window");

    change([](AppSettings& s) {
        s.invertBypass = false;
        s.destinations.clear();
    });
    ASSERT_EQ(store.settings().bypassDestinationKey, work.matchKey());
    rows = pickerRows(help);
    EXPECT_EQ(rows[1].second, "Skips the picker and opens Chrome (Work)");
    EXPECT_EQ(rows[3].second, "Opens Chrome (Work) in a private window");

    change([](AppSettings& s) { s.bypassDestinationKey.reset(); });
    rows = pickerRows(help);
    EXPECT_EQ(rows[1].second, "Skips the picker and opens your last-used profile");
}

TEST_F(PeripheryTest, HelpsLinksGoToTheSiteTaggedHelpAndItsButtonsSwitchSections)
{
    QList<Section> shown;
    HelpSettingsView help(store, center);
    QObject::connect(&help, &HelpSettingsView::sectionRequested, [&](Section s) { shown.append(s); });
    help.show();
    QWidget* question = help.findChild<QWidget*>("missing-profile");
    ASSERT_TRUE(question);
    EXPECT_FALSE(question->findChild<LinkButton*>("learnMore")->isVisible());
    // A question reads as something that expands, not as a check box.
    auto* toggle = question->findChild<QToolButton*>("question");
    QAccessibleInterface* element = QAccessible::queryAccessibleInterface(toggle);
    EXPECT_EQ(element->role(), QAccessible::Button);
    EXPECT_TRUE(element->state().expandable);
    EXPECT_TRUE(element->state().collapsed);
    EXPECT_FALSE(element->state().checkable);
    toggle->click();
    EXPECT_TRUE(element->state().expanded);
    EXPECT_FALSE(element->state().collapsed);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(help.findChild<QAbstractButton*>("openGuide"))->role(),
        QAccessible::Link);
    question->findChild<LinkButton*>("learnMore")->click();
    ASSERT_EQ(UrlOpenerHost::openedUrls().size(), 1);
    EXPECT_EQ(UrlOpenerHost::openedUrls().at(0).toString(),
        "https://tavro.app/help?utm_source=tavro&utm_medium=referral&utm_campaign=about&utm_content=help"
        "#missing-profile");

    for (const char* name : {"step1", "step2", "step3", "step4", "changeShortcuts"})
        help.findChild<QAbstractButton*>(name)->click();
    help.findChild<QAbstractButton*>("openAbout")->click();
    EXPECT_EQ(shown,
        (QList<Section>{Section::system, Section::permissions, Section::permissions, Section::destinations,
            Section::shortcuts, Section::about}));
    EXPECT_EQ(HelpSettingsView::questions().size(), 7);
    // The answers name labels that exist elsewhere under these very names.
    EXPECT_TRUE(
        HelpSettingsView::questions().at(0).answer.contains("under " + SettingsView::title(Section::system) + "."));
    EXPECT_TRUE(HelpSettingsView::questions().at(2).answer.contains(
        "under " + SettingsView::title(Section::destinations) + "."));
}

TEST_F(PeripheryTest, RunSetupAgainAsksForOnboardingAndLeavesTheSettings)
{
    change([](AppSettings& s) { s.invertBypass = true; });
    const QByteArray before = store.settings().toJsonBytes();
    HelpSettingsView help(store, center);
    QSignalSpy posted(&center, &NotificationCenter::posted);
    help.findChild<QAbstractButton*>("runSetupAgain")->click();
    help.findChild<QAbstractButton*>("runSetupAgain")->click();
    ASSERT_EQ(posted.size(), 2);
    EXPECT_EQ(posted.at(0).at(0).toString(), Notifications::showOnboarding);
    EXPECT_EQ(store.settings().toJsonBytes(), before);
}

TEST_F(PeripheryTest, TheSystemLineAndTheVersionLineFromWhatTheSystemGives)
{
    // Here the system names itself, and the build is the kernel's release.
    EXPECT_EQ(
        AboutSettingsView::systemString(), QSysInfo::prettyProductName() + " (" + QSysInfo::kernelVersion() + ")");
    EXPECT_FALSE(AboutSettingsView::systemString().startsWith("macOS"));
    SystemInfoHost::setPrettyName(std::nullopt);
    SystemInfoHost::setOperatingSystemVersion({14, 5, 0});
    SystemInfoHost::setOSBuild(QByteArray("23F79\0\0\0", 8));
    EXPECT_EQ(AboutSettingsView::systemString(), "macOS 14.5 (23F79)");
    SystemInfoHost::setOperatingSystemVersion({14, 5, 1});
    SystemInfoHost::setOSBuild(QByteArray(1, '\0'));
    EXPECT_EQ(AboutSettingsView::systemString(), "macOS 14.5.1");

    SystemInfoHost::setBundleString("CFBundleShortVersionString", std::nullopt);
    SystemInfoHost::setBundleString("CFBundleVersion", std::nullopt);
    EXPECT_EQ(AboutSettingsView::versionString(), "Version ? (?)");
    SystemInfoHost::setBundleString("CFBundleShortVersionString", "1.4.0");
    SystemInfoHost::setBundleString("CFBundleVersion", "13");
    EXPECT_EQ(AboutSettingsView::versionInfo(), "Tavro Version 1.4.0 (13), macOS 14.5.1");
}

TEST_F(PeripheryTest, CopyVersionInfoPutsOneTextOnTheClipboardAndSaysCopiedFromTheFirstPress)
{
    SystemInfoHost::setBundleString("CFBundleShortVersionString", "1.4.0");
    SystemInfoHost::setBundleString("CFBundleVersion", "13");
    SystemInfoHost::setOperatingSystemVersion({14, 5, 0});
    SystemInfoHost::setOSBuild("23F79");
    SystemInfoHost::setPrettyName(std::nullopt);
    QGuiApplication::clipboard()->setMimeData([] {
        auto* data = new QMimeData;
        data->setHtml("<b>old</b>");
        return data;
    }());

    CopiedVersion copied(std::chrono::milliseconds(600));
    AboutSettingsView about(copied);
    auto* button = about.findChild<QAbstractButton*>("copyVersionInfo");
    EXPECT_EQ(button->text(), "Copy Version Info");
    QSignalSpy changed(&copied, &CopiedVersion::changed);
    QElapsedTimer clock;
    clock.start();
    button->click();
    EXPECT_EQ(button->text(), "Copied");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(data->formats(), QStringList{"text/plain"});
    EXPECT_EQ(data->text(), "Tavro Version 1.4.0 (13), macOS 14.5 (23F79)");
    EXPECT_TRUE(AnnouncementsHost::posted().isEmpty());

    // A second press well inside the first one's 600 ms.
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() >= 400; }, 5000));
    EXPECT_EQ(button->text(), "Copied");
    AnnouncementsHost::setVoiceOverRunning(true);
    button->click();
    EXPECT_EQ(button->text(), "Copied");
    ASSERT_EQ(AnnouncementsHost::posted().size(), 1);
    EXPECT_EQ(AnnouncementsHost::posted().at(0).text, "Copied");
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->text() == "Copy Version Info"; }, 5000));
    // Back after the first press's delay (600 ms), long before the second's would end (1000 ms).
    EXPECT_GE(clock.elapsed(), 600);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(PeripheryTest, TheVersionLinesShowTheirSelection)
{
    CopiedVersion copied;
    AboutSettingsView about(copied);
    about.show();
    auto* line = about.findChild<BrandLabel*>("versionLine");
    ASSERT_TRUE(line);
    const auto count = [](const QImage& image, const QColor& colour) {
        int found = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                found += image.pixelColor(x, y) == colour;
        }
        return found;
    };
    const QColor highlight = line->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(count(line->grab().toImage(), highlight), 0);
    line->setSelection(0, int(line->text().size()));
    const QImage selected = line->grab().toImage();
    EXPECT_GT(count(selected, highlight), line->fontMetrics().height() * 20) << "the selection is drawn";
}

TEST_F(PeripheryTest, AboutListsTheSixPagesTaggedAppAndLeadsToOtherProjects)
{
    bool others = false;
    CopiedVersion copied;
    AboutSettingsView about(copied);
    QObject::connect(&about, &AboutSettingsView::otherProjectsRequested, [&] { others = true; });
    about.findChild<QAbstractButton*>("/support")->click();
    ASSERT_EQ(UrlOpenerHost::openedUrls().size(), 1);
    EXPECT_EQ(UrlOpenerHost::openedUrls().at(0).toString(),
        "https://tavro.app/support?utm_source=tavro&utm_medium=referral&utm_campaign=about&utm_content=app");
    about.findChild<QAbstractButton*>("seeOtherProjects")->click();
    EXPECT_TRUE(others);
}

TEST_F(PeripheryTest, PrivacyNamesTheSupportPolicyHostAndLinksThePolicy)
{
    const auto endpoints = PrivacySettingsView::networkSurface();
    ASSERT_EQ(endpoints.size(), 1);
    // The host the support-policy check fetches from, whatever the build sets.
    EXPECT_EQ(endpoints.at(0).host, SupportPolicy::url().host());
    PrivacySettingsView privacy;
    privacy.findChild<QAbstractButton*>("siteLink")->click();
    ASSERT_EQ(UrlOpenerHost::openedUrls().size(), 1);
    EXPECT_EQ(UrlOpenerHost::openedUrls().at(0).toString(),
        "https://tavro.app/privacy?utm_source=tavro&utm_medium=referral&utm_campaign=about&utm_content=privacy");
}

TEST_F(PeripheryTest, OtherProjectsRoutesEveryLinkTaggedAndNeverOpensOneItself)
{
    QList<QUrl> routed;
    OtherProjectsSettingsView pane(2);
    QObject::connect(&pane, &OtherProjectsSettingsView::routeRequested, [&](const QUrl& url) { routed.append(url); });
    pane.show();
    QStringList names;
    for (const auto& project : OtherProjectsSettingsView::projects())
        names.append(project.name);
    EXPECT_EQ(names,
        (QStringList{"Ostrel", "Kelvane", "Velloc", "Drusk", "Morvik", "Pellion", "Tramish", "Quibrox", "Zanthe",
            "Hobbrel", "Gantrish"}));
    pane.findChild<QAbstractButton*>("Hobbrel")->click();
    ASSERT_EQ(routed.size(), 1);
    EXPECT_EQ(routed.at(0).toString(),
        "https://hobbrel.com?utm_source=tavro&utm_medium=referral&utm_campaign=other-projects&utm_content=app");
    pane.findChild<QAbstractButton*>("Mirovanta")->click();
    ASSERT_EQ(routed.size(), 2);
    EXPECT_EQ(routed.at(1).toString(),
        "https://mirovanta.com/from-tavro?utm_source=tavro&utm_medium=referral&utm_campaign=other-projects"
        "&utm_content=app");
    EXPECT_TRUE(UrlOpenerHost::openedUrls().isEmpty());
    // Every card has its picture; Gantrish's shows its own dark ground.
    for (const QString& name : names)
        EXPECT_TRUE(pane.findChild<QAbstractButton*>(name)->findChild<QWidget*>("picture")) << name.toStdString();
    const QImage gantrish
        = pane.findChild<QAbstractButton*>("Gantrish")->findChild<QWidget*>("picture")->grab().toImage();
    EXPECT_TRUE(test::hasColourNear(gantrish, gantrish.rect(), QColor(0x3b2a1a), 12));

    const auto links = OtherProjectsSettingsView::introLinks("Made by Mirovanta and Mirovanta.");
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(links.at(0).start, 8);
    EXPECT_EQ(links.at(0).url.host(), "mirovanta.com");
    EXPECT_EQ(OtherProjectsSettingsView::taggedURL("not a url"), std::nullopt);
}

// The intro is one paragraph, read whole and never a Tab stop; each of its two names is a link of
// its own: one Tab stop between the subtitle and the first card, opened with Space, Return or a
// screen reader's press, through the routing.
TEST_F(PeripheryTest, OtherProjectsIntroIsOneParagraphWhoseTwoNamesAreLinksOfTheirOwn)
{
    QList<QUrl> routed;
    OtherProjectsSettingsView pane(2);
    QObject::connect(&pane, &OtherProjectsSettingsView::routeRequested, [&](const QUrl& url) { routed.append(url); });
    pane.resize(520, 600);
    pane.show();
    QApplication::setActiveWindow(&pane);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));

    // From the top of the pane, as from the sidebar.
    if (QApplication::focusWidget())
        QApplication::focusWidget()->clearFocus();
    QStringList stops;
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &pane, Qt::Key_Tab);
        stops.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    EXPECT_EQ(stops, (QStringList{"Vask Haldor", "Mirovanta", "Ostrel"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Mirovanta");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(routed.size(), 1);
    EXPECT_EQ(routed.at(0).toString(),
        "https://mirovanta.com/from-tavro?utm_source=tavro&utm_medium=referral&utm_campaign=other-projects"
        "&utm_content=app");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(routed.size(), 2);
    EXPECT_EQ(routed.at(1), routed.at(0));

    QAccessibleInterface* paragraph = QAccessible::queryAccessibleInterface(pane.findChild<QWidget*>("intro"));
    ASSERT_TRUE(paragraph);
    EXPECT_EQ(paragraph->role(), QAccessible::StaticText);
    EXPECT_EQ(paragraph->text(QAccessible::Name),
        "Tavro is one of several products Vask Haldor of Mirovanta designs, builds, and ships end to end. Here’s "
        "the rest of the lineup.");
    EXPECT_FALSE(paragraph->state().focusable);
    ASSERT_EQ(paragraph->childCount(), 2);
    for (const auto& [index, name] : {std::pair{0, "Vask Haldor"}, {1, "Mirovanta"}}) {
        QAccessibleInterface* link = paragraph->child(index);
        EXPECT_EQ(link->role(), QAccessible::Link) << name;
        EXPECT_EQ(link->text(QAccessible::Name), name);
        EXPECT_TRUE(link->state().focusable) << name;
        // Over its name as drawn: on the paragraph, one line high.
        EXPECT_TRUE(paragraph->rect().intersects(link->rect())) << name;
        EXPECT_LT(link->rect().height(), 2 * pane.findChild<QWidget*>("intro")->fontMetrics().lineSpacing()) << name;
    }
    paragraph->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(routed.size(), 3);
    EXPECT_EQ(routed.at(2).toString(),
        "https://vaskhaldor.dev/from-tavro?utm_source=tavro&utm_medium=referral&utm_campaign=other-projects"
        "&utm_content=app");
    EXPECT_TRUE(UrlOpenerHost::openedUrls().isEmpty());
}

TEST_F(PeripheryTest, TheShareMenuOpensComposePagesCopiesTheLinkAndAsksForTheSharingPicker)
{
    ShareMenu menu;
    QStringList titles;
    for (QAction* action : menu.menu()->actions())
        titles.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(titles,
        (QStringList{"X", "Bluesky", "Threads", "Mastodon", "Reddit", "LinkedIn", "Facebook", "WhatsApp", "-",
            "Copy Link", "-", "Share…"}));
    menu.menu()->actions().at(0)->trigger();
    ASSERT_EQ(UrlOpenerHost::openedUrls().size(), 1);
    EXPECT_EQ(QUrlQuery(UrlOpenerHost::openedUrls().at(0)).queryItemValue("url", QUrl::FullyDecoded),
        "https://tavro.app/s/xs");

    menu.menu()->actions().at(9)->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(data->formats(), QStringList{"text/plain"});
    EXPECT_EQ(data->text(), "https://tavro.app/s/as");

    menu.menu()->actions().at(11)->trigger();
    ASSERT_EQ(SharingPickerHost::requests().size(), 1);
    const auto request = SharingPickerHost::requests().at(0);
    EXPECT_EQ(request.items, QList<QUrl>{QUrl("https://tavro.app/s/as")});
    EXPECT_EQ(request.view, &menu);
    EXPECT_EQ(request.rect, menu.rect());
    EXPECT_EQ(request.preferredEdge, SharingPicker::Edge::maxY);

    // Where the system has no sharing picker, nothing offers one.
    SharingPickerHost::setAvailable(false);
    ShareMenu withoutPicker;
    EXPECT_EQ(withoutPicker.menu()->actions().last()->text(), "Copy Link");
    EXPECT_FALSE(withoutPicker.menu()->findChild<QAction*>("share"));
}

TEST_F(PeripheryTest, TheShareButtonAndHelpsQuestionsTakeTheWindowsNewAppearanceWhileShown)
{
    QWidget window;
    setExplicitAppearance(&window, Appearance::light);
    auto* menu = new ShareMenu(&window);
    window.show();
    const QColor light = menu->palette().color(QPalette::ButtonText);
    EXPECT_EQ(light, resolve(Brand::navy, Appearance::light));
    auto* help = new HelpSettingsView(store, center, &window);
    help->show();
    QList<QToolButton*> questions;
    for (QToolButton* button : help->findChildren<QToolButton*>()) {
        if (button->palette().color(QPalette::ButtonText) == light)
            questions.append(button);
    }
    ASSERT_FALSE(questions.isEmpty());
    // The window stays on screen while the appearance changes.
    setExplicitAppearance(&window, Appearance::dark);
    EXPECT_EQ(menu->palette().color(QPalette::ButtonText), resolve(Brand::navy, Appearance::dark));
    // The open menu is a window of its own: dark too, so its navy symbols show on it.
    EXPECT_EQ(menu->menu()->palette().color(QPalette::Window), resolve(Brand::frost, Appearance::dark));
    EXPECT_EQ(menu->palette().color(QPalette::Button), resolve(Brand::frostDeep, Appearance::dark));
    for (QToolButton* question : questions)
        EXPECT_EQ(question->palette().color(QPalette::ButtonText), resolve(Brand::navy, Appearance::dark));
}

TEST_F(PeripheryTest, ANetworkIconFollowsTheAppearanceWhenDrawn)
{
    Appearance appearance = Appearance::light;
    const QIcon icon = ShareMenu::icon("social-x", [&] { return appearance; });
    const QImage light = icon.pixmap(16, 16).toImage();
    appearance = Appearance::dark;
    const QImage dark = icon.pixmap(16, 16).toImage();
    EXPECT_NE(light, dark);
    const QImage blank = ShareMenu::icon("social-none", [] { return Appearance::light; }).pixmap(16, 16).toImage();
    EXPECT_EQ(qAlpha(blank.pixel(8, 8)), 0);
}

TEST_F(PeripheryTest, EveryPaneDrawsInLightAndDark)
{
    CopiedVersion copied;
    HelpSettingsView help(store, center);
    AboutSettingsView about(copied);
    PrivacySettingsView privacy;
    OtherProjectsSettingsView others(2);
    for (auto [widget, name] : {std::pair<QWidget*, const char*>{&help, "help"}, {&about, "about"},
             {&privacy, "privacy"}, {&others, "other-projects"}}) {
        widget->resize(520, 400);
        widget->show();
        widget->resize(520, widget->sizeHint().height());
        saveShot(*widget, QStringLiteral("settings-pane-") + name);
    }
    SettingsView window(store, Section::about, center);
    window.resize(SettingsView::kMinimumSize);
    window.show();
    // The pane is put in place on the first show; let the layout settle before grabbing.
    QCoreApplication::processEvents();
    saveShot(window, "settings-window-about");
}
