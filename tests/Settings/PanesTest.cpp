#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Picker/DestinationPickerView.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Settings/AccessibilityPermissionCard.h"
#include "Tavro/Settings/AccessibilitySettingsView.h"
#include "Tavro/Settings/BrowserDataPermissionCard.h"
#include "Tavro/Settings/DefaultHandlerCard.h"
#include "Tavro/Settings/GlobalHotkeysGroup.h"
#include "Tavro/Settings/PermissionsSettingsView.h"
#include "Tavro/Settings/PickerPreview.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Settings/ShortcutsSettingsView.h"
#include "Tavro/Settings/SystemSettingsView.h"
#include "Tavro/Settings/UpdatesCard.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "Tavro/Shell/UpdateController.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/AutostartEntryHost.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "tests/Settings/ShownSection.h"
#include "tests/Support/QueueHold.h"
#include "tests/Support/ResidentMemory.h"
#include "tests/Support/TempHome.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's own count; GCC ships no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace tavro;
using namespace std::chrono_literals;
using Section = SettingsView::Section;

namespace {

// What the process keeps, in KiB. Under AddressSanitizer freed memory waits in a quarantine and the
// resident figure only grows, so the allocator's count of live bytes stands in for it.
double keptKiB()
{
#if defined(__SANITIZE_ADDRESS__)
    return double(__sanitizer_get_current_allocated_bytes()) / 1024;
#else
    return test::residentAnonymousKiB();
#endif
}

QStringList rows(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

// The part of `parent` that the pane names `name`.
template <typename T = QWidget> T* part(const QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// The status line a card shows, once the one it replaced is gone.
QString statusLine(const QWidget& card)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto* line = card.findChild<QLabel*>(QStringLiteral("status"));
    return line ? line->text() : QString();
}

// Every text a widget shows in its labels and buttons, visible ones only.
QStringList shownTexts(const QWidget* widget)
{
    QStringList texts;
    for (const QLabel* label : widget->findChildren<QLabel*>()) {
        if (label->isVisibleTo(widget->window()))
            texts.append(label->text());
    }
    for (const QPushButton* button : widget->findChildren<QPushButton*>()) {
        // As shown: a doubled "&" draws one.
        if (button->isVisibleTo(widget->window()))
            texts.append(QString(button->text()).replace(QStringLiteral("&&"), QStringLiteral("&")));
    }
    return texts;
}

BrowserDestination destination(const QString& bundle, const QString& browser, const QString& profile, qint64 order)
{
    BrowserDestination d;
    d.id = QUuid::createUuid();
    d.browserID = browser.toLower();
    d.browserDisplayName = browser;
    d.browserBundleIdentifier = bundle;
    d.profileID = profile;
    d.profileDisplayName = profile;
    d.launchStrategy = LaunchStrategy::chromiumProfileDirectory(profile);
    d.sortOrder = order;
    return d;
}

// Counts the reads of Launch Services' table that fail on a worker thread: with the table made a
// folder, each check of the default handler is refused and says so once, on the service's queue.
class RefusedTableReads
{
public:
    RefusedTableReads() : m_previous(qInstallMessageHandler(&RefusedTableReads::handle))
    {
        s_table = DefaultBrowser::storePath();
        s_count = 0;
    }
    ~RefusedTableReads() { qInstallMessageHandler(m_previous); }

    int count() const { return s_count; }
    void reset() { s_count = 0; }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread() && message.contains(s_table))
            ++s_count;
    }

    static inline QString s_table;
    static inline std::atomic<int> s_count = 0;
    QtMessageHandler m_previous;
};

class PanesTest : public ::testing::Test
{
protected:
    PanesTest() : defaults(home.filePath(QStringLiteral("defaults.ini"))), store(defaults)
    {
        // The offscreen platform makes the application active when its first window shows, and the
        // cards re-check on that. Here the tests say when the application becomes active
        // (activate()): a window shown before any pane holds the activation from the start.
        active.resize(1, 1);
        active.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&active));
    }

    std::unique_ptr<SettingsView> open(Section section, UpdateController* updates = nullptr)
    {
        auto view = std::make_unique<SettingsView>(store, section, center, nullptr, updates);
        view->resize(SettingsView::kMinimumSize);
        view->show();
        // The layout shows a pane added to a shown window on the next turn of the event loop.
        QCoreApplication::processEvents();
        return view;
    }

    template <typename Pane> static Pane* pane(const SettingsView& view)
    {
        return qobject_cast<Pane*>(test::shownPane(view));
    }

    static void activate() { Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive); }

    // Delivers what the reads finished so far posted to the GUI thread: their answers land.
    static void landAnswersPosted()
    {
        bool delivered = false;
        QMetaObject::invokeMethod(
            qApp, [&delivered] { delivered = true; }, Qt::QueuedConnection);
        ASSERT_TRUE(QTest::qWaitFor([&] { return delivered; }, 5000));
    }

    test::TempHome home;
    UserDefaults defaults;
    SettingsStore store;
    NotificationCenter center;
    QWidget active;
};

TEST_F(PanesTest, ShortcutsShowTheDefaults)
{
    auto view = open(Section::shortcuts);
    auto* shortcuts = pane<ShortcutsSettingsView>(*view);
    ASSERT_TRUE(shortcuts);
    EXPECT_EQ(
        rows(part<QComboBox>(shortcuts, "bypassModifier")), QStringList({"⌥  Option", "⌘  Command", "⌃  Control"}));
    EXPECT_EQ(part<QComboBox>(shortcuts, "bypassModifier")->currentText(), "⌥  Option");
    EXPECT_EQ(
        rows(part<QComboBox>(shortcuts, "privateModifier")), QStringList({"⌘  Command", "⇧  Shift", "⌃  Control"}));
    EXPECT_EQ(part<QComboBox>(shortcuts, "privateModifier")->currentText(), "⇧  Shift");
    EXPECT_EQ(part<QComboBox>(shortcuts, "bypassDestination")->currentText(), "Last Used");
    EXPECT_FALSE(part<QLabel>(shortcuts, "unavailableWarning")->isVisible());
    EXPECT_EQ(part(shortcuts, "clickCard")->accessibleName(), "On Click, Opens the picker");
    EXPECT_EQ(part(shortcuts, "modifierClickCard")->accessibleName(), "⌥ Option + Click, Opens last-used destination");
    EXPECT_TRUE(part<QLabel>(shortcuts, "privateHelp")->text().startsWith("Hold ⇧ Shift with either click gesture"));
}

TEST_F(PanesTest, EqualModifierKeysListThreeRowsAndSelectNone)
{
    store.edit([](AppSettings& s) { s.privateModifier = BypassModifier::option; });
    auto view = open(Section::shortcuts);
    auto* shortcuts = pane<ShortcutsSettingsView>(*view);
    for (QComboBox* picker :
        {part<QComboBox>(shortcuts, "bypassModifier"), part<QComboBox>(shortcuts, "privateModifier")}) {
        EXPECT_EQ(rows(picker), QStringList({"⌘  Command", "⇧  Shift", "⌃  Control"}));
        EXPECT_EQ(picker->currentIndex(), -1);
    }
}

TEST_F(PanesTest, WhatToOpenOffersAvailableDestinationsAndWarnsOfAMissingOne)
{
    BrowserDestination work = destination("com.google.Chrome", "Chrome", "Work", 2);
    BrowserDestination hidden = destination("com.google.Chrome", "Chrome", "Hidden", 1);
    hidden.isVisible = false;
    BrowserDestination gone = destination("com.google.Chrome", "Chrome", "Gone", 0);
    gone.isAvailable = false;
    store.edit([&](AppSettings& s) {
        s.destinations = {work, hidden, gone};
        s.bypassDestinationKey = QStringLiteral("com.google.Chrome#Profile 1");
    });
    auto view = open(Section::shortcuts);
    auto* shortcuts = pane<ShortcutsSettingsView>(*view);
    QComboBox* picker = part<QComboBox>(shortcuts, "bypassDestination");
    EXPECT_EQ(rows(picker),
        QStringList({"Last Used", "Chrome (Hidden)", "Chrome (Work)", "Chrome (Profile 1) (unavailable)"}));
    EXPECT_EQ(picker->currentText(), "Chrome (Profile 1) (unavailable)");
    EXPECT_TRUE(part<QLabel>(shortcuts, "unavailableWarning")->isVisible());
    EXPECT_TRUE(part<QLabel>(shortcuts, "unavailableWarning")
                    ->text()
                    .startsWith("Chrome (Profile 1) isn’t available right now"));
    EXPECT_EQ(part(shortcuts, "modifierClickCard")->accessibleName(), "⌥ Option + Click, Opens Chrome (Profile 1)");

    // Choosing "Last Used" stores no key at all, and the row and the warning go at once.
    picker->activated(0);
    EXPECT_EQ(store.settings().bypassDestinationKey, std::nullopt);
    const QJsonObject stored = QJsonDocument::fromJson(defaults.data(SettingsStore::defaultsKey).value()).object();
    EXPECT_FALSE(stored.contains("bypassDestinationKey"));
    EXPECT_EQ(rows(picker), QStringList({"Last Used", "Chrome (Hidden)", "Chrome (Work)"}));
    EXPECT_EQ(picker->currentText(), "Last Used");
    EXPECT_FALSE(part<QLabel>(shortcuts, "unavailableWarning")->isVisible());
}

// A name of any length is cut: the pane keeps to its window and its pop-up to a readable width,
// whether the destination is there or gone.
TEST_F(PanesTest, AFiveHundredCharacterNameLeavesShortcutsWithinItsWindow)
{
    BrowserDestination longName = destination("com.google.Chrome", "Chrome", QString(500, QLatin1Char('W')), 0);
    for (const bool available : {true, false}) {
        SCOPED_TRACE(available ? "available" : "gone");
        longName.isAvailable = available;
        store.edit([&](AppSettings& s) {
            s.destinations = {longName};
            s.bypassDestinationKey = longName.matchKey();
            s.globalHotkeysEnabled = true;
        });
        auto view = open(Section::shortcuts);
        auto* shortcuts = pane<ShortcutsSettingsView>(*view);
        EXPECT_LE(shortcuts->minimumSizeHint().width(), SettingsView::kMinimumSize.width());
        // What a person sees: the open menu, within the window.
        QComboBox* picker = part<QComboBox>(shortcuts, "bypassDestination");
        picker->showPopup();
        ASSERT_TRUE(QTest::qWaitFor([&] { return picker->view()->isVisible(); }, 5000));
        EXPECT_LE(picker->view()->window()->width(), SettingsView::kMinimumSize.width());
        picker->hidePopup();
    }
}

TEST_F(PanesTest, AWheelOverAPopUpIsPassedOnAndChangesNothing)
{
    // The scroll area it is passed on to scrolls: the real check drives that through the X server.
    for (const Section section : {Section::shortcuts, Section::appearance}) {
        auto view = open(section);
        const QList<QComboBox*> popUps = test::shownPane(*view)->findChildren<QComboBox*>();
        ASSERT_FALSE(popUps.isEmpty());
        const AppSettings before = store.settings();
        for (QComboBox* popUp : popUps) {
            const int index = popUp->currentIndex();
            for (const int notch : {-120, -120, 120}) {
                const QPointF inside(popUp->rect().center());
                QWheelEvent wheel(inside, popUp->mapToGlobal(inside), {}, {0, notch}, Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
                QApplication::sendEvent(popUp, &wheel);
                EXPECT_FALSE(wheel.isAccepted());
            }
            EXPECT_EQ(popUp->currentIndex(), index);
            // The keys that would step through the items open the menu instead.
            QTest::keyClick(popUp, Qt::Key_Down);
            EXPECT_EQ(popUp->currentIndex(), index);
            EXPECT_TRUE(popUp->view()->isVisible());
            popUp->hidePopup();
        }
        EXPECT_EQ(store.settings(), before);
    }
}

TEST_F(PanesTest, InvertSwapsTheCards)
{
    auto view = open(Section::shortcuts);
    auto* shortcuts = pane<ShortcutsSettingsView>(*view);
    part<SwitchToggle>(shortcuts, "invertBypass")->click();
    EXPECT_TRUE(store.settings().invertBypass);
    EXPECT_EQ(part(shortcuts, "clickCard")->accessibleName(), "On Click, Opens last-used destination");
    EXPECT_EQ(part(shortcuts, "modifierClickCard")->accessibleName(), "⌥ Option + Click, Opens the picker");
}

TEST_F(PanesTest, HotkeyListFollowsThePrefixTheSwitchAndTheLastUsed)
{
    BrowserDestination personal = destination("com.google.Chrome", "Chrome", "Personal", 0);
    BrowserDestination work = destination("com.google.Chrome", "Chrome", "Work", 1);
    work.hotkey = QStringLiteral("w");
    // Keeps its picker key, but no hot key can be made of it: it is not listed.
    BrowserDestination french = destination("com.google.Chrome", "Chrome", "Français", 2);
    french.hotkey = QStringLiteral("é");
    store.edit([&](AppSettings& s) { s.destinations = {personal, work, french}; });
    auto view = open(Section::shortcuts);
    GlobalHotkeysGroup* hotkeys = pane<ShortcutsSettingsView>(*view)->findChild<GlobalHotkeysGroup*>();
    EXPECT_EQ(hotkeys->rows(), QStringList({"⌃⌥⇧⌘ 1\tChrome (Personal)", "⌃⌥⇧⌘ W\tChrome (Work)"}));
    EXPECT_TRUE(hotkeys->helpText()->text().contains("⌃⌥⇧⌘ 0 for your most-recent"));

    part<QComboBox>(hotkeys, "globalHotkeyPrefix")->activated(3);
    EXPECT_EQ(store.settings().globalHotkeyPrefix, HotkeyPrefix::optionCommand);
    EXPECT_EQ(hotkeys->rows(), QStringList({"⌥⌘ 1\tChrome (Personal)", "⌥⌘ W\tChrome (Work)"}));
    EXPECT_TRUE(hotkeys->helpText()->text().contains("⌥⌘ 0 for your most-recent"));

    store.recordUse(work);
    EXPECT_EQ(hotkeys->rows().last(), "⌥⌘ 0\tMost recent");

    part<SwitchToggle>(hotkeys, "globalHotkeysEnabled")->click();
    EXPECT_FALSE(store.settings().globalHotkeysEnabled);
    EXPECT_FALSE(hotkeys->list()->isVisible());
    EXPECT_TRUE(part<QComboBox>(hotkeys, "globalHotkeyPrefix")->isVisible());
    EXPECT_FALSE(part<QComboBox>(hotkeys, "globalHotkeyPrefix")->isEnabled());
}

TEST_F(PanesTest, PreviewDrawsTheSamplesAtNaturalSizeAndNeverEnlarges)
{
    PickerPreview full(EmojiPosition::center, 440, false);
    EXPECT_DOUBLE_EQ(full.naturalSize().width(), 408);
    EXPECT_NEAR(full.naturalSize().height(), 337.6, 1e-9);
    EXPECT_EQ(full.scale(), 1.0);
    EXPECT_EQ(full.size(), QSize(408, 338));
    PickerPreview half(EmojiPosition::center, 204, false);
    EXPECT_DOUBLE_EQ(half.scale(), 0.5);
    EXPECT_EQ(half.size(), QSize(204, 169));

    const PickerViewModel* model = full.pickerView()->model();
    const QHash<QUuid, QString> keys = HotkeyAssignment::resolve(model->destinations);
    QStringList badges;
    for (const BrowserDestination& sample : model->destinations)
        badges.append(keys.value(sample.id));
    EXPECT_EQ(badges, QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(model->selectedIndex(), 3);
    EXPECT_EQ(model->lastUsedID, PickerPreview::chromeWorkID());
    EXPECT_EQ(model->destinations[3].profileEmoji, QStringLiteral("💼"));
    EXPECT_FALSE(full.pickerView()->interactive());
    EXPECT_TRUE(full.testAttribute(Qt::WA_TransparentForMouseEvents));
    // Something of the picker is drawn.
    const QImage image = full.grab().toImage();
    EXPECT_NE(image.pixelColor(image.width() / 2, image.height() / 2).alpha(), 0);
}

TEST_F(PanesTest, TheChosenAppearanceSegmentIsPlainlyTheOneInBothAppearances)
{
    auto view = open(Section::appearance);
    QList<QToolButton*> segments;
    for (QToolButton* button : test::shownPane(*view)->findChildren<QToolButton*>()) {
        if (button->isCheckable())
            segments.append(button);
    }
    ASSERT_EQ(segments.size(), 3);
    for (Appearance appearance : {Appearance::light, Appearance::dark}) {
        setExplicitAppearance(view.get(), appearance);
        const auto fill = [](QToolButton* segment) { return segment->grab().toImage().pixelColor(4, 6); };
        const QColor chosen = fill(segments.at(0));
        EXPECT_TRUE(segments.at(0)->isChecked()) << "System is the default";
        for (QToolButton* other : segments.mid(1)) {
            const QColor unchosen = fill(other);
            const int difference = std::abs(chosen.red() - unchosen.red()) + std::abs(chosen.green() - unchosen.green())
                + std::abs(chosen.blue() - unchosen.blue());
            EXPECT_GT(difference, 300) << chosen.name().toStdString() << " against " << unchosen.name().toStdString();
        }
        EXPECT_EQ(chosen, resolve(Brand::navy, appearance));
    }
}

// The pane is built anew on every visit; what the style keeps of its tinted controls must go with
// it, or each visit keeps some 40 KiB until the style's whole picture cache is full.
TEST_F(PanesTest, VisitsToAppearanceKeepNoMoreMemoryThanVisitsToBrowsers)
{
    const auto view = open(Section::privacy);
    const auto visit = [&](Section section) {
        center.post(Notifications::showSettingsSection, QVariant::fromValue(section));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        view->repaint();
    };
    const auto kept = [&](Section section) {
        const double before = keptKiB();
        for (int i = 0; i < 30; ++i) {
            visit(section);
            visit(Section::privacy);
        }
        return keptKiB() - before;
    };
    kept(Section::appearance); // fonts, styles and sample icons that every later visit shares
    kept(Section::destinations);
    EXPECT_LT(kept(Section::appearance) - kept(Section::destinations), 300);
}

TEST_F(PanesTest, ARefusedLoginItemTurnsTheSwitchBackOff)
{
    AutostartEntryHost::setApproved(false);
    auto view = open(Section::system);
    auto* login = pane<SystemSettingsView>(*view)->findChild<SwitchToggle*>(QStringLiteral("launchAtLogin"));
    ASSERT_TRUE(login);
    login->click();
    EXPECT_FALSE(store.settings().launchAtLogin);
    EXPECT_FALSE(login->isChecked());

    AutostartEntryHost::setApproved(true);
    login->click();
    EXPECT_TRUE(store.settings().launchAtLogin);
    EXPECT_TRUE(login->isChecked());

    // A refused removal leaves the entry, and with it the switch, on.
    AutostartEntryHost::setRemovalRefused(true);
    login->click();
    EXPECT_TRUE(store.settings().launchAtLogin);
    EXPECT_TRUE(login->isChecked());

    // An entry switched off in the desktop's session settings starts nothing: the switch goes off
    // although the entry stays.
    home.writeFile(QStringLiteral(".config/autostart/tavro.desktop"),
        "[Desktop Entry]\nType=Application\nExec=tavro\nX-GNOME-Autostart-enabled=false\n");
    login->click();
    EXPECT_FALSE(store.settings().launchAtLogin);
    EXPECT_FALSE(login->isChecked());
}

TEST_F(PanesTest, MenuBarIconCaptionShowsOnlyWhileTheIconIsOff)
{
    auto view = open(Section::system);
    auto* system = pane<SystemSettingsView>(*view);
    EXPECT_FALSE(part(system, "menuBarIconCaption")->isVisible());
    part<SwitchToggle>(system, "showMenuBarIcon")->click();
    EXPECT_FALSE(store.settings().showMenuBarIcon);
    EXPECT_TRUE(part(system, "menuBarIconCaption")->isVisible());
}

TEST_F(PanesTest, DefaultCardFollowsThePlatformOnActivationAndAfterSet)
{
    home.installTavroEntry();
    // The check on appearing reads "not default" and its answer is held back: it lands after a
    // newer read found Tavro the default, and changes nothing.
    test::QueueHold hold(DefaultBrowserService::queryQueue());
    auto view = open(Section::system);
    auto* system = pane<SystemSettingsView>(*view);
    const auto* card = system->findChild<DefaultHandlerCard*>();
    ASSERT_TRUE(card && card->isVisible());
    EXPECT_TRUE(shownTexts(system).contains("Set Tavro as Default Browser"));
    hold.release();
    DefaultBrowserService::queryQueue().run([] {}).waitForFinished();
    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "com.vaskhaldor.Tavro"));
    view->setDefaultBrowser(DefaultBrowserService::answer());
    landAnswersPosted();
    EXPECT_TRUE(view->isDefaultBrowser());
    EXPECT_TRUE(shownTexts(system).contains("Tavro is your default browser"));
    EXPECT_FALSE(shownTexts(system).contains("Set Tavro as Default Browser"));

    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "org.chromium.Chromium"));
    activate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownTexts(system).contains("Set Tavro as Default Browser"); }, 5000));
    EXPECT_FALSE(view->isDefaultBrowser());

    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "com.vaskhaldor.Tavro"));
    activate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isDefaultBrowser(); }, 5000));
    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "org.chromium.Chromium"));
    activate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownTexts(system).contains("Set Tavro as Default Browser"); }, 5000));

    auto* set = system->findChild<QPushButton*>();
    ASSERT_TRUE(set);
    ASSERT_EQ(set->text(), "Set Tavro as Default Browser");
    set->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->isDefaultBrowser(); }, 5000));
}

// The desktop's files name Tavro, but its entry starts nothing: the card offers the button and says
// why links do not arrive, until the entry is put right.
TEST_F(PanesTest, DefaultCardSaysWhenTheDesktopCannotStartTavro)
{
    const QString entry = home.writeFile(".local/share/applications/tavro.desktop",
        "[Desktop Entry]\nType=Application\nExec=" + home.filePath("Jürgen Ölmann/.local/bin/tavro").toUtf8()
            + " %U\n");
    const QString reason = "Tavro is named your default browser, but your desktop can’t start it: the program its "
                           "desktop entry names is not there.";
    auto view = open(Section::system);
    auto* system = pane<SystemSettingsView>(*view);
    auto* set = system->findChild<QPushButton*>();
    ASSERT_TRUE(set);
    ASSERT_EQ(set->text(), "Set Tavro as Default Browser");
    EXPECT_FALSE(shownTexts(system).contains(reason));
    set->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownTexts(system).contains(reason); }, 5000));
    EXPECT_FALSE(view->isDefaultBrowser());
    EXPECT_TRUE(shownTexts(system).contains("Set Tavro as Default Browser"));

    home.installTavroEntry();
    activate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownTexts(system).contains("Tavro is your default browser"); }, 5000));
    EXPECT_TRUE(view->isDefaultBrowser());
    EXPECT_FALSE(shownTexts(system).contains(reason));
    QFile::remove(entry);
    activate();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return shownTexts(system).contains("Tavro is named your default browser, but your desktop can’t start it: "
                                               "its desktop entry is not installed.");
        },
        5000));
}

TEST_F(PanesTest, ARefusedSetSaysWhyAndIsCheckedElevenTimesAtMost)
{
    // The defaults table cannot be read or written (a folder stands in its place, which stops root
    // too): the request fails, says why, and is then checked as a declined prompt would be.
    QDir().mkpath(DefaultBrowser::storePath());
    const QString refusal
        = "Tavro couldn’t become your default browser: the MIME-applications file exists but could not be read.";
    RefusedTableReads reads;
    SettingsView view(store, Section::privacy, center);
    const DefaultHandlerCard::Timing timing{10, 5ms};
    DefaultHandlerCard card(view, timing);
    card.show();
    // The read on appearing.
    ASSERT_TRUE(QTest::qWaitFor([&] { return reads.count() == 1; }, 5000));
    reads.reset();

    QPushButton* set = card.findChild<QPushButton*>();
    ASSERT_TRUE(set);
    ASSERT_EQ(set->text(), "Set Tavro as Default Browser");
    EXPECT_FALSE(shownTexts(&card).contains(refusal));
    set->click();
    EXPECT_TRUE(shownTexts(&card).contains(refusal));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reads.count() >= 11; }, 5000)) << reads.count();
    // Room for a twelfth many times over.
    EXPECT_FALSE(QTest::qWaitFor([&] { return reads.count() > 11; }, 40 * timing.waitInterval.count()));
    EXPECT_EQ(reads.count(), 11);
    EXPECT_FALSE(view.isDefaultBrowser());
    EXPECT_TRUE(shownTexts(&card).contains("Set Tavro as Default Browser"));
    EXPECT_TRUE(shownTexts(&card).contains(refusal));
}

TEST_F(PanesTest, UpdateSwitchesMirrorInASecondCard)
{
    UpdateController updates(false, defaults);
    Updater& updater = updates.updaterController();
    updater.setAutomaticallyChecksForUpdates(true);
    updater.setAutomaticallyDownloadsUpdates(true);
    UpdatesCard system(updates);
    UpdatesCard about(updates);
    system.show();
    about.show();

    part<SwitchToggle>(&system, "automaticChecks")->click();
    EXPECT_FALSE(updater.automaticallyChecksForUpdates());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !part<SwitchToggle>(&about, "automaticChecks")->isChecked(); }, 2000));
    for (const UpdatesCard* card : {&system, &about}) {
        // Disabled, but keeping its value.
        EXPECT_FALSE(part<SwitchToggle>(card, "automaticDownloads")->isEnabled());
        EXPECT_TRUE(part<SwitchToggle>(card, "automaticDownloads")->isChecked());
    }
    EXPECT_TRUE(updater.automaticallyDownloadsUpdates());
    EXPECT_FALSE(part(&system, "lastChecked")->isVisible());

    part<SwitchToggle>(&about, "automaticChecks")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return part<SwitchToggle>(&system, "automaticChecks")->isChecked(); }, 2000));
    EXPECT_TRUE(part<SwitchToggle>(&system, "automaticDownloads")->isEnabled());
    part<SwitchToggle>(&about, "automaticDownloads")->click();
    EXPECT_FALSE(updater.automaticallyDownloadsUpdates());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !part<SwitchToggle>(&system, "automaticDownloads")->isChecked(); }, 2000));
}

TEST_F(PanesTest, LastCheckedReadsAMediumDateAndShortTime)
{
    const QDateTime date(QDate(2026, 10, 16), QTime(15, 12));
    const QString text = UpdatesCard::lastCheckedText(date);
    EXPECT_TRUE(text.startsWith("Last checked Oct 16, 2026")) << text.toStdString();
    EXPECT_TRUE(text.contains("3:12")) << text.toStdString();
}

TEST_F(PanesTest, TrustAndAnActivationFlipBothAccessibilityCards)
{
    AccessibilityHost::setTrusted(false);
    auto view = open(Section::permissions);
    auto* permissions = pane<PermissionsSettingsView>(*view);
    AccessibilitySettingsView accessibility(*view);
    accessibility.show();
    QCoreApplication::processEvents();
    for (AccessibilityPermissionCard* card : {permissions->findChild<AccessibilityPermissionCard*>(),
             accessibility.findChild<AccessibilityPermissionCard*>()})
        EXPECT_TRUE(shownTexts(card).contains("Grant Accessibility…"));

    AccessibilityHost::setTrusted(true);
    activate();
    EXPECT_TRUE(view->accessibilityGranted());
    QCoreApplication::processEvents();
    for (AccessibilityPermissionCard* card : {permissions->findChild<AccessibilityPermissionCard*>(),
             accessibility.findChild<AccessibilityPermissionCard*>()}) {
        EXPECT_TRUE(shownTexts(card).contains("Tavro has Accessibility access"));
        EXPECT_FALSE(shownTexts(card).contains("Grant Accessibility…"));
    }
    AccessibilityHost::setTrusted(false);
}

TEST_F(PanesTest, BlockedBrowsersAreListedAsTheLocaleJoinsThem)
{
    auto view = open(Section::permissions);
    BrowserDataPermissionCard* card = pane<PermissionsSettingsView>(*view)->findChild<BrowserDataPermissionCard*>();
    EXPECT_EQ(statusLine(*card), "Tavro can read your browser profiles");
    store.setBrowserDataHint(BrowserDataHint::blocked({"Chrome", "Edge"}));
    EXPECT_EQ(statusLine(*card), "Blocked for Chrome and Edge");
    QCoreApplication::processEvents();
    EXPECT_TRUE(shownTexts(card).contains("Allow in Files & Folders…"));
    store.setBrowserDataHint(BrowserDataHint::blocked({}));
    EXPECT_EQ(statusLine(*card), "Blocked for browser");
}

// A desktop that opens no pane of System Settings is offered none: each card says in one line what
// to do instead.
TEST_F(PanesTest, ButtonsToSystemSettingsShowOnlyWhereTheDesktopOpensIt)
{
    AccessibilityHost::setTrusted(false);
    store.setBrowserDataHint(BrowserDataHint::blocked({"Chrome"}));
    for (const bool opens : {true, false}) {
        UrlOpenerHost::setSystemSettingsOpen(opens);
        auto system = open(Section::system);
        const QStringList systemTexts = shownTexts(pane<SystemSettingsView>(*system));
        auto permissions = open(Section::permissions);
        const QStringList permissionTexts = shownTexts(pane<PermissionsSettingsView>(*permissions));
        EXPECT_EQ(systemTexts.contains("Open System Settings…"), opens);
        EXPECT_EQ(permissionTexts.contains("Grant Accessibility…"), opens);
        EXPECT_EQ(permissionTexts.contains("Allow in Files & Folders…"), opens);
        EXPECT_EQ(systemTexts.filter("xdg-settings set default-web-browser tavro.desktop").size(), opens ? 0 : 1);
        EXPECT_EQ(permissionTexts.filter("no Accessibility setting").size(), opens ? 0 : 1);
        EXPECT_EQ(permissionTexts.filter("profile folders, then click Re-check").size(), opens ? 0 : 1);
        EXPECT_EQ(permissionTexts.count("Re-check"), 2);
    }
}

TEST_F(PanesTest, ScreenshotsOfEveryPaneInLightAndDark)
{
    UpdateController updates(false, defaults);
    store.edit([](AppSettings& s) {
        s.destinations = {destination("com.google.Chrome", "Chrome", "Personal", 0),
            destination("com.google.Chrome", "Chrome", "Work", 1)};
        s.showMenuBarIcon = false;
    });
    store.setBrowserDataHint(BrowserDataHint::blocked({"Chrome", "Edge"}));
    const QString folder = QStringLiteral(TAVRO_ARTIFACTS_DIR);
    QDir().mkpath(folder);
    for (const auto& [appearance, name] :
        {std::pair{Appearance::light, "light"}, std::pair{Appearance::dark, "dark"}}) {
        for (Section section :
            {Section::appearance, Section::shortcuts, Section::system, Section::permissions, Section::accessibility}) {
            auto view = std::make_unique<SettingsView>(store, section, center, nullptr, &updates);
            setExplicitAppearance(view.get(), appearance);
            // Tall enough to show the whole pane.
            view->resize(720, 1500);
            view->show();
            QCoreApplication::processEvents();
            EXPECT_TRUE(view->grab().toImage().save(folder
                + QStringLiteral("/settings-pane-%1-%2.png")
                      .arg(SettingsView::rawValue(section).toLower(), QLatin1String(name))));
        }
    }
}

} // namespace
