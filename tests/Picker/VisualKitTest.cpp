#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Controls/TavroMark.h"
#include "Tavro/Controls/VoiceOver.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/ShadowCache.h"
#include "Tavro/Simulation/AnnouncementsHost.h"

#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

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

// A shadow from the cache is the shadow drawn stroke by stroke, wherever and at whatever scale it is
// drawn, and one picture serves every shape of the same look and place between pixels.
TEST(ShadowCacheTest, DrawsTheShadowDrawnDirectlyFromOnePictureALook)
{
    const QPainterPath card = Drawing::roundedRect(QRectF(-48, -33, 96, 66), 16);
    const auto draw = [&](double ratio, QPointF centre, double scale, const std::function<void(QPainter&)>& shadow) {
        QImage image((QSizeF(260, 150) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.translate(centre);
        painter.scale(scale, scale);
        shadow(painter);
        return image;
    };
    ShadowCache cache;
    for (const auto& [ratio, scale] : {std::pair{1.0, 1.0}, {1.0, 1.1}, {2.0, 1.0}}) {
        for (const QPointF centre : {QPointF(70, 70), QPointF(180.4, 74.7)}) {
            const QImage direct = draw(ratio, centre, scale, [&](QPainter& p) {
                Drawing::paintShadow(p, card, 0.3, 15, {0, 5});
            });
            const QImage cached = draw(ratio, centre, scale, [&](QPainter& p) {
                cache.paint(p, card, 0.3, 15, {0, 5});
            });
            int worst = 0;
            for (int y = 0; y < direct.height(); ++y) {
                for (int x = 0; x < direct.width(); ++x) {
                    const QRgb a = direct.pixel(x, y);
                    const QRgb b = cached.pixel(x, y);
                    worst = std::max({worst, std::abs(qAlpha(a) - qAlpha(b)), std::abs(qGray(a) - qGray(b))});
                }
            }
            // Placed to an eighth of a pixel: the steepest edge of the shadow may differ by a little.
            EXPECT_LE(worst, 8) << "ratio " << ratio << ", scale " << scale << ", at " << centre.x();
        }
    }
    EXPECT_EQ(cache.count(), 6) << "one picture for each scale and place between pixels";
    draw(1, QPointF(150, 90), 1, [&](QPainter& p) { cache.paint(p, card, 0.3, 15, {0, 5}); });
    EXPECT_EQ(cache.count(), 6) << "a card elsewhere on whole pixels takes the picture there is";
}
