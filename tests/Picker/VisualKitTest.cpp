#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Controls/ResourceBundle.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Controls/TavroMark.h"
#include "Tavro/Controls/VoiceOver.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/FlowerNode.h"
#include "Tavro/Picker/PickerPictures.h"
#include "Tavro/Simulation/AnnouncementsHost.h"
#include "tests/Picker/PickerFixtures.h"

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
    VoiceOver::announce("Recorded");
    EXPECT_TRUE(AnnouncementsHost::posted().isEmpty());
    AnnouncementsHost::setVoiceOverRunning(true);
    VoiceOver::announce("");
    EXPECT_TRUE(AnnouncementsHost::posted().isEmpty());
    VoiceOver::announce("Recorded");
    EXPECT_EQ(
        AnnouncementsHost::posted(), (QList<AnnouncementsHost::Posted>{{"Recorded", Announcements::Priority::high}}));
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
    ASSERT_TRUE(ResourceBundle::imageSize("logo", "png"));
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

namespace {

const QPainterPath shadowedCard = Drawing::roundedRect(QRectF(-48, -33, 96, 66), 16);

// A picture at `ratio` device pixels a point with `shadow` drawn at `scale` around `centre`.
QImage drawnShadow(double ratio, QPointF centre, double scale, const std::function<void(QPainter&)>& shadow)
{
    QImage image((QSizeF(260, 150) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(centre);
    painter.scale(scale, scale);
    shadow(painter);
    return image;
}

// The largest difference of a pixel's alpha or grey between the card's shadow drawn stroke by
// stroke and drawn through `cache`.
int worstDifferenceFromDirect(PickerPictures& cache, double ratio, QPointF centre, double scale)
{
    const QImage direct = drawnShadow(ratio, centre, scale, [](QPainter& p) {
        Drawing::paintShadow(p, shadowedCard, 0.3, 15, {0, 5});
    });
    const QImage cached = drawnShadow(ratio, centre, scale, [&](QPainter& p) {
        cache.paintShadow(p, shadowedCard, 0.3, 15, {0, 5});
    });
    int worst = 0;
    for (int y = 0; y < direct.height(); ++y) {
        for (int x = 0; x < direct.width(); ++x) {
            const QRgb a = direct.pixel(x, y);
            const QRgb b = cached.pixel(x, y);
            worst = std::max({worst, std::abs(qAlpha(a) - qAlpha(b)), std::abs(qGray(a) - qGray(b))});
        }
    }
    return worst;
}

} // namespace

// A shadow from the cache is the shadow drawn stroke by stroke, wherever and at whatever scale it is
// drawn, and one picture serves every shape of the same look at a density.
TEST(PickerPicturesTest, DrawsTheShadowDrawnDirectlyFromOnePictureALook)
{
    PickerPictures cache;
    for (const auto& [ratio, scale] : {std::pair{1.0, 1.0}, {1.0, 1.1}, {2.0, 1.0}}) {
        for (const QPointF centre : {QPointF(70, 70), QPointF(180.4, 74.7)}) {
            // Copied smaller: at the steepest edge of the shadow, under the card, a pixel may differ by a little.
            EXPECT_LE(worstDifferenceFromDirect(cache, ratio, centre, scale), 12)
                << "ratio " << ratio << ", scale " << scale << ", at " << centre.x();
        }
    }
    EXPECT_EQ(cache.shadowCount(), 2) << "one picture for each density";
    drawnShadow(1, QPointF(150, 90), 1, [&](QPainter& p) { cache.paintShadow(p, shadowedCard, 0.3, 15, {0, 5}); });
    EXPECT_EQ(cache.shadowCount(), 2) << "a card elsewhere takes the picture there is";
}

// The frames of a petal growing open, each at a scale and a place of its own, copy one picture of
// the look at each density, and still show the shadow drawn stroke by stroke.
TEST(PickerPicturesTest, AShadowOnTheMoveIsDrawnOnceForAllItsFrames)
{
    PickerPictures cache;
    for (const double ratio : {1.0, 2.0}) {
        for (double scale = 0.57; scale < 1.16; scale += 0.037) {
            const QPointF centre(100 + 20 * scale, 70 + 3.3 * scale);
            EXPECT_LE(worstDifferenceFromDirect(cache, ratio, centre, scale), 12)
                << "ratio " << ratio << ", scale " << scale;
        }
    }
    EXPECT_EQ(cache.shadowCount(), 2) << "one picture of the look for each density";
}

// A petal growing open copies one picture of its face over its shadow, which shows the two drawn
// directly; another appearance or selection draws a picture of its own, and a petal's face at rest is
// drawn directly.
TEST(PickerPicturesTest, APetalOnTheMoveIsDrawnOnceForAllItsFrames)
{
    FlowerNode node;
    node.destination = test::destination(QStringLiteral("Work"));
    node.hotkey = QStringLiteral("1");
    node.isLastUsed = true;
    const auto draw = [](double scale, const std::function<void(QPainter&)>& face) {
        QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(100.3, 75.6);
        painter.scale(scale, scale);
        face(painter);
        return image;
    };
    // The mean difference of a pixel's alpha and grey between the petal drawn directly and through `pictures`.
    const auto meanDifference
        = [&](PickerPictures& pictures, const FlowerNode& petal, Appearance appearance, double scale) {
              const QImage direct = draw(scale, [&](QPainter& p) {
                  Drawing::paintShadow(
                      p, petal.cardShape(), petal.shadowOpacity(), petal.shadowRadius(), FlowerNode::shadowOffset);
                  petal.paintFace(p, appearance);
              });
              const QImage copied = draw(scale, [&](QPainter& p) { pictures.paintPetal(p, petal, appearance); });
              double sum = 0;
              for (int y = 0; y < direct.height(); ++y) {
                  for (int x = 0; x < direct.width(); ++x) {
                      const QRgb a = direct.pixel(x, y);
                      const QRgb b = copied.pixel(x, y);
                      sum += std::abs(qAlpha(a) - qAlpha(b)) + std::abs(qGray(a) - qGray(b));
                  }
              }
              return sum / (direct.width() * direct.height());
          };
    PickerPictures pictures;
    for (double scale = 0.57; scale < 1.16; scale += 0.037)
        EXPECT_LT(meanDifference(pictures, node, Appearance::light, scale), 3) << "scale " << scale;
    EXPECT_EQ(pictures.petalCount(), 1) << "one picture for every frame";
    EXPECT_LT(meanDifference(pictures, node, Appearance::dark, 0.83), 3);
    EXPECT_EQ(pictures.petalCount(), 2) << "the other appearance draws the face anew";
    node.isSelected = true;
    EXPECT_LT(meanDifference(pictures, node, Appearance::dark, 0.83), 3);
    EXPECT_EQ(pictures.petalCount(), 3) << "the selected petal draws the face anew";
    EXPECT_LT(meanDifference(pictures, node, Appearance::dark, 1.1), 1) << "at rest the face is drawn directly";
    EXPECT_EQ(pictures.petalCount(), 3);
    EXPECT_EQ(pictures.shadowCount(), 2) << "the petals' pictures share a shadow for each selection and scale";
}
