#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Controls/BuiltByCredit.h"
#include "Tavro/Controls/ControlTint.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/MenuStyle.h"
#include "Tavro/Controls/PopUpButton.h"
#include "Tavro/Controls/ScrollBarStyle.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Controls/TavroOutlineButtonStyle.h"
#include "Tavro/Controls/TavroTextFieldStyle.h"
#include "Tavro/Model/Brand.h"
#include "tests/Support/Pixels.h"
#include "tests/Support/TempHome.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>
#include <QUuid>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

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

bool isDark(Appearance appearance)
{
    return appearance == Appearance::dark;
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

namespace {

// A focusable control of Tavro, built into `layout`; returns the widget that takes the focus.
struct RingedControl
{
    const char* name;
    std::function<QWidget*(QVBoxLayout&)> build;
};

QWidget* added(QVBoxLayout& layout, QWidget* control)
{
    layout.addWidget(control);
    return control;
}

QPushButton* styledButton(void (*apply)(QPushButton*))
{
    auto* button = new QPushButton("Continue");
    apply(button);
    return button;
}

const std::vector<RingedControl>& ringedControls()
{
    static const std::vector<RingedControl> rows{
        {"pop-up",
            [](QVBoxLayout& layout) {
                auto* popUp = new PopUpButton;
                popUp->addItems({"Ask", "Open"});
                return added(layout, popUp);
            }},
        {"check box", [](QVBoxLayout& layout) { return added(layout, new QCheckBox("Show in picker")); }},
        {"switch", [](QVBoxLayout& layout) { return added(layout, new SwitchToggle); }},
        {"prominent button",
            [](QVBoxLayout& layout) {
                return added(layout, styledButton([](QPushButton* b) { TavroButtonStyle::apply(b, true); }));
            }},
        {"outline button",
            [](QVBoxLayout& layout) {
                return added(layout, styledButton([](QPushButton* b) { TavroOutlineButtonStyle::apply(b); }));
            }},
        {"plain button",
            [](QVBoxLayout& layout) {
                return added(
                    layout, styledButton([](QPushButton* b) { b->setStyle(FocusRing::ControlStyle::shared()); }));
            }},
        {"tool button",
            [](QVBoxLayout& layout) {
                auto* button = new QToolButton;
                button->setText("Share Tavro");
                button->setStyle(FocusRing::ControlStyle::shared());
                return added(layout, button);
            }},
        {"credit link",
            [](QVBoxLayout& layout) {
                auto* credit = added(layout, new BuiltByCredit("settings"));
                return static_cast<QWidget*>(credit->findChild<QPushButton*>());
            }},
    };
    return rows;
}

// The pixel on the control's leading edge, halfway down, as the window shows it.
QColor edgePixel(QWidget& window, QWidget* control)
{
    const QRect area(control->mapTo(&window, QPoint(0, 0)), control->size());
    return window.grab(area).toImage().pixelColor(1, area.height() / 2);
}

} // namespace

TEST(FocusRingTest, TheKeyboardRingStandsOutAndAClickTakesItAway)
{
    for (const RingedControl& row : ringedControls()) {
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            SCOPED_TRACE(std::string(row.name) + (isDark(appearance) ? ", dark" : ", light"));
            QWidget window;
            window.setPalette(brandPalette(appearance));
            window.setAutoFillBackground(true);
            auto* layout = new QVBoxLayout(&window);
            auto* start = new QPushButton("Start");
            layout->addWidget(start);
            QWidget* control = row.build(*layout);
            setExplicitAppearance(&window, appearance);
            tintControls(&window);
            window.show();
            window.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            start->setFocus(Qt::MouseFocusReason);
            const QColor unfocused = edgePixel(window, control);

            QTest::keyClick(start, Qt::Key_Tab);
            ASSERT_TRUE(control->hasFocus());
            // What a screen reader outlines is what the ring goes round.
            EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->rect(),
                QRect(control->mapToGlobal(QPoint(0, 0)), control->size()));
            const QColor ring = edgePixel(window, control);
            EXPECT_EQ(ring.rgb(), resolve(FocusRing::kColour, appearance).rgb());
            EXPECT_GE(test::contrast(ring, resolve(Brand::frost, appearance)), 3.0) << "against the window";
            EXPECT_GE(test::contrast(ring, resolve(Brand::frostDeep, appearance)), 3.0) << "against a card";
            EXPECT_GE(test::contrast(ring, resolve(Brand::iceSoft, appearance)), 3.0) << "against a chosen tile";

            // Moved there again by a click, after the keyboard had moved it: no ring.
            start->setFocus(Qt::MouseFocusReason);
            control->setFocus(Qt::MouseFocusReason);
            ASSERT_TRUE(control->hasFocus());
            EXPECT_EQ(edgePixel(window, control).rgb(), unfocused.rgb());
        }
    }
}

TEST(MenuStyleTest, TheHighlightedRowDrawsASymbolInTheHighlightedTextColour)
{
    QPixmap symbol(16, 16);
    symbol.fill(Qt::transparent);
    QPixmap picture = symbol;
    {
        QPainter painter(&picture);
        painter.fillRect(0, 0, 16, 8, Qt::red);
        painter.fillRect(0, 8, 16, 8, Qt::green);
    }
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        SCOPED_TRACE(isDark(appearance) ? "dark" : "light");
        symbol.fill(resolve(Brand::navy, appearance));
        QMenu menu;
        menu.setStyle(MenuStyle::shared());
        menu.setPalette(brandPalette(appearance));
        QAction* preferences = menu.addAction(QIcon(symbol), "Preferences…");
        QAction* browser = menu.addAction(QIcon(picture), "Chromium");
        menu.popup(QPoint(0, 0));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        const QColor highlightedText = resolve(Brand::onFill, appearance);
        for (QAction* action : {preferences, browser}) {
            menu.setActiveAction(action);
            const QRect row = menu.actionGeometry(action);
            const QImage shown = menu.grab(QRect(row.topLeft(), QSize(26, row.height()))).toImage();
            const QRect icon(QPoint(0, 0), shown.size());
            if (action == preferences) {
                EXPECT_TRUE(test::hasColourNear(shown, icon, highlightedText, 8)) << "the gear shows";
            } else {
                EXPECT_TRUE(test::hasColourNear(shown, icon, Qt::red, 8)) << "a browser's icon keeps its colours";
                EXPECT_TRUE(test::hasColourNear(shown, icon, Qt::green, 8));
            }
        }
        menu.close();
    }
}

TEST(ScrollBarStyleTest, TheThumbStandsOutOfTheTrack)
{
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        SCOPED_TRACE(isDark(appearance) ? "dark" : "light");
        QScrollArea area;
        auto* content = new QWidget;
        content->setMinimumSize(100, 1000);
        area.setWidget(content);
        ScrollBarStyle::apply(&area);
        area.resize(200, 240);
        setExplicitAppearance(&area, appearance);
        area.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
        QScrollBar* bar = area.verticalScrollBar();
        ASSERT_TRUE(bar->isVisible());
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        option.subControls = QStyle::SC_All;
        const QRect thumb
            = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        const QImage shown = bar->grab().toImage();
        const QColor thumbColour = shown.pixelColor(thumb.center());
        const QColor trackColour = shown.pixelColor(thumb.center().x(), thumb.bottom() + 20);
        EXPECT_EQ(trackColour.rgb(), resolve(Brand::frost, appearance).rgb());
        if (isDark(appearance))
            EXPECT_GT(test::luminance(thumbColour), test::luminance(trackColour));
        else
            EXPECT_LT(test::luminance(thumbColour), test::luminance(trackColour)) << "the thumb is the darker part";
        EXPECT_GE(test::contrast(thumbColour, trackColour), 2.5);
    }
}

TEST(BrowserIconTest, TheGenericIconKeepsItsWindowAtListSize)
{
    test::TempHome home;
    const QString id = QStringLiteral("org.example.plain-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    home.writeFile("Applications/Plain.app/Contents/Info.plist",
        QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>CFBundleIdentifier</key><string>%1</string></dict></plist>)")
            .arg(id)
            .toUtf8());
    for (const int side : {16, 18, 20}) {
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            SCOPED_TRACE(std::to_string(side) + (isDark(appearance) ? " dark" : " light"));
            QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            BrowserIcon::paint(painter, QRectF(0, 0, side, side), id, appearance);
            painter.end();
            // Down the middle: the tile, the window's title bar, then its body.
            const int middle = side / 2;
            double titleBar = 1;
            double body = 0;
            for (int y = 0; y < side; ++y) {
                const QColor pixel = image.pixelColor(middle, y);
                if (pixel.alpha() < 255)
                    continue;
                if (y < side / 2)
                    titleBar = std::min(titleBar, test::luminance(pixel));
                else
                    body = std::max(body, test::luminance(pixel));
            }
            EXPECT_GE((body + 0.05) / (titleBar + 0.05), 3.0) << "a title bar over a light body";
            const QColor tile = image.pixelColor(side / 8, side / 2);
            EXPECT_EQ(tile.alpha(), 255) << "a filled tile";
            EXPECT_GE(test::contrast(tile, image.pixelColor(middle, side * 3 / 4)), 2.0) << "the body stands out of it";
        }
    }
}
