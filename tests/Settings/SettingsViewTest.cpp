#include "Tavro/Settings/SettingsView.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Settings/HelpSettingsView.h"
#include "Tavro/Settings/SidebarRow.h"
#include "tests/Model/Fixtures.h"
#include "tests/Settings/ShownSection.h"
#include "tests/Support/Pixels.h"
#include "tests/Support/TempHome.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;
using Section = SettingsView::Section;

namespace {

struct SectionRow
{
    Section section;
    const char* rawValue;
    const char* icon;
};

const SectionRow sectionTable[] = {
    {Section::destinations, "Browsers", "list.bullet"},
    {Section::appearance, "Appearance", "paintpalette"},
    {Section::shortcuts, "Shortcuts", "keyboard"},
    {Section::system, "System", "gearshape"},
    {Section::permissions, "Permissions", "lock.shield"},
    {Section::accessibility, "Accessibility", "accessibility"},
    {Section::privacy, "Privacy", "hand.raised"},
    {Section::otherProjects, "Other Projects", "square.grid.2x2"},
    {Section::help, "Help", "questionmark.circle"},
    {Section::about, "About", "info.circle"},
};

class SettingsViewTest : public ::testing::Test
{
protected:
    SettingsViewTest() : defaults(home.filePath(QStringLiteral("defaults.ini"))), store(defaults) { }

    std::unique_ptr<SettingsView> open(Section initial)
    {
        auto view = std::make_unique<SettingsView>(store, initial, center);
        view->show();
        return view;
    }

    static QString shownPane(const SettingsView& view)
    {
        QWidget* pane = test::shownPane(view);
        return pane ? pane->objectName() : QString();
    }

    static QList<Section> checkedRows(const SettingsView& view)
    {
        QList<Section> checked;
        for (Section section : SettingsView::allCases()) {
            if (test::sidebarRow(view, section)->isSelected())
                checked.append(section);
        }
        return checked;
    }

    test::TempHome home;
    UserDefaults defaults;
    NotificationCenter center;
    SettingsStore store;
};

} // namespace

TEST(SettingsSectionTest, TheTenSectionsInSidebarOrderWithTheirNamesAndSymbols)
{
    ASSERT_EQ(SettingsView::allCases().size(), std::size(sectionTable));
    for (qsizetype i = 0; i < SettingsView::allCases().size(); ++i) {
        const SectionRow& row = sectionTable[i];
        EXPECT_EQ(SettingsView::allCases().at(i), row.section) << row.rawValue;
        EXPECT_EQ(SettingsView::rawValue(row.section), QString::fromUtf8(row.rawValue));
        EXPECT_EQ(SettingsView::title(row.section), QString::fromUtf8(row.rawValue));
        EXPECT_EQ(SettingsView::icon(row.section), QString::fromUtf8(row.icon));
        EXPECT_TRUE(SymbolImage::exists(SettingsView::icon(row.section))) << row.icon;
        EXPECT_EQ(SettingsView::fromRawValue(QString::fromUtf8(row.rawValue)), row.section);
    }
}

TEST(SettingsSectionTest, ARawValueMatchesOnlyExactly)
{
    EXPECT_EQ(SettingsView::fromRawValue(QStringLiteral("Other Projects")), Section::otherProjects);
    for (const char* text : {"other projects", "OTHER PROJECTS", "Other  Projects", " Other Projects", "Browsers ",
             "destinations", "otherProjects", ""})
        EXPECT_EQ(SettingsView::fromRawValue(QString::fromUtf8(text)), std::nullopt) << text;
}

TEST_F(SettingsViewTest, EachInitialSectionIsShownOnceTheWindowComesOnScreen)
{
    for (Section section : SettingsView::allCases()) {
        SettingsView view(store, section, center);
        EXPECT_EQ(test::selectedSection(view), Section::destinations);
        view.show();
        EXPECT_EQ(test::selectedSection(view), section);
        EXPECT_EQ(shownPane(view), SettingsView::rawValue(section));
        EXPECT_EQ(checkedRows(view), QList<Section>{section});
    }
}

TEST_F(SettingsViewTest, BrowsersFillsTheAreaUnscrolledAndEveryOtherPaneScrolls)
{
    for (Section section : SettingsView::allCases()) {
        auto view = open(section);
        view->resize(900, 700);
        QCoreApplication::processEvents();
        QWidget* pane = test::shownPane(*view);
        ASSERT_TRUE(pane);
        QScrollArea* scroll = nullptr;
        for (QWidget* w = pane->parentWidget(); w && !scroll; w = w->parentWidget())
            scroll = qobject_cast<QScrollArea*>(w);
        if (section == Section::destinations) {
            EXPECT_EQ(scroll, nullptr);
            const QPoint origin = pane->mapTo(view.get(), QPoint(0, 0));
            EXPECT_EQ(origin,
                QPoint(SettingsView::kSidebarWidth + 1 + SettingsView::kPanePadding, SettingsView::kPanePadding));
            EXPECT_EQ(pane->height(), view->height() - 2 * SettingsView::kPanePadding);
        } else {
            ASSERT_NE(scroll, nullptr) << SettingsView::rawValue(section).toStdString();
            EXPECT_EQ(scroll->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        }
    }
}

TEST_F(SettingsViewTest, TheNotificationSwitchesPanesAndAnythingButASectionChangesNothing)
{
    auto view = open(Section::appearance);
    center.post(Notifications::showSettingsSection, QVariant::fromValue(Section::help));
    EXPECT_EQ(test::selectedSection(*view), Section::help);
    EXPECT_EQ(shownPane(*view), QStringLiteral("Help"));
    EXPECT_EQ(checkedRows(*view), QList<Section>{Section::help});

    for (const QVariant& notASection : {QVariant(), QVariant(QStringLiteral("About")), QVariant(int(Section::about)),
             QVariant::fromValue(Qt::AlignLeft)}) {
        center.post(Notifications::showSettingsSection, notASection);
        EXPECT_EQ(test::selectedSection(*view), Section::help) << notASection.typeName();
    }
    center.post(Notifications::showOnboarding, QVariant::fromValue(Section::about));
    EXPECT_EQ(test::selectedSection(*view), Section::help);
    EXPECT_EQ(shownPane(*view), QStringLiteral("Help"));
}

// From the keyboard, the keyboard goes on to the pane opened, where the user's next key is meant for.
TEST_F(SettingsViewTest, APaneCanSwitchTheSectionFromInsideItself)
{
    for (const bool byKeyboard : {false, true}) {
        SCOPED_TRACE(byKeyboard ? "keyboard" : "mouse");
        auto view = open(Section::help);
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        QCoreApplication::processEvents();
        // Help's last setup step opens Browsers.
        auto* openBrowsers = test::shownPane(*view)->findChild<QPushButton*>(QStringLiteral("step4"));
        ASSERT_TRUE(openBrowsers);
        if (byKeyboard) {
            openBrowsers->setFocus(Qt::TabFocusReason);
            QTest::keyClick(openBrowsers, Qt::Key_Space);
        } else {
            QTest::mouseClick(openBrowsers, Qt::LeftButton);
        }
        EXPECT_EQ(test::selectedSection(*view), Section::destinations);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(shownPane(*view), QStringLiteral("Browsers"));
        EXPECT_EQ(view->findChildren<HelpSettingsView*>().size(), 0);
        if (byKeyboard) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget(); }, 5000));
            EXPECT_TRUE(test::shownPane(*view)->isAncestorOf(QApplication::focusWidget()))
                << QApplication::focusWidget()->metaObject()->className();
        }
    }
}

TEST_F(SettingsViewTest, AClickAnywhereInARowSelectsItsSection)
{
    auto view = open(Section::destinations);
    SidebarRow* privacy = test::sidebarRow(*view, Section::privacy);
    // The empty right-hand part of the row takes the click too.
    QTest::mouseClick(privacy, Qt::LeftButton, {}, QPoint(privacy->width() - 3, privacy->height() / 2));
    EXPECT_EQ(test::selectedSection(*view), Section::privacy);
    EXPECT_EQ(shownPane(*view), QStringLiteral("Privacy"));
    EXPECT_EQ(checkedRows(*view), QList<Section>{Section::privacy});
    // Showing again (after the picker hid the window) keeps what the user chose.
    view->hide();
    view->show();
    EXPECT_EQ(test::selectedSection(*view), Section::privacy);
}

TEST_F(SettingsViewTest, TheSidebarReadsAsTabsWithTheShownOneSelected)
{
    auto view = open(Section::shortcuts);
    EXPECT_EQ(test::sidebarRow(*view, Section::shortcuts)->width(),
        SettingsView::kSidebarWidth - 2 * SettingsView::kSidebarPadding);
    for (Section section : SettingsView::allCases()) {
        QAccessibleInterface* row = QAccessible::queryAccessibleInterface(test::sidebarRow(*view, section));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->role(), QAccessible::PageTab);
        EXPECT_EQ(row->text(QAccessible::Name), SettingsView::title(section));
        EXPECT_EQ(bool(row->state().selected), section == Section::shortcuts);
    }
    QAccessibleInterface* about = QAccessible::queryAccessibleInterface(test::sidebarRow(*view, Section::about));
    about->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(test::selectedSection(*view), Section::about);
}

TEST_F(SettingsViewTest, ScreenshotsInLightAndDark)
{
    const QString folder = QStringLiteral(TAVRO_ARTIFACTS_DIR);
    QDir().mkpath(folder);
    for (const auto& [appearance, name] :
        {std::pair{Appearance::light, "light"}, std::pair{Appearance::dark, "dark"}}) {
        for (Section section : {Section::destinations, Section::about}) {
            SettingsView view(store, section, center);
            setExplicitAppearance(&view, appearance);
            view.resize(SettingsView::kMinimumSize);
            view.show();
            QCoreApplication::processEvents();
            const QImage image = view.grab().toImage();
            // The sidebar takes the pane background of its appearance.
            EXPECT_EQ(image.pixelColor(4, image.height() / 2), resolve(Brand::frostDeep, appearance));
            EXPECT_TRUE(image.save(folder
                + QStringLiteral("/settings-%1-%2.png")
                      .arg(SettingsView::rawValue(section).toLower(), QLatin1String(name))));
        }
    }
}

// The keyboard on the shown section's row: its ring stands out of the row's own tint as well as of
// the sidebar around it.
TEST_F(SettingsViewTest, TheRingOfTheShownSectionsRowStandsOutOfItsTint)
{
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        SCOPED_TRACE(appearance == Appearance::dark ? "dark" : "light");
        SettingsView view(store, Section::privacy, center);
        setExplicitAppearance(&view, appearance);
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        SidebarRow* row = test::sidebarRow(view, Section::privacy);
        row->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(row->hasFocus());
        const QImage shown = view.grab(QRect(row->mapTo(&view, QPoint()), row->size())).toImage();
        // At the right-hand end, past the name: the ring, then the tint just inside it.
        const int middle = shown.height() / 2;
        const QColor ring = shown.pixelColor(shown.width() - 1, middle);
        const QColor tint = shown.pixelColor(shown.width() - 6, middle);
        const QColor sidebar = view.grab().toImage().pixelColor(4, view.height() / 2);
        EXPECT_NE(tint, sidebar) << "the row shows as chosen";
        EXPECT_GE(test::contrast(ring, tint), 3.0) << "against the row";
        EXPECT_GE(test::contrast(ring, sidebar), 3.0) << "against the sidebar";
    }
}

// Tab through every pane as a person would: the keyboard never rests on a scroll area, and
// whatever it rests on looks different from when it does not have the focus.
TEST_F(SettingsViewTest, TabStopsOnlyOnControlsAndEachShowsItsRing)
{
    AppSettings settings = store.settings();
    settings.destinations = {test::destination(QStringLiteral("com.google.Chrome"), QStringLiteral("Default"))};
    store.setSettings(settings);
    SettingsView view(store, Section::destinations, center);
    view.show();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));

    for (Section section : SettingsView::allCases()) {
        test::sidebarRow(view, section)->click();
        QApplication::processEvents();
        QWidget* first = nullptr;
        for (int step = 0; step < 60; ++step) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &view, Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            ASSERT_TRUE(focused);
            if (focused == first)
                break;
            const bool firstStop = !first;
            if (!first)
                first = focused;
            EXPECT_FALSE(qobject_cast<QAbstractScrollArea*>(focused))
                << SettingsView::rawValue(section).toStdString() << ": Tab stopped on a scroll area";
            EXPECT_TRUE(QTest::qWaitFor([&] { return !focused->size().isEmpty(); }, 2000));
            if (firstStop) {
                // For a look: the ring on the first stop of each pane.
                QDir().mkpath(TAVRO_ARTIFACTS_DIR);
                view.grab().save(QStringLiteral(TAVRO_ARTIFACTS_DIR "/focus-ring-%1.png")
                                     .arg(SettingsView::rawValue(section).toLower().replace(u' ', u'-')));
            }
            const QImage withFocus = focused->grab().toImage();
            focused->clearFocus();
            EXPECT_NE(withFocus, focused->grab().toImage())
                << SettingsView::rawValue(section).toStdString() << ": no ring on "
                << focused->metaObject()->className() << " " << focused->accessibleName().toStdString();
            focused->setFocus(Qt::TabFocusReason);
        }
    }
}

// A window switched from one appearance to the other draws every pane exactly as a window built
// in the new appearance does: nothing keeps a colour of the old one.
TEST_F(SettingsViewTest, ALiveSwitchRepaintsEveryPaneInTheNewColoursBothWays)
{
    for (const auto& [from, to] :
        {std::pair{Appearance::light, Appearance::dark}, {Appearance::dark, Appearance::light}}) {
        SettingsView switched(store, Section::destinations, center);
        SettingsView built(store, Section::destinations, center);
        setExplicitAppearance(&switched, from);
        setExplicitAppearance(&built, to);
        switched.show();
        built.show();
        for (Section section : SettingsView::allCases()) {
            test::sidebarRow(switched, section)->click();
            test::sidebarRow(built, section)->click();
            QApplication::processEvents();
            setExplicitAppearance(&switched, to);
            EXPECT_EQ(switched.grab().toImage(), built.grab().toImage())
                << SettingsView::rawValue(section).toStdString() << " keeps a colour after a switch to "
                << (to == Appearance::dark ? "dark" : "light");
            setExplicitAppearance(&switched, from);
        }
    }
}
