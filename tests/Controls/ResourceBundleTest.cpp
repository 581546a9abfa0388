#include "Tavro/Controls/ResourceBundle.h"
#include "Tavro/Controls/TavroMark.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tavro;

TEST(ResourceBundleTest, TheFirstDirectoryHoldingTheBundleWins)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath("a");
    QDir(root.path()).mkpath("b/Tavro_Tavro.bundle");
    QDir(root.path()).mkpath("c/Tavro_Tavro.bundle");
    const QStringList dirs{root.filePath("missing"), root.filePath("a"), root.filePath("b"), root.filePath("c")};
    const auto found = ResourceBundle::findBundle(dirs);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->absolutePath(), root.filePath("b/Tavro_Tavro.bundle"));
    EXPECT_FALSE(ResourceBundle::findBundle({root.filePath("a")}));
}

TEST(ResourceBundleTest, TheBuildPutsTheBundleBesideTheExecutable)
{
    const auto bundle = ResourceBundle::tavroResources();
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->absolutePath(), QCoreApplication::applicationDirPath() + "/Tavro_Tavro.bundle");
    const auto logo = ResourceBundle::tavroImage("logo", "png");
    ASSERT_TRUE(logo);
    EXPECT_FALSE(logo->isNull());
    // "logo.png" with an empty extension is a key of its own and still finds the file.
    EXPECT_TRUE(ResourceBundle::tavroImage("logo.png", ""));
    EXPECT_FALSE(ResourceBundle::tavroImage("logo", "jpg"));
    // A picture drawn small is decoded small; its size comes from the header alone.
    EXPECT_EQ(ResourceBundle::imageSize("logo", "png"), logo->size());
    const auto small = ResourceBundle::image("logo", "png", QSize(24, 20));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->size(), QSize(24, 20));
    EXPECT_FALSE(ResourceBundle::imageSize("logo", "jpg"));
}

TEST(ResourceBundleTest, AMissIsRememberedForTheLifeOfTheProcess)
{
    const auto bundle = ResourceBundle::tavroResources();
    ASSERT_TRUE(bundle);
    const QString name = "late-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    EXPECT_FALSE(ResourceBundle::tavroImage(name, "png"));
    const QString file = bundle->filePath(name + ".png");
    ASSERT_TRUE(QFile::copy(bundle->filePath("logo.png"), file));
    EXPECT_FALSE(ResourceBundle::tavroImage(name, "png"));
    QFile::remove(file);
}

TEST(ResourceBundleTest, AFileThatIsNoImageGivesNone)
{
    const auto bundle = ResourceBundle::tavroResources();
    ASSERT_TRUE(bundle);
    const QString name = "broken-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QFile file(bundle->filePath(name + ".png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    EXPECT_FALSE(ResourceBundle::tavroImage(name, "png"));
    file.remove();
}

namespace {

// A copy of the logo under a name of its own, so that no other test has drawn it yet.
class DrawnImageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto bundle = ResourceBundle::tavroResources();
        ASSERT_TRUE(bundle);
        file = bundle->filePath(name + ".png");
        ASSERT_TRUE(QFile::copy(bundle->filePath("logo.png"), file));
    }
    void TearDown() override { QFile::remove(file); }

    std::optional<QImage> drawn(int side, const QObject* window = nullptr) const
    {
        return ResourceBundle::drawnImage(name, "png", {QSize(side, side), window});
    }

    const QString name = "copy-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString file;
};

qsizetype bytes(int side)
{
    return qsizetype(side) * side * 4;
}

} // namespace

TEST_F(DrawnImageTest, APictureIsKeptAtTheLargestSizeItIsDrawnAndNoOtherSize)
{
    const qsizetype before = PictureCache::keptBytes();
    // The side asked, the side decoded: in whole steps, one picture at a time, never past the
    // file's 256 pixels.
    const QList<std::pair<int, int>> rows{{24, 32}, {20, 32}, {32, 32}, {100, 112}, {40, 112}, {600, 256}};
    for (const auto& [asked, decoded] : rows) {
        SCOPED_TRACE(asked);
        const auto picture = drawn(asked);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->size(), QSize(decoded, decoded));
        EXPECT_EQ(PictureCache::keptBytes() - before, bytes(decoded));
    }
}

TEST_F(DrawnImageTest, AWindowsPicturesGoWithTheWindow)
{
    ASSERT_TRUE(drawn(48));
    const qsizetype before = PictureCache::keptBytes();
    auto* window = new QWidget;
    EXPECT_EQ(drawn(40, window)->size(), QSize(48, 48)) << "drawn from the process's picture";
    EXPECT_EQ(PictureCache::keptBytes(), before);
    EXPECT_EQ(drawn(200, window)->size(), QSize(208, 208));
    EXPECT_EQ(PictureCache::keptBytes() - before, bytes(208));
    EXPECT_EQ(drawn(64)->size(), QSize(64, 64)) << "the process keeps its own size";
    delete window;
    EXPECT_EQ(PictureCache::keptBytes() - before, bytes(64) - bytes(48));
}

TEST(TavroMarkTest, TheMarkOfAWindowGoesWithTheWindow)
{
    const qsizetype before = PictureCache::keptBytes();
    auto* window = new QWidget;
    new TavroMark(150, window);
    window->grab();
    EXPECT_EQ(PictureCache::keptBytes() - before, bytes(160)) << "decoded at the size it is drawn";
    delete window;
    EXPECT_EQ(PictureCache::keptBytes(), before);
}
