#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/PopUpButton.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Controls/TavroOutlineButtonStyle.h"
#include "Tavro/Controls/TavroTextFieldStyle.h"
#include "Tavro/Model/Brand.h"

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

QColor colourAt(QWidget& widget, QPoint point)
{
    return widget.grab().toImage().pixelColor(point);
}

// A point on the button's fill, clear of its text and rounded corners.
QPoint fillPoint(const QWidget& widget)
{
    return {6, widget.height() / 2};
}

} // namespace

TEST(TavroButtonStyleTest, SolidButtonsFollowTheAppearance)
{
    for (const bool prominent : {true, false}) {
        QPushButton button("Continue");
        TavroButtonStyle::apply(&button, prominent);
        button.resize(button.sizeHint());
        const QSize text = QFontMetrics(button.font()).size(Qt::TextShowMnemonic, "Continue");
        EXPECT_EQ(button.sizeHint(), text + QSize(32, 16));
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            setExplicitAppearance(&button, appearance);
            const ColorPair fill = prominent ? Brand::fill : Brand::frostDeep;
            EXPECT_EQ(colourAt(button, fillPoint(button)).rgb(), fill.color(appearance == Appearance::dark).rgb());
        }
    }
}

TEST(TavroButtonStyleTest, APressedButtonDims)
{
    QPushButton button("Continue");
    TavroButtonStyle::apply(&button, true);
    button.resize(button.sizeHint());
    setExplicitAppearance(&button, Appearance::light);
    const QColor released = colourAt(button, fillPoint(button));
    button.setDown(true);
    const QColor pressed = colourAt(button, fillPoint(button));
    // Drawn at 0.75 over the window's background, so the navy fill comes out lighter.
    EXPECT_GT(pressed.lightness(), released.lightness());
}

TEST(TavroOutlineButtonStyleTest, ADisabledButtonKeepsItsFrostAndBorder)
{
    QPushButton button("Refresh");
    TavroOutlineButtonStyle::apply(&button);
    button.resize(button.sizeHint());
    setExplicitAppearance(&button, Appearance::dark);
    button.setEnabled(false);
    const QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixelColor(fillPoint(button)).rgb(), Brand::frost.color(true).rgb());
    EXPECT_EQ(image.pixelColor(button.width() / 2, 0).rgb(), Brand::chain.color(true).rgb());
    const QSize text = QFontMetrics(button.font()).size(Qt::TextShowMnemonic, "Refresh");
    EXPECT_EQ(button.sizeHint(), text + QSize(24, 14));
}

TEST(TavroTextFieldStyleTest, AFramedFieldWithoutFocusRing)
{
    QLineEdit field;
    TavroTextFieldStyle::apply(&field);
    setExplicitAppearance(&field, Appearance::light);
    field.resize(160, 30);
    field.show();
    field.setFocus();
    const QImage image = field.grab().toImage();
    EXPECT_EQ(image.pixelColor(4, 15).rgb(), Brand::frost.color(false).rgb());
    EXPECT_EQ(image.pixelColor(80, 0).rgb(), Brand::chain.color(false).rgb());
    EXPECT_EQ(field.palette().color(QPalette::Text), Brand::navy.color(false));
    EXPECT_EQ(field.textMargins(), QMargins(9, 7, 9, 7));
}

TEST(PopUpButtonStyleTest, PopUpsSharingColoursEachDrawInTheirOwnState)
{
    // Green while enabled, red once disabled: the colours are the same set for both pop-ups.
    QPalette palette;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Button, Qt::green);
    palette.setColor(QPalette::Disabled, QPalette::Button, Qt::red);
    PopUpButton enabled;
    PopUpButton disabled;
    disabled.setEnabled(false);
    for (PopUpButton* popUp : {&enabled, &disabled}) {
        popUp->setPalette(palette);
        popUp->resize(120, 28);
    }
    const QPoint middle(60, 14);
    const QColor enabledFill = colourAt(enabled, middle);
    const QColor disabledFill = colourAt(disabled, middle);
    EXPECT_GT(enabledFill.green(), enabledFill.red());
    EXPECT_GT(disabledFill.red(), disabledFill.green());
}
