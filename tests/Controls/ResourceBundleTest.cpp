#include "Tavro/Controls/ResourceBundle.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>
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
