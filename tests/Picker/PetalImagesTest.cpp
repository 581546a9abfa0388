#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Controls/PictureCache.h"
#include "Tavro/Controls/ProfilePhoto.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/NodeGlyph.h"
#include "Tavro/Picker/ProfileNodeImage.h"
#include "tests/Picker/PickerFixtures.h"
#include "tests/Support/Pixels.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QUuid>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

using test::png;

// An application bundle under ~/Applications with a red PNG as its icon.
void installApp(const test::TempHome& home, const QString& name, const QString& bundleIdentifier, int iconSide = 16)
{
    const QString contents = "Applications/" + name + ".app/Contents/";
    home.writeFile(contents + "Info.plist",
        QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
<key>CFBundleIdentifier</key><string>%1</string>
<key>CFBundleExecutable</key><string>%2</string>
<key>CFBundleIconFile</key><string>icon.png</string>
</dict></plist>)")
            .arg(bundleIdentifier, name)
            .toUtf8());
    home.writeFile(contents + "Resources/icon.png", png(Qt::red, iconSide));
}

QString uniqueId()
{
    return "org.example." + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

TEST(BrowserIconTest, AnIconFoundStaysAndAMissIsLookedUpAgain)
{
    test::TempHome home;
    const QString id = uniqueId();
    EXPECT_FALSE(BrowserIcon::icon(id));
    installApp(home, "Example", id);
    const auto icon = BrowserIcon::icon(id);
    ASSERT_TRUE(icon) << "a miss is not remembered";
    EXPECT_EQ(icon->pixelColor(icon->width() / 2, icon->height() / 2), QColor(Qt::red));
    QDir(home.filePath("Applications")).removeRecursively();
    EXPECT_TRUE(BrowserIcon::icon(id)) << "a found icon stays for the life of the process";
}

TEST(BrowserIconTest, AnIconIsDecodedAtTheSizeItIsDrawnOnly)
{
    test::TempHome home;
    const QString id = uniqueId();
    installApp(home, "Large", id, 512);
    // Points asked, pixels decoded: in whole steps, and a larger size replaces the smaller.
    const qsizetype before = PictureCache::keptBytes();
    for (const auto& [points, pixels] : QList<std::pair<double, int>>{{15, 16}, {34, 48}, {20, 48}}) {
        SCOPED_TRACE(points);
        const auto icon = BrowserIcon::icon(id, points);
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->size(), QSize(pixels, pixels));
        EXPECT_EQ(PictureCache::keptBytes() - before, pixels * pixels * 4);
    }
}

TEST(BrowserIconTest, ABundleWithoutAnIconGetsTheGenericApplicationIconAndKeepsIt)
{
    test::TempHome home;
    const QString id = uniqueId();
    home.writeFile("Applications/Plain.app/Contents/Info.plist",
        QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>CFBundleIdentifier</key><string>%1</string></dict></plist>)")
            .arg(id)
            .toUtf8());
    const auto icon = BrowserIcon::icon(id);
    ASSERT_TRUE(icon) << "an installed application always has an icon";
    EXPECT_NE(icon->pixelColor(icon->width() / 2, icon->height() * 3 / 24).alpha(), 0) << "the generic icon's frame";
    // Filled, where an empty outline would read as a check box beside the real one.
    EXPECT_EQ(icon->pixelColor(icon->width() / 7, icon->height() / 2).alpha(), 255) << "a filled tile";
    EXPECT_EQ(icon->pixelColor(icon->width() / 2, icon->height() * 3 / 4).alpha(), 255) << "a window on it";
    QDir(home.filePath("Applications")).removeRecursively();
    EXPECT_TRUE(BrowserIcon::icon(id)) << "kept, so each animation frame does not look it up again";
}

TEST(BrowserIconTest, AMissingBrowserIsDrawnAsTheGlobe)
{
    test::TempHome home;
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        BrowserIcon::paint(painter, QRectF(0, 0, 40, 40), uniqueId(), appearance);
        painter.end();
        // The globe takes 80 % of the square, so the border stays clear, and it is drawn in chainDark.
        EXPECT_EQ(image.pixelColor(1, 20).alpha(), 0);
        EXPECT_EQ(image.pixelColor(20, 20).rgb(), Brand::chainDark.color(appearance == Appearance::dark).rgb());
    }
}

class ProfilePhotoTest : public testing::Test
{
protected:
    QString path(const QString& name) const { return home.filePath(name); }
    test::TempHome home;
};

TEST_F(ProfilePhotoTest, AFailureIsRememberedUntilTheNextScan)
{
    const QString file = path("late.png");
    EXPECT_FALSE(ProfilePhoto::image(file));
    home.writeFile("late.png", png(Qt::blue));
    EXPECT_FALSE(ProfilePhoto::image(file)) << "not read again before the failures are dropped";
    ProfilePhoto::invalidateFailures();
    ASSERT_TRUE(ProfilePhoto::image(file));
    QFile::remove(file);
    ProfilePhoto::invalidateFailures();
    EXPECT_TRUE(ProfilePhoto::image(file)) << "a loaded photo stays cached under its path";
}

TEST_F(ProfilePhotoTest, APhotoIsDecodedToFillTheCircleItIsDrawnIn)
{
    QImage wide(512, 256, QImage::Format_ARGB32);
    wide.fill(Qt::green);
    ASSERT_TRUE(wide.save(path("wide.png")));
    EXPECT_EQ(ProfilePhoto::image(path("wide.png")), QSize(512, 256)) << "read from the header";
    const qsizetype before = PictureCache::keptBytes();
    QImage image(30, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    EXPECT_TRUE(ProfilePhoto::paint(painter, QRectF(0, 0, 30, 30), path("wide.png"), Appearance::light));
    painter.end();
    EXPECT_EQ(PictureCache::keptBytes() - before, 64 * 32 * 4) << "its shorter side fills the 32-pixel step";
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::green));
}

TEST_F(ProfilePhotoTest, AFileThatIsNoPictureFails)
{
    home.writeFile("broken.png", "not a picture");
    EXPECT_FALSE(ProfilePhoto::image(path("broken.png")));
}

TEST_F(ProfilePhotoTest, GlyphsPreferAPhotoThatLoadsThenTheEmoji)
{
    home.writeFile("photo.png", png(Qt::green));
    auto d = test::destination("Work");
    EXPECT_FALSE(NodeGlyph::isResolvable(d));

    d.profilePhotoPath = path("missing.png");
    EXPECT_FALSE(NodeGlyph::isResolvable(d)) << "a photo that does not load is no glyph";
    d.profileEmoji = QStringLiteral("🚀");
    EXPECT_TRUE(NodeGlyph::isResolvable(d)) << "it falls back to the emoji";

    d.profileEmoji = QString();
    EXPECT_TRUE(NodeGlyph::isResolvable(d)) << "an empty emoji still counts";

    d.profileEmoji.reset();
    d.profilePhotoPath = path("photo.png");
    EXPECT_TRUE(NodeGlyph::isResolvable(d));
    d.preferEmojiOverPhoto = true;
    EXPECT_FALSE(NodeGlyph::isResolvable(d)) << "preferring the emoji without one shows nothing";
}

TEST_F(ProfilePhotoTest, APhotoIsDrawnAsACircle)
{
    home.writeFile("photo.png", png(Qt::green, 64));
    QImage image(30, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    EXPECT_TRUE(ProfilePhoto::paint(painter, QRectF(0, 0, 30, 30), path("photo.png"), Appearance::light));
    EXPECT_FALSE(ProfilePhoto::paint(painter, QRectF(0, 0, 30, 30), path("none.png"), Appearance::light));
    painter.end();
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(1, 1).alpha(), 0) << "the corners are cut away";
}

TEST_F(ProfilePhotoTest, BesideTheIconTheGlyphTakesRoomCentreAndCornersDoNot)
{
    auto d = test::destination("Work");
    EXPECT_EQ(ProfileNodeImage(d, EmojiPosition::besideIcon, 30).size(), QSizeF(30, 30));
    d.profileEmoji = QStringLiteral("🚀");
    EXPECT_EQ(ProfileNodeImage(d, EmojiPosition::besideIcon, 30).size(), QSizeF(0.73 * 30 + 6 + 30, 30));
    for (const auto position : {EmojiPosition::center, EmojiPosition::bottomLeft, EmojiPosition::bottomRight})
        EXPECT_EQ(ProfileNodeImage(d, position, 30).size(), QSizeF(30, 30));
}
