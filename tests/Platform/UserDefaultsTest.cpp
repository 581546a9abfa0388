#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "tests/Support/TempHome.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tavro;

TEST(UserDefaultsTest, DataSurvivesReopeningTheFile)
{
    test::TempHome home;
    const QString path = home.filePath(QStringLiteral("defaults.ini"));
    const QByteArray json = R"({"a":[1,2],"b":"x=y;z\n"})";
    {
        UserDefaults defaults(path);
        EXPECT_FALSE(defaults.data(QStringLiteral("tavro.settings.v1")).has_value());
        defaults.setData(QStringLiteral("tavro.settings.v1"), json);
    }
    UserDefaults reopened(path);
    ASSERT_TRUE(reopened.data(QStringLiteral("tavro.settings.v1")).has_value());
    EXPECT_EQ(*reopened.data(QStringLiteral("tavro.settings.v1")), json);
    reopened.remove(QStringLiteral("tavro.settings.v1"));
    EXPECT_FALSE(UserDefaults(path).contains(QStringLiteral("tavro.settings.v1")));
}

TEST(UserDefaultsTest, StandardPathFollowsHome)
{
    test::TempHome home;
    EXPECT_EQ(UserDefaults::standardPath(), home.path() + "/Library/Preferences/com.vaskhaldor.Tavro.ini");
}

TEST(NotificationCenterTest, PostReachesObserversBeforeReturning)
{
    NotificationCenter center;
    QString seen;
    QObject::connect(&center, &NotificationCenter::posted, [&](const QString& name, const QVariant&) { seen = name; });
    center.post(QStringLiteral("tavro.settingsChanged"));
    EXPECT_EQ(seen, QStringLiteral("tavro.settingsChanged"));
}
