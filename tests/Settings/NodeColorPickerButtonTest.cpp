#include "ControlsFixtures.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/ColorSwatchButton.h"
#include "Tavro/Settings/NodeColorPickerButton.h"
#include "Tavro/Settings/NodeColorPopover.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace tavro;
using namespace tavro::testing;

namespace {

using Choice = std::optional<quint32>;
constexpr quint32 softIce = 0xCFE2F0;
constexpr quint32 warmSand = 0xEFE3CC;

class NodeColorPickerButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setExplicitAppearance(&window, Appearance::light);
        auto* row = new QHBoxLayout(&window);
        row->addWidget(button);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    NodeColorPopover* open()
    {
        QTest::mouseClick(button, Qt::LeftButton);
        return button->popover();
    }

    static QList<Choice> choices(const QSignalSpy& spy)
    {
        QList<Choice> result;
        for (const QList<QVariant>& call : spy)
            result.append(call.at(0).value<Choice>());
        return result;
    }

    // The button in place of the one shown, as a row built anew with `hex` holds it.
    void showColor(std::optional<quint32> hex)
    {
        delete button;
        button = new NodeColorPickerButton(hex, QStringLiteral("Chrome: Work"));
        window.layout()->addWidget(button);
        button->show();
        selections = std::make_unique<QSignalSpy>(button, &NodeColorPickerButton::selected);
    }

    QWidget window;
    NodeColorPickerButton* button = new NodeColorPickerButton(std::nullopt, QStringLiteral("Chrome: Work"));
    std::unique_ptr<QSignalSpy> selections = std::make_unique<QSignalSpy>(button, &NodeColorPickerButton::selected);
};

} // namespace

TEST_F(NodeColorPickerButtonTest, TheDefaultFaceAndItsTexts)
{
    QImage image = paintedOver(*button);
    EXPECT_EQ(image.pixelColor(4, 13), Brand::frost.color(false));
    const int dashes = topEdgeMatches(image, Brand::divider.color(false));
    EXPECT_GT(dashes, 2);
    EXPECT_LT(dashes, 12);
    EXPECT_NE(image.pixelColor(15, 13), Brand::frost.color(false)) << "the palette symbol";
    EXPECT_EQ(button->accessibleName(), QStringLiteral("Petal color for Chrome: Work"));
    EXPECT_EQ(button->accessibilityValue(), QStringLiteral("Default"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Set a background color for this profile’s petal."));

    // Hovering changes the border alone.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    image = paintedOver(*button);
    EXPECT_GT(topEdgeMatches(image, Brand::chainDark.color(false)), 2);
    EXPECT_EQ(image.pixelColor(4, 13), Brand::frost.color(false));
}

TEST_F(NodeColorPickerButtonTest, AChosenTintFollowsTheAppearance)
{
    showColor(softIce);
    QImage image = paintedOver(*button);
    EXPECT_EQ(image.pixelColor(4, 13), ColorPair::rgb(softIce));
    EXPECT_EQ(image.pixelColor(15, 13), ColorPair::rgb(softIce)) << "no symbol";
    EXPECT_EQ(topEdgeMatches(image, Brand::chainDark.color(false)), 12);
    EXPECT_EQ(button->accessibilityValue(), QStringLiteral("Soft Ice"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Petal color: Soft Ice. Click to change."));

    setExplicitAppearance(&window, Appearance::dark);
    EXPECT_EQ(paintedOver(*button).pixelColor(4, 13), ColorPair::rgb(0x1F3A52));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("Soft Ice"));
}

TEST_F(NodeColorPickerButtonTest, ThePopoverOffersDefaultThenTheEightTints)
{
    NodeColorPopover* popover = open();
    ASSERT_NE(popover, nullptr);
    EXPECT_TRUE(popover->isVisible());
    EXPECT_EQ(popover->width(), 220);
    EXPECT_GE(popover->y(), button->mapToGlobal(QPoint(0, button->height())).y()) << "opens below the button";

    const QList<ColorSwatchButton*>& swatches = popover->swatches();
    ASSERT_EQ(swatches.size(), 9);
    EXPECT_FALSE(swatches[0]->tint());
    EXPECT_EQ(swatches[0]->toolTip(), QStringLiteral("Default"));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(swatches[i + 1]->tint(), Brand::petalTints()[i]);
        EXPECT_EQ(swatches[i + 1]->accessibleName(), Brand::petalTints()[i].name);
        EXPECT_EQ(swatches[i + 1]->toolTip(), Brand::petalTints()[i].name);
    }
    // Rows of four, four and one.
    EXPECT_EQ(swatches[3]->y(), swatches[0]->y());
    EXPECT_GT(swatches[4]->y(), swatches[3]->y());
    EXPECT_EQ(swatches[4]->x(), swatches[0]->x());
    EXPECT_EQ(swatches[1]->x() - swatches[0]->x(), 34 + 8);
    EXPECT_GT(swatches[8]->y(), swatches[7]->y());

    auto* title = popover->findChild<QLabel*>();
    ASSERT_NE(title, nullptr);
    QAccessibleInterface* heading = QAccessible::queryAccessibleInterface(title);
    EXPECT_EQ(heading->role(), QAccessible::Heading);
    EXPECT_EQ(heading->text(QAccessible::Name), QStringLiteral("Petal color"));
}

TEST_F(NodeColorPickerButtonTest, NearTheScreensCornerThePopoverOpensAboveAndStaysOnTheScreen)
{
    const QRect screen = button->screen()->availableGeometry();
    window.move(screen.right() - window.width() + 20, screen.bottom() - window.height() + 1);
    NodeColorPopover* popover = open();
    ASSERT_NE(popover, nullptr);
    EXPECT_TRUE(screen.contains(popover->frameGeometry())) << "all nine swatches are on the screen";
    EXPECT_LE(popover->geometry().bottom(), button->mapToGlobal(QPoint(0, 0)).y()) << "opens above the button";
}

TEST_F(NodeColorPickerButtonTest, TheStoredColourIsMarkedInThePopover)
{
    auto marked = [&] {
        QList<int> result;
        NodeColorPopover* popover = open();
        for (int i = 0; i < popover->swatches().size(); ++i) {
            ColorSwatchButton* swatch = popover->swatches()[i];
            if (swatch->isSelected())
                result.append(i);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(swatch)->state().selected, swatch->isSelected());
        }
        popover->hide();
        return result;
    };
    EXPECT_EQ(marked(), QList<int>{0});
    showColor(warmSand);
    EXPECT_EQ(marked(), QList<int>{6});
    // A value stored by other means matches no tint: nothing is marked, not even Default.
    showColor(0x123456);
    EXPECT_EQ(marked(), QList<int>{});
    EXPECT_EQ(button->accessibilityValue(), QStringLiteral("Default"));
    EXPECT_EQ(paintedOver(*button).pixelColor(4, 13), Brand::frost.color(false));
}

TEST_F(NodeColorPickerButtonTest, ChoosingASwatchReportsItAndCloses)
{
    showColor(softIce);
    QTest::mouseClick(open()->swatches()[6], Qt::LeftButton);
    EXPECT_FALSE(button->popover());
    // The selected one is reported again; Default reports nothing.
    QTest::mouseClick(open()->swatches()[1], Qt::LeftButton);
    QTest::mouseClick(open()->swatches()[0], Qt::LeftButton);
    EXPECT_EQ(choices(*selections), (QList<Choice>{warmSand, softIce, std::nullopt}));
    EXPECT_FALSE(button->popover());
}

TEST_F(NodeColorPickerButtonTest, TheButtonOrAClickOutsideClosesThePopover)
{
    NodeColorPopover* popover = open();
    QTest::keyClick(popover, Qt::Key_Escape);
    EXPECT_FALSE(button->popover());

    // Through the window, as a real click arrives: the popup takes the press and must not hand it
    // on to the button, which would open it again.
    open();
    ASSERT_TRUE(button->popover());
    const QPoint centre = button->mapTo(&window, button->rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centre);
    EXPECT_FALSE(button->popover());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centre);
    EXPECT_TRUE(button->popover());

    // A click elsewhere closes it and the button stays closed.
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(button->popover());
    EXPECT_TRUE(selections->isEmpty());
}

TEST_F(NodeColorPickerButtonTest, Screenshots)
{
    QWidget strip;
    strip.setAutoFillBackground(true);
    strip.adjustSize();
    auto* row = new QHBoxLayout(&strip);
    row->addWidget(new NodeColorPickerButton(std::nullopt, QStringLiteral("A")));
    for (const PetalTint& tint : Brand::petalTints())
        row->addWidget(new NodeColorPickerButton(tint.hex, tint.name));
    showColor(warmSand);
    NodeColorPopover* popover = open();
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        QPalette palette = strip.palette();
        palette.setColor(QPalette::Window, resolve(Brand::frostNS, appearance));
        strip.setPalette(palette);
        saveScreenshot(strip, QStringLiteral("color-buttons"), appearance);
        setExplicitAppearance(&window, appearance);
        saveScreenshot(*popover, QStringLiteral("color-popover"), appearance);
    }
}

TEST_F(NodeColorPickerButtonTest, EscapeClosesThePopoverAndTheKeyboardIsBackOnTheButton)
{
    // Focus elsewhere when the pointer opens the popover, as a click leaves it.
    auto* elsewhere = new QLineEdit(&window);
    window.layout()->addWidget(elsewhere);
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    elsewhere->setFocus();
    NodeColorPopover* popover = open();
    ASSERT_TRUE(popover);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popover->isActiveWindow(); }, 2000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return button->hasFocus(); }, 2000));
    EXPECT_TRUE(selections->isEmpty());
}
