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
#include <optional>

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

// `centre` moved so that `corner`, drawn at `scale` around it, falls on a whole device pixel: where a
// picture copied pixel for pixel puts what it shows.
QPointF snapped(QPointF centre, double ratio, double scale, QPointF corner)
{
    const QPointF device = (centre + corner * scale) * ratio;
    return centre + (QPointF(qRound(device.x()), qRound(device.y())) - device) / ratio;
}

// The largest difference of a pixel's alpha or grey between the card's shadow drawn stroke by
// stroke, around `directCentre`, and drawn through `cache` around `centre`.
int worstDifferenceFromDirect(
    PickerPictures& cache, double ratio, QPointF centre, double scale, std::optional<QPointF> directCentre = {})
{
    const QImage direct = drawnShadow(ratio, directCentre.value_or(centre), scale, [](QPainter& p) {
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

// The scales a petal grows open through, none within a hundredth of a whole tenth.
QList<double> scalesOnTheMove()
{
    QList<double> scales;
    for (double scale = 0.57; scale < 1.16; scale += 0.04)
        scales.append(scale);
    return scales;
}

} // namespace

// A shadow at rest is the shadow drawn stroke by stroke, moved to the nearest device pixel, wherever it
// is drawn: one picture at each scale and density serves every shape of the same look, and a spring
// settling within half a pixel of a scale takes the picture at that scale.
TEST(PickerPicturesTest, DrawsTheShadowDrawnDirectlyFromOnePictureALook)
{
    PickerPictures cache;
    const QPointF corner = shadowedCard.boundingRect().topLeft();
    for (const auto& [ratio, scale] : {std::pair{1.0, 1.0}, {1.0, 1.1}, {2.0, 1.0}}) {
        for (const QPointF centre : {QPointF(70, 70), QPointF(180.4, 74.7)}) {
            EXPECT_LE(worstDifferenceFromDirect(cache, ratio, centre, scale, snapped(centre, ratio, scale, corner)), 2)
                << "ratio " << ratio << ", scale " << scale << ", at " << centre.x();
        }
    }
    EXPECT_EQ(cache.shadowCount(), 3) << "one picture for each scale and density";
    drawnShadow(1, QPointF(150, 90), 1, [&](QPainter& p) { cache.paintShadow(p, shadowedCard, 0.3, 15, {0, 5}); });
    EXPECT_EQ(cache.shadowCount(), 3) << "a card elsewhere takes the picture there is";
    const QPointF settling(120.2, 60.6);
    EXPECT_LE(worstDifferenceFromDirect(cache, 1, settling, 1.002, snapped(settling, 1, 1.002, corner)), 12);
    EXPECT_EQ(cache.shadowCount(), 3) << "a shadow all but at rest takes the picture at rest";
}

// The frames of a petal growing open, each at a scale and a place of its own, copy one picture of
// the look at each density, and still show the shadow drawn stroke by stroke.
TEST(PickerPicturesTest, AShadowOnTheMoveIsDrawnOnceForAllItsFrames)
{
    PickerPictures cache;
    for (const double ratio : {1.0, 2.0}) {
        for (const double scale : scalesOnTheMove()) {
            const QPointF centre(100 + 20 * scale, 70 + 3.3 * scale);
            // Copied smaller: at the steepest edge of the shadow, under the card, a pixel may differ by a little.
            EXPECT_LE(worstDifferenceFromDirect(cache, ratio, centre, scale), 12)
                << "ratio " << ratio << ", scale " << scale;
        }
    }
    EXPECT_EQ(cache.shadowCount(), 2) << "one picture of the look for each density";
}

// A petal growing open copies one picture of its face over its shadow, which shows the two drawn
// directly; another appearance or selection draws a picture of its own. At rest, or all but, the petal
// is its face drawn directly, moved to the nearest pixel, copied from a picture at its scale.
TEST(PickerPicturesTest, APetalOnTheMoveIsDrawnOnceForAllItsFrames)
{
    FlowerNode node;
    node.destination = test::destination(QStringLiteral("Work"));
    node.hotkey = QStringLiteral("1");
    node.isLastUsed = true;
    const QPointF centre(100.3, 75.6);
    const auto draw = [](QPointF at, double scale, const std::function<void(QPainter&)>& face) {
        QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(at);
        painter.scale(scale, scale);
        face(painter);
        return image;
    };
    // The mean difference of a pixel's alpha and grey between the petal drawn directly around
    // `directCentre` and through `pictures` around `centre`.
    const auto meanDifference = [&](PickerPictures& pictures, const FlowerNode& petal, Appearance appearance,
                                    double scale, std::optional<QPointF> directCentre = {}) {
        const QImage direct = draw(directCentre.value_or(centre), scale, [&](QPainter& p) {
            Drawing::paintShadow(
                p, petal.cardShape(), petal.shadowOpacity(), petal.shadowRadius(), FlowerNode::shadowOffset);
            petal.paintFace(p, appearance);
        });
        const QImage copied = draw(centre, scale, [&](QPainter& p) { pictures.paintPetal(p, petal, appearance); });
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
    for (const double scale : scalesOnTheMove())
        EXPECT_LT(meanDifference(pictures, node, Appearance::light, scale), 3) << "scale " << scale;
    EXPECT_EQ(pictures.petalCount(), 1) << "one picture for every frame";
    EXPECT_LT(meanDifference(pictures, node, Appearance::dark, 0.83), 3);
    EXPECT_EQ(pictures.petalCount(), 2) << "the other appearance draws the face anew";
    node.isSelected = true;
    EXPECT_LT(meanDifference(pictures, node, Appearance::dark, 0.83), 3);
    EXPECT_EQ(pictures.petalCount(), 3) << "the selected petal draws the face anew";
    const QPointF corner = node.bounds().topLeft();
    EXPECT_LT(meanDifference(pictures, node, Appearance::dark, 1.1, snapped(centre, 1, 1.1, corner)), 0.5)
        << "at rest the face is the face drawn directly";
    EXPECT_EQ(pictures.petalCount(), 4) << "a picture at the scale at rest";
    EXPECT_LT(meanDifference(pictures, node, Appearance::dark, 1.1015, snapped(centre, 1, 1.1015, corner)), 1);
    EXPECT_EQ(pictures.petalCount(), 4) << "a spring all but at rest takes the picture at rest";
    EXPECT_EQ(pictures.shadowCount(), 3) << "the petals' pictures share a shadow for each selection and scale";
}
