#include "Tavro/Picker/DestinationPickerView.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Simulation/SystemSoundHost.h"
#include "tests/Picker/PickerFixtures.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

// Colours drawn by the painter are blended and rounded; a channel may be off by a little.
testing::AssertionResult near(QColor actual, QColor expected)
{
    const int tolerance = 3;
    if (std::abs(actual.red() - expected.red()) <= tolerance && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "drawn " << actual.name().toStdString() << ", expected "
                                       << expected.name().toStdString();
}

} // namespace

class DestinationPickerViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        auto list = test::destinations(4);
        list[1].nodeColorHex = 0xCFE2F0; // "Soft Ice"
        list[2].nodeColorHex = 0x1F3A52; // no tint's light value: a fixed colour
        model.destinations = list;
        model.url = QUrl("https://example.com/");
        model.reduceAnimations = true;
        QObject::connect(&model, &PickerViewModel::chosen, [this](const BrowserDestination& d, bool privately) {
            chosen.append({d.profileDisplayName, privately});
        });
    }

    std::unique_ptr<DestinationPickerView> makeView(std::optional<Appearance> appearance = Appearance::light)
    {
        auto view = std::make_unique<DestinationPickerView>(&model, 1.0, true);
        setExplicitAppearance(view.get(), appearance);
        return view;
    }

    // A point on the petal's card left of its picture, clear of text, badge and marks.
    static QPoint fillPoint(const DestinationPickerView& view, int index)
    {
        const QRectF r = view.petalRect(index);
        return QPointF(r.left() + 10, r.center().y() - 8).toPoint();
    }

    PickerViewModel model;
    QList<std::pair<QString, bool>> chosen;
    QSignalSpy cancels{&model, &PickerViewModel::cancelled};
};

TEST_F(DestinationPickerViewTest, FrameIsTheLayoutCanvas)
{
    const auto view = makeView();
    EXPECT_EQ(view->size(), QSize(604, 499));
    EXPECT_EQ(view->hubCentre(), QPointF(302, 249.5));
}

TEST_F(DestinationPickerViewTest, PetalsShowTheirTintsInLightAndDark)
{
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        const auto view = makeView(appearance);
        const QImage image = view->grab().toImage();
        const bool dark = appearance == Appearance::dark;
        image.save(QDir::temp().filePath(dark ? "picker-view-dark.png" : "picker-view-light.png"));
        // Petal 0 is selected: navy. Then the Soft Ice tint, the fixed colour, and frost for no tint.
        EXPECT_TRUE(near(image.pixelColor(fillPoint(*view, 0)), Brand::navy.color(dark)));
        EXPECT_TRUE(near(image.pixelColor(fillPoint(*view, 1)), QColor(dark ? 0x1F3A52 : 0xCFE2F0)));
        EXPECT_TRUE(near(image.pixelColor(fillPoint(*view, 2)), QColor(0x1F3A52)));
        EXPECT_TRUE(near(image.pixelColor(fillPoint(*view, 3)), Brand::frost.color(dark)));
        // The backdrop is clear, and the hub's disc takes the default petal colour.
        EXPECT_EQ(image.pixelColor(3, 3).alpha(), 0);
        const QPoint hubEdge = (view->hubCentre() + QPointF(0, 46)).toPoint();
        EXPECT_TRUE(near(image.pixelColor(hubEdge), Brand::frost.color(dark)));
    }
}

TEST_F(DestinationPickerViewTest, PrivateModePaintsTheFixedPrivateTheme)
{
    model.destinations[3] = test::destination("Atlas", "com.openai.atlas");
    model.setPrivate(true);
    const auto view = makeView(Appearance::light);
    const QImage image = view->grab().toImage();
    EXPECT_TRUE(near(image.pixelColor(fillPoint(*view, 0)), PrivateTheme::accent.color(false)));
    EXPECT_TRUE(near(image.pixelColor(fillPoint(*view, 1)), PrivateTheme::surface.color(false)));
    // A petal that cannot open private windows is drawn at 40 % over the clear backdrop.
    EXPECT_LT(image.pixelColor(fillPoint(*view, 3)).alpha(), 140);
}

TEST_F(DestinationPickerViewTest, HoverSelectsAPetalButLeavesTheHubOnTheLastUsed)
{
    model.lastUsedID = model.destinations[2].id;
    model.setSelectedIndex(2);
    const auto view = makeView();
    view->show();
    QTest::mouseMove(view.get(), view->petalRect(1).center().toPoint());
    EXPECT_EQ(model.selectedIndex(), 1);
    EXPECT_FALSE(view->hubHovered());
    EXPECT_TRUE(view->hubAccessibilityLabel().startsWith("Last used, Google Chrome, Profile 3"));
    QTest::mouseMove(view.get(), view->hubCentre().toPoint());
    EXPECT_TRUE(view->hubHovered());
    EXPECT_EQ(model.selectedIndex(), 1) << "leaving a petal selects nothing else";

    // Only entering a petal selects it: the pointer resting on a petal keeps an arrow key's selection.
    const QPoint onPetal = view->petalRect(3).center().toPoint();
    QTest::mouseMove(view.get(), onPetal);
    model.setSelectedIndex(0);
    QTest::mouseMove(view.get(), onPetal + QPoint(3, 2));
    EXPECT_EQ(model.selectedIndex(), 0);
    QTest::mouseMove(view.get(), QPoint(5, 5));
    QTest::mouseMove(view.get(), onPetal);
    EXPECT_EQ(model.selectedIndex(), 3);
}

TEST_F(DestinationPickerViewTest, ClicksChooseAPetalTheSelectionOrCancel)
{
    const auto view = makeView();
    view->show();
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, view->petalRect(3).center().toPoint());
    model.setSelectedIndex(1);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, view->hubCentre().toPoint());
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 4", false}, {"Profile 2", false}}));
    EXPECT_EQ(cancels.count(), 0);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(cancels.count(), 1);
    EXPECT_EQ(chosen.size(), 2);
}

TEST_F(DestinationPickerViewTest, APressThatEndsElsewhereIsNoClick)
{
    const auto view = makeView();
    view->show();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, view->petalRect(0).center().toPoint());
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(cancels.count(), 0);
}

TEST_F(DestinationPickerViewTest, WithoutDestinationsTheHubDoesNothing)
{
    model.destinations.clear();
    const auto view = makeView();
    view->show();
    EXPECT_EQ(view->hubAccessibilityLabel(), "No destinations");
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, view->hubCentre().toPoint());
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(cancels.count(), 0);
}

TEST_F(DestinationPickerViewTest, PrivateRefusalsBeepAndStayOpen)
{
    model.destinations[2] = test::destination("Atlas", "com.openai.atlas");
    model.setPrivate(true);
    const auto view = makeView();
    view->show();
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, view->petalRect(2).center().toPoint());
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(SystemSoundHost::beepCount(), 1);
    EXPECT_EQ(model.selectedIndex(), 2);
}

// The window's shape where nothing composites: the parts of the flower as they stand now.
TEST_F(DestinationPickerViewTest, DrawnRegionFollowsTheFlowerAsItOpens)
{
    model.notice = QStringLiteral("Brave isn’t installed");
    model.lastUsedID = model.destinations[0].id;
    const auto open = makeView();
    const QRegion region = open->drawnRegion();
    EXPECT_TRUE(region.contains(open->hubCentre().toPoint()));
    for (int i = 0; i < 4; ++i) {
        const QRectF petal = open->petalRect(i);
        EXPECT_TRUE(region.contains(petal.center().toPoint())) << i;
        EXPECT_TRUE(region.contains(QPointF(petal.right() + 2, petal.top() - 2).toPoint())) << "key cap of " << i;
        const QPointF halfway = (open->hubCentre() + petal.center()) / 2;
        EXPECT_TRUE(region.contains(halfway.toPoint())) << "stem of " << i;
    }
    EXPECT_TRUE(region.contains(QPoint(open->width() / 2, 10))) << "the notice";
    EXPECT_FALSE(region.contains(QPoint(3, open->height() - 3)));
    EXPECT_FALSE(region.contains(QPoint(open->width() - 3, open->height() - 3)));

    model.reduceAnimations = false;
    DestinationPickerView closed(&model, 0.0, true);
    EXPECT_TRUE(closed.drawnRegion().contains(closed.hubCentre().toPoint()));
    EXPECT_FALSE(closed.drawnRegion().contains(open->petalRect(0).center().toPoint()))
        << "a petal still in the hub covers nothing out on the ring";
}

// Each stem is drawn unbroken from the hub's rim to its card, open and while the petals grow, over
// the clear backdrop (a stem is at 90 %; shadows alone are faint).
TEST_F(DestinationPickerViewTest, StemsRunFromTheHubToEveryCard)
{
    double now = 10;
    model.reduceAnimations = false;
    DestinationPickerView view(&model, 0.0, true);
    view.clock = [&] { return now; };
    view.show();
    for (const double after : {0.12, 0.2, 1.0}) {
        now = 10 + after;
        const QImage image = view.grab().toImage();
        for (int i = 0; i < 4; ++i) {
            const QRectF card = view.petalRect(i);
            const QPointF toHub = view.hubCentre() - card.center();
            const double length = std::hypot(toHub.x(), toHub.y());
            // Where the line from the card's centre to the hub's leaves the card.
            const double inCard = std::min(card.width() / 2 / std::max(std::abs(toHub.x()) / length, 1e-9),
                card.height() / 2 / std::max(std::abs(toHub.y()) / length, 1e-9));
            for (double d = inCard + 2; d < length - DestinationPickerView::hubDiameter / 2 - 2; d += 1) {
                // A two-pixel line between rows or columns covers each of them in part.
                const QPoint point = (card.center() + toHub * (d / length)).toPoint();
                int alpha = 0;
                for (const QPoint beside : {QPoint(0, 0), QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    alpha = std::max(alpha, image.pixelColor(point + beside).alpha());
                EXPECT_GE(alpha, 200) << "stem of " << i << " at " << after << " s, " << d << " from the card's centre";
            }
        }
    }
}

TEST_F(DestinationPickerViewTest, BloomSpringsOpenUnlessAnimationsAreReduced)
{
    double now = 10;
    model.reduceAnimations = false;
    DestinationPickerView closed(&model, 0.0, true);
    closed.clock = [&] { return now; };
    EXPECT_EQ(closed.petalBloom(0), 0);
    closed.show();
    EXPECT_EQ(closed.petalBloom(0), 0);
    now += 0.1;
    EXPECT_GT(closed.petalBloom(0), closed.petalBloom(3)) << "petals leave the hub one after another";
    EXPECT_NEAR(closed.petalBloom(0), DestinationPickerView::spring(0.1), 1e-9);
    EXPECT_NEAR(closed.petalBloom(3), DestinationPickerView::spring(0.1 - 3 * 0.012), 1e-9);
    now += 0.6;
    EXPECT_TRUE(closed.isBloomFinished());
    EXPECT_EQ(closed.petalBloom(3), 1);
    EXPECT_NEAR(DestinationPickerView::spring(0.6), 1, 1e-3);
    EXPECT_GT(DestinationPickerView::spring(0.2), 1) << "the spring overshoots a little";

    model.reduceAnimations = true;
    DestinationPickerView open(&model, 1.0, true);
    EXPECT_TRUE(open.isBloomFinished());
    EXPECT_EQ(open.petalBloom(2), 1);
}

TEST_F(DestinationPickerViewTest, AccessibilityHasOneElementPerPetalAndTheHub)
{
    model.lastUsedID = model.destinations[0].id;
    model.destinations[1].profileEmoji = QStringLiteral("🏠");
    const auto view = makeView();
    view->show();
    QAccessibleInterface* container = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_TRUE(container);
    EXPECT_EQ(container->text(QAccessible::Name), "Choose where to open example.com");
    ASSERT_EQ(container->childCount(), 5);
    EXPECT_EQ(container->child(0)->text(QAccessible::Name), "Google Chrome, Profile 1, Last used");
    EXPECT_EQ(container->child(1)->text(QAccessible::Name), "🏠 Google Chrome, Profile 2");
    EXPECT_EQ(container->child(1)->text(QAccessible::Description), "Press 2 to open here");
    EXPECT_EQ(container->child(4)->text(QAccessible::Name), "Last used, Google Chrome, Profile 1");
    EXPECT_EQ(view->focusedPetal(), 0);
    model.setSelectedIndex(3);
    EXPECT_EQ(view->focusedPetal(), 3) << "focus follows the selection";

    container->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(chosen, (QList<std::pair<QString, bool>>{{"Profile 3", false}}));
}

// In private mode every element says so; a hub that shows only the mark beside petals does not
// claim there are no destinations.
TEST_F(DestinationPickerViewTest, PrivateModeRenamesEveryElement)
{
    const auto view = makeView();
    view->show();
    QAccessibleInterface* container = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_TRUE(container);
    EXPECT_EQ(container->child(4)->text(QAccessible::Name), "Tavro");
    model.setPrivate(true);
    for (int i = 0; i < 4; ++i) {
        const QString name = container->child(i)->text(QAccessible::Name);
        EXPECT_TRUE(name.endsWith(", Private window")) << name.toStdString();
    }
    model.destinations.clear();
    EXPECT_EQ(container->child(0)->text(QAccessible::Name), "No destinations");
}

TEST_F(DestinationPickerViewTest, TheLastUsedClockCarriesATooltip)
{
    model.lastUsedID = model.destinations[2].id;
    const auto view = makeView();
    view->show();
    // The unselected petals are drawn at their own size, the clock 5 points in from the corner.
    const QPointF clock = view->petalRect(2).topLeft() + QPointF(10, 10);
    EXPECT_EQ(view->toolTipAt(view->petalRect(2).center()), "") << "only the clock has the tooltip";
    EXPECT_EQ(view->toolTipAt(view->petalRect(1).topLeft() + QPointF(10, 10)), "");
    QHelpEvent event(QEvent::ToolTip, clock.toPoint(), view->mapToGlobal(clock.toPoint()));
    QApplication::sendEvent(view.get(), &event);
    EXPECT_EQ(QToolTip::text(), "Last used");
    model.setPrivate(true);
    EXPECT_EQ(view->toolTipAt(clock), "") << "no clock in private mode";
}

TEST_F(DestinationPickerViewTest, APreviewMovesNoFocus)
{
    DestinationPickerView preview(&model, 1.0, false);
    preview.show();
    model.setSelectedIndex(2);
    EXPECT_FALSE(preview.focusedPetal());
}

TEST_F(DestinationPickerViewTest, SelectionAndHubHoverSpringToTheirNewScale)
{
    double now = 10;
    const auto view = makeView();
    view->clock = [&] { return now; };
    view->show();
    EXPECT_EQ(view->petalSelectionScale(0), 1.1);
    model.setSelectedIndex(2);
    EXPECT_EQ(view->petalSelectionScale(2), 1.0) << "the new selection starts from its old size";
    EXPECT_EQ(view->petalSelectionScale(0), 1.1) << "the old one starts large";
    now += 0.1;
    EXPECT_GT(view->petalSelectionScale(2), 1.0);
    EXPECT_LT(view->petalSelectionScale(0), 1.1);
    now += 0.6;
    EXPECT_FALSE(view->isAnimating());
    EXPECT_EQ(view->petalSelectionScale(2), 1.1);
    EXPECT_EQ(view->petalSelectionScale(0), 1.0);

    QTest::mouseMove(view.get(), QPoint(5, 5)); // a move to where the pointer already is is no move
    QTest::mouseMove(view.get(), view->hubCentre().toPoint());
    ASSERT_TRUE(view->hubHovered());
    EXPECT_EQ(view->hubScale(), 1.0);
    now += 0.05;
    EXPECT_GT(view->hubScale(), 1.0);
    now += 0.6;
    EXPECT_EQ(view->hubScale(), 1.05);
}

TEST_F(DestinationPickerViewTest, PrivateModeFadesInOverTheNormalPicture)
{
    double now = 10;
    const auto view = makeView(Appearance::light);
    view->clock = [&] { return now; };
    view->show();
    const QPoint fill = fillPoint(*view, 1);
    const QColor normal = view->grab().toImage().pixelColor(fill);
    model.setPrivate(true);
    EXPECT_EQ(view->privateFadeProgress(), 0);
    EXPECT_TRUE(near(view->grab().toImage().pixelColor(fill), normal)) << "the fade starts from the normal look";
    now += 0.08;
    EXPECT_NEAR(view->privateFadeProgress(), 0.5, 1e-9);
    now += 0.08;
    EXPECT_EQ(view->privateFadeProgress(), 1);
    EXPECT_TRUE(near(view->grab().toImage().pixelColor(fill), PrivateTheme::surface.color(false)));
}
