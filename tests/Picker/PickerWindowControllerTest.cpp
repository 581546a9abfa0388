#include "Tavro/Picker/PickerWindowController.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Picker/DestinationPickerView.h"
#include "Tavro/Picker/FloatingPickerPanel.h"
#include "Tavro/Picker/FlowerLayout.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Platform/GlobalEventMonitor.h"
#include "Tavro/Platform/ModifierFlags.h"
#include "Tavro/Simulation/AnnouncementsHost.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/ScreensHost.h"
#include "tests/Picker/PickerFixtures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace tavro;

class PickerWindowControllerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // One 1440 × 900 screen with a 25-point menu bar at the top.
        ScreensHost::setScreens({{QRect(0, 0, 1440, 900), QRect(0, 25, 1440, 875)}});
        ScreensHost::setPointerLocation({700, 400});
        list = test::destinations(4);
        QObject::connect(&controller, &PickerWindowController::chosen, &controller,
            [this](const QUrl&, const BrowserDestination& d, bool privately) {
                EXPECT_EQ(controller.panel(), nullptr) << "the picker is gone before the caller hears of it";
                chosen.append({d.profileDisplayName, privately});
            });
        QObject::connect(&controller, &PickerWindowController::cancelled, &controller, [this] {
            EXPECT_EQ(controller.panel(), nullptr);
            ++cancels;
        });
    }

    void TearDown() override
    {
        controller.dismiss(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    struct Options
    {
        bool startPrivate = false;
        BypassModifier privateModifier = BypassModifier::shift;
        bool privateKeyIsBypassModifier = false;
        AppAppearance appearance = AppAppearance::system;
    };

    void present(const Options& options)
    {
        controller.present(QUrl("https://example.com/a"), list, std::nullopt, QStringLiteral("⌥"), true,
            EmojiPosition::besideIcon, options.appearance, std::nullopt, options.startPrivate, options.privateModifier,
            options.privateKeyIsBypassModifier);
    }
    void present() { present(Options{}); }

    FloatingPickerPanel* panel() const { return controller.panel(); }

    static void sendModifiers(QWidget* target, int key, bool down, Qt::KeyboardModifiers before)
    {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, before);
        QApplication::sendEvent(target, &event);
    }

    static bool sendKey(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& text)
    {
        QKeyEvent event(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    }

    PickerWindowController controller;
    QList<BrowserDestination> list;
    QList<std::pair<QString, bool>> chosen;
    int cancels = 0;
};

TEST_F(PickerWindowControllerTest, PanelIsCentredOnThePointerWithTheRoomToTheVisibleEdges)
{
    present();
    ASSERT_TRUE(panel());
    EXPECT_TRUE(panel()->isVisible());
    const QRect frame = panel()->geometry();
    EXPECT_EQ(frame.size(), QSize(604, 499));
    EXPECT_EQ(frame.topLeft(), QPoint(700 - 302, 400 - 249));
    EXPECT_EQ(controller.model()->screenRoom, (EdgeRoom{700, 740, 375, 500}));
    EXPECT_EQ(panel()->windowTitle(), "Choose where to open example.com");
}

TEST_F(PickerWindowControllerTest, NearACornerThePanelOverhangsTheScreen)
{
    ScreensHost::setPointerLocation({10, 40});
    present();
    EXPECT_EQ(panel()->geometry().topLeft(), QPoint(10 - 302, 40 - 249));
    EXPECT_EQ(controller.model()->screenRoom, (EdgeRoom{10, 1430, 15, 860}));
}

TEST_F(PickerWindowControllerTest, ThePointerPicksTheScreenUnderIt)
{
    ScreensHost::setScreens(
        {{QRect(0, 0, 1440, 900), QRect(0, 25, 1440, 875)}, {QRect(1440, 0, 1920, 1080), QRect(1440, 0, 1920, 1040)}});
    ScreensHost::setPointerLocation({2000, 1000});
    present();
    EXPECT_EQ(controller.model()->screenRoom, (EdgeRoom{560, 1360, 1000, 40}));
    ScreensHost::setScreens({});
    present();
    EXPECT_TRUE(controller.model()->screenRoom.isUnconstrained()) << "no screen at all: unconstrained";
}

TEST_F(PickerWindowControllerTest, AKeyChoosesAndThePanelGoesAwayAfterTheHandler)
{
    present();
    QPointer<FloatingPickerPanel> shown = panel();
    QPointer<PickerViewModel> model = controller.model();
    QTest::keyClick(shown.data(), Qt::Key_1);
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 1", false}}));
    // Still alive until the event loop runs again, so the handler that closed it could return safely.
    ASSERT_TRUE(shown);
    EXPECT_FALSE(shown->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(model);
}

// A crafted record of 75,000 destinations: the picker holds as many as the screen shows (no fewer
// than it has keys), stays a window the size of that many, and "1" still opens the first.
TEST_F(PickerWindowControllerTest, AHugeRecordGetsAPickerNoLargerThanTheScreenShows)
{
    list = test::destinations(75000);
    present();
    ASSERT_TRUE(panel());
    const int shown = FlowerLayout::maximumCount(QSizeF(1440, 875));
    EXPECT_EQ(shown, 35) << "a 1440 × 875 frame fits fewer petals than there are keys";
    EXPECT_EQ(controller.model()->destinations, list.mid(0, shown));
    const FlowerLayout layout(shown);
    EXPECT_LE(panel()->width(), layout.canvasWidth() + 1);
    EXPECT_LE(panel()->height(), layout.canvasHeight() + 1);
    QTest::keyClick(panel(), Qt::Key_1);
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 1", false}}));

    // A tall screen shows more than the keys reach.
    EXPECT_GT(FlowerLayout::maximumCount(QSizeF(3840, 2160)), 35);
    EXPECT_EQ(FlowerLayout::maximumCount(QSizeF()), 35) << "no screen at all";
}

TEST_F(PickerWindowControllerTest, ClickingAPetalOrTheBackdropClosesFromInsideTheView)
{
    present();
    QPointer<DestinationPickerView> view = qobject_cast<DestinationPickerView*>(panel()->contentView());
    ASSERT_TRUE(view);
    QTest::mouseClick(view.data(), Qt::LeftButton, {}, view->petalRect(2).center().toPoint());
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 3", false}}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(view);

    present();
    view = qobject_cast<DestinationPickerView*>(panel()->contentView());
    QTest::mouseClick(view.data(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(cancels, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(view);
}

TEST_F(PickerWindowControllerTest, EscapeCancelsAndReturnChoosesTheSelection)
{
    present();
    QTest::keyClick(panel(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(controller.panel(), nullptr);

    present();
    QTest::keyClick(panel(), Qt::Key_Right);
    QTest::keyClick(panel(), Qt::Key_Down);
    EXPECT_EQ(controller.model()->selectedIndex(), 2);
    QTest::keyClick(panel(), Qt::Key_Return);
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 3", false}}));
}

TEST_F(PickerWindowControllerTest, UnmatchedKeysGoOnToTheApplication)
{
    present();
    EXPECT_FALSE(sendKey(panel(), Qt::Key_X, {}, "x"));
    EXPECT_FALSE(sendKey(panel(), Qt::Key_0, {}, "0")) << "no last used destination";
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_TRUE(panel());
}

TEST_F(PickerWindowControllerTest, CommandCommaOpensSettingsAndIsAlwaysSwallowed)
{
    QSignalSpy settingsRequests(&controller, &PickerWindowController::settingsRequested);
    present();
    EXPECT_TRUE(sendKey(panel(), Qt::Key_Comma, Qt::MetaModifier, ","));
    EXPECT_EQ(settingsRequests.count(), 1);
    EXPECT_TRUE(panel()) << "the picker stays";
    // Command together with a petal key chooses that petal.
    EXPECT_TRUE(sendKey(panel(), Qt::Key_2, Qt::MetaModifier, ""));
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 2", false}}));
}

TEST_F(PickerWindowControllerTest, ShiftedDigitsStillChooseTheirPetal)
{
    present({.privateModifier = BypassModifier::option});
    EXPECT_TRUE(sendKey(panel(), Qt::Key_At, Qt::ShiftModifier, "@"));
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 2", false}}));
}

// Only Shift is taken off a key: where a layout types "!" without Shift, it stays "!", also under a
// private key that is not Shift.
TEST_F(PickerWindowControllerTest, PrivateModeReadsASymbolTypedWithoutShiftAsItself)
{
    KeyEventsHost::setHeldModifiers(ModifierFlag::control);
    present({.privateModifier = BypassModifier::control});
    ASSERT_TRUE(controller.model()->isPrivate());
    EXPECT_FALSE(sendKey(panel(), Qt::Key_Exclam, Qt::ControlModifier, "!"));
    EXPECT_TRUE(chosen.isEmpty());
}

TEST_F(PickerWindowControllerTest, PrivateKeyHeldAtArrivalOpensPrivately)
{
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    present();
    EXPECT_TRUE(controller.model()->isPrivate());
    EXPECT_TRUE(sendKey(panel(), Qt::Key_Exclam, Qt::ShiftModifier, "!"));
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 1", true}}));
}

TEST_F(PickerWindowControllerTest, TheKeyHeldForBypassIsNoPrivateRequestUntilPressedAgain)
{
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    present({.privateKeyIsBypassModifier = true});
    EXPECT_FALSE(controller.model()->isPrivate());
    // The held key is ignored: another key pressed beside it changes nothing.
    sendModifiers(panel(), Qt::Key_Control, true, Qt::ShiftModifier);
    EXPECT_FALSE(controller.model()->isPrivate()) << "Shift is still the held one";
    // Released, it is ignored no more: the next press below makes the picker private.
    sendModifiers(panel(), Qt::Key_Shift, false, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_FALSE(controller.model()->isPrivate());
    EXPECT_TRUE(AnnouncementsHost::posted().isEmpty());
    sendModifiers(panel(), Qt::Key_Shift, true, Qt::ControlModifier);
    EXPECT_TRUE(controller.model()->isPrivate());
    EXPECT_EQ(AnnouncementsHost::posted(),
        (QList<AnnouncementsHost::Posted>{{"Private window", Announcements::Priority::high}}));
}

TEST_F(PickerWindowControllerTest, StartingPrivateEndsAtTheFirstChangeWithoutTheKey)
{
    present({.startPrivate = true, .privateModifier = BypassModifier::option});
    EXPECT_TRUE(controller.model()->isPrivate());
    sendModifiers(panel(), Qt::Key_Shift, true, {});
    EXPECT_FALSE(controller.model()->isPrivate());
    EXPECT_EQ(AnnouncementsHost::posted(),
        (QList<AnnouncementsHost::Posted>{{"Normal window", Announcements::Priority::high}}));
    sendModifiers(panel(), Qt::Key_Alt, true, Qt::ShiftModifier);
    EXPECT_TRUE(controller.model()->isPrivate());
}

TEST_F(PickerWindowControllerTest, ASecondLinkReplacesTheFirstWithoutCancellingIt)
{
    present();
    QPointer<FloatingPickerPanel> first = panel();
    present();
    EXPECT_EQ(cancels, 0);
    EXPECT_NE(panel(), first.data());
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->isVisible());
    // Keys that still reach the old panel do nothing to the new picker.
    EXPECT_FALSE(sendKey(first.data(), Qt::Key_1, {}, "1"));
    EXPECT_TRUE(chosen.isEmpty());
}

TEST_F(PickerWindowControllerTest, APressOutsideThePickerCancelsAndOneOnItDoesNot)
{
    present();
    auto* monitor = panel()->findChild<GlobalEventMonitor*>();
    ASSERT_NE(monitor, nullptr);
    ScreensHost::setPointerLocation(panel()->geometry().center());
    Q_EMIT monitor->mouseDown();
    EXPECT_EQ(cancels, 0) << "the panel handles its own presses";
    ScreensHost::setPointerLocation({40, 60});
    Q_EMIT monitor->mouseDown();
    EXPECT_EQ(cancels, 1);
}

TEST_F(PickerWindowControllerTest, ANewPickerClosesAnOpenPopupApplyingNothingAndTakesTheKeys)
{
    QWidget popover(nullptr, Qt::Popup);
    popover.show();
    ASSERT_EQ(QApplication::activePopupWidget(), &popover);
    present();
    EXPECT_FALSE(popover.isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), panel());
    EXPECT_TRUE(sendKey(panel(), Qt::Key_2, {}, "2"));
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{list[1].profileDisplayName, false}}));
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr) << "the keys go back once the picker is gone";
}

// A display that shows no presses elsewhere (here, the offscreen one): Tavro keeping no focused
// window stands for a click elsewhere.
TEST_F(PickerWindowControllerTest, WithoutAMonitorOfPressesLosingTheActivationCancels)
{
    present();
    ASSERT_FALSE(panel()->findChild<GlobalEventMonitor*>()->isActive());
    // The panel has the keyboard, then no Tavro window has it: a click in another application.
    Q_EMIT qApp->focusWindowChanged(panel()->windowHandle());
    Q_EMIT qApp->focusWindowChanged(nullptr);
    EXPECT_EQ(cancels, 1);
    Q_EMIT qApp->focusWindowChanged(nullptr);
    EXPECT_EQ(cancels, 1) << "nothing is up any more";
}

TEST_F(PickerWindowControllerTest, DismissCallsCancelOnlyWhenAsked)
{
    present();
    controller.dismiss(false);
    EXPECT_EQ(cancels, 0);
    present();
    controller.dismiss(true);
    EXPECT_EQ(cancels, 1);
    controller.dismiss(true);
    EXPECT_EQ(cancels, 1);
}

TEST_F(PickerWindowControllerTest, TheAppearanceSettingReachesThePanel)
{
    present({.appearance = AppAppearance::dark});
    EXPECT_EQ(explicitAppearance(panel()->contentView()), Appearance::dark);
    present({.appearance = AppAppearance::light});
    EXPECT_EQ(explicitAppearance(panel()), Appearance::light);
    present({.appearance = AppAppearance::system});
    EXPECT_FALSE(explicitAppearance(panel()));
}

TEST_F(PickerWindowControllerTest, PrewarmShowsNothing)
{
    const auto before = QApplication::topLevelWidgets().size();
    controller.prewarm();
    controller.prewarm(list, EmojiPosition::center);
    EXPECT_EQ(controller.panel(), nullptr);
    EXPECT_EQ(controller.model(), nullptr);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), before);
}

TEST_F(PickerWindowControllerTest, TheSelectionStartsOnTheLastUsedDestination)
{
    controller.present(QUrl("https://example.com"), list, list[2].id, QStringLiteral("⌘"), true, EmojiPosition::center,
        AppAppearance::system, QStringLiteral("Brave isn’t installed"), false, BypassModifier::shift, false);
    EXPECT_EQ(controller.model()->selectedIndex(), 2);
    EXPECT_EQ(controller.model()->notice, QStringLiteral("Brave isn’t installed"));
    EXPECT_EQ(controller.model()->bypassSymbol, QStringLiteral("⌘"));
    QTest::keyClick(panel(), Qt::Key_0);
    EXPECT_EQ(controller.panel(), nullptr) << "the picker closes with the choice";
}

namespace {

// Without a compositing manager the panel is clipped to what its content covers, so that the
// transparent corners around the flower do not show black; the content is not drawn for it.
TEST(FloatingPickerPanelTest, ShapedToWhatItsContentCoversWithoutDrawingIt)
{
    class Counted : public QWidget
    {
    public:
        int paints = 0;

    protected:
        void paintEvent(QPaintEvent*) override { ++paints; }
    };
    FloatingPickerPanel panel(QRect(0, 0, 100, 100));
    auto* content = new Counted;
    content->resize(100, 100);
    panel.setContentView(content);
    panel.contentShape = [] { return QRegion(0, 0, 100, 100, QRegion::Ellipse); };
    panel.winId();
    panel.shapeToContent();
    const QRegion shape = panel.windowHandle()->mask();
    EXPECT_TRUE(shape.contains(QPoint(50, 50)));
    EXPECT_TRUE(shape.contains(QPoint(50, 2)));
    EXPECT_FALSE(shape.contains(QPoint(3, 3)));
    EXPECT_FALSE(shape.contains(QPoint(97, 97)));
    EXPECT_TRUE(panel.mask().isEmpty()) << "the widget's painting is not clipped to the shape";
    EXPECT_EQ(content->paints, 0);
}

} // namespace
