#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/PointingHandCursor.h"
#include "Tavro/Picker/SymbolImage.h"
#include "Tavro/Picker/TavroMark.h"
#include "Tavro/Picker/VoiceOver.h"
#include "Tavro/Simulation/AnnouncementsHost.h"

#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tavro;

TEST(AppearanceTest, AWindowsAppearanceReachesEveryViewInside)
{
    QWidget window;
    auto* child = new QWidget(&window);
    auto* grandchild = new QWidget(child);
    EXPECT_FALSE(explicitAppearance(grandchild));
    setExplicitAppearance(&window, Appearance::dark);
    EXPECT_EQ(effectiveAppearance(grandchild), Appearance::dark);
    EXPECT_EQ(resolve(Brand::navy, grandchild), QColor(0xE4EDF4));
    setExplicitAppearance(child, Appearance::light);
    EXPECT_EQ(effectiveAppearance(grandchild), Appearance::light);
    EXPECT_EQ(resolve(Brand::navy, grandchild), QColor(0x14344E));
    setExplicitAppearance(child, std::nullopt);
    EXPECT_EQ(effectiveAppearance(grandchild), Appearance::dark);
}

TEST(AppearanceTest, TheSettingForcesLightOrDarkAndSystemForcesNothing)
{
    EXPECT_EQ(appearanceFor(AppAppearance::light), Appearance::light);
    EXPECT_EQ(appearanceFor(AppAppearance::dark), Appearance::dark);
    EXPECT_EQ(appearanceFor(AppAppearance::system), std::nullopt);
    EXPECT_NEAR(withOpacity(QColor(Qt::black), 0.12).alphaF(), 0.12, 1e-3);
}

TEST(VoiceOverTest, AnnouncesOnlyNonEmptyTextWhileAScreenReaderRuns)
{
    AnnouncementsHost::clear();
    AnnouncementsHost::setVoiceOverRunning(false);
    VoiceOver::announce("Recorded");
    EXPECT_TRUE(AnnouncementsHost::posted().isEmpty());
    AnnouncementsHost::setVoiceOverRunning(true);
    VoiceOver::announce("");
    EXPECT_TRUE(AnnouncementsHost::posted().isEmpty());
    VoiceOver::announce("Recorded");
    EXPECT_EQ(
        AnnouncementsHost::posted(), (QList<AnnouncementsHost::Posted>{{"Recorded", Announcements::Priority::high}}));
    AnnouncementsHost::setVoiceOverRunning(false);
    AnnouncementsHost::clear();
}

TEST(PointingHandCursorTest, TheCursorGoesWithItsView)
{
    auto* view = new QWidget;
    pointingHandCursor(view);
    EXPECT_EQ(view->cursor().shape(), Qt::PointingHandCursor);
    view->show();
    delete view;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "nothing was pushed that could be left behind";
}

TEST(TavroMarkTest, TheLogoComesFromTheResourceBundle)
{
    ASSERT_TRUE(TavroMark::logoImage());
    QImage image(72, 72, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    TavroMark::paint(painter, QRectF(0, 0, 72, 72), Appearance::light);
    painter.end();
    EXPECT_GT(image.pixelColor(36, 10).alpha(), 200);
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}

TEST(SymbolImageTest, EverySymbolThePickerAndBannersUseIsThere)
{
    for (const char* name :
        {"globe", "eye.slash.fill", "nosign", "clock.arrow.circlepath", "hand.raised", "safari", "lock.shield"})
        EXPECT_TRUE(SymbolImage::exists(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(SymbolImage::exists("no.such.symbol"));
}

// Menus and alerts are windows of their own, with no appearance set on them: Tavro's appearance
// reaches the ones made after it was set through the application's palette, and "System" gives
// the system's back.
TEST(AppearanceTest, TheApplicationsAppearanceReachesMenusAndSystemRestoresTheirs)
{
    const QPalette system = QGuiApplication::palette();
    // The style fills a menu with its palette's base, a touch lighter.
    const auto fill = [](Appearance appearance) {
        setApplicationAppearance(appearance);
        QMenu menu;
        menu.addAction(QStringLiteral("Preferences…"));
        menu.adjustSize();
        return menu.grab().toImage().pixelColor(menu.width() - 6, menu.height() / 2);
    };
    for (Appearance appearance : {Appearance::dark, Appearance::light}) {
        const QColor drawn = fill(appearance);
        const QColor frost = resolve(Brand::frost, appearance).lighter(108);
        EXPECT_NEAR(drawn.red(), frost.red(), 3);
        EXPECT_NEAR(drawn.green(), frost.green(), 3);
        EXPECT_NEAR(drawn.blue(), frost.blue(), 3);
    }
    setApplicationAppearance(std::nullopt);
    EXPECT_EQ(QGuiApplication::palette(), system);
}
