#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/PropertyList.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <sys/stat.h>

using namespace tavro;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UserDefaultsFile : public ::testing::Test
{
protected:
    QString preferences(const QString& name) const { return home.filePath("Library/Preferences/" + name); }
    QStringList filesInPreferences() const { return QDir(preferences({})).entryList(QDir::Files, QDir::Name); }

    test::TempHome home;
};

} // namespace

TEST(UserDefaultsTest, DataSurvivesReopeningTheFile)
{
    test::TempHome home;
    const QString path = home.filePath(QStringLiteral("defaults.plist"));
    const QByteArray json = R"({"a":[1,2],"b":"x=y;z\n"})";
    {
        UserDefaults defaults(path);
        EXPECT_FALSE(defaults.data(QStringLiteral("tavro.settings.v1")).has_value());
        EXPECT_TRUE(defaults.setData(QStringLiteral("tavro.settings.v1"), json));
    }
    UserDefaults reopened(path);
    ASSERT_TRUE(reopened.data(QStringLiteral("tavro.settings.v1")).has_value());
    EXPECT_EQ(*reopened.data(QStringLiteral("tavro.settings.v1")), json);
    EXPECT_TRUE(reopened.remove(QStringLiteral("tavro.settings.v1")));
    EXPECT_FALSE(UserDefaults(path).contains(QStringLiteral("tavro.settings.v1")));
}

TEST(UserDefaultsTest, StandardPathFollowsHome)
{
    test::TempHome home;
    EXPECT_EQ(UserDefaults::standardPath(), home.path() + "/Library/Preferences/com.vaskhaldor.Tavro.plist");
}

TEST_F(UserDefaultsFile, EveryValueTypeSurvivesReopeningAsAnOwnerOnlyPropertyList)
{
    QByteArray allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes.append(char(i));
    // Text XML cannot carry as it is comes back as its UTF-8 bytes.
    const QString controlText = QStringLiteral("line\r\nbell\x07 \U0001F310");
    const QList<std::pair<QVariant, QVariant>> cases{
        {QStringLiteral("x=y;z\n\t<&>\"' ]]> \U0001F310"), QStringLiteral("x=y;z\n\t<&>\"' ]]> \U0001F310")},
        {QString(""), QString("")},
        {controlText, controlText.toUtf8()},
        {allBytes, allBytes},
        {true, true},
        {false, false},
        {42, qlonglong(42)},
        {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::min()},
        {std::numeric_limits<quint64>::max(), std::numeric_limits<quint64>::max()},
        {0.1, 0.1},
        {-1.5e300, -1.5e300},
    };
    const QString path = preferences("defaults.plist");
    {
        UserDefaults defaults(path);
        for (qsizetype i = 0; i < cases.size(); ++i)
            EXPECT_TRUE(defaults.setValue(QString::number(i), cases[i].first));
        EXPECT_TRUE(defaults.setValue("gone", "x"));
        EXPECT_TRUE(defaults.setValue("gone", QVariant()));
    }
    UserDefaults reopened(path);
    for (qsizetype i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const QVariant value = reopened.value(QString::number(i));
        EXPECT_EQ(value.metaType(), cases[i].second.metaType());
        EXPECT_EQ(value, cases[i].second);
    }
    EXPECT_FALSE(reopened.contains("gone"));
    const QByteArray file = contents(path);
    EXPECT_TRUE(file.startsWith("<?xml")) << file.left(100).toStdString();
    EXPECT_TRUE(file.contains("<plist version=\"1.0\">\n\t<dict>"));
    EXPECT_EQ(QFile::permissions(path),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
}

TEST_F(UserDefaultsFile, WritesTakeNoLockSoAStaleOneCannotSlowThem)
{
    // An empty lock is what a crash between creating it and writing its owner leaves behind.
    const QString path = UserDefaults::standardPath();
    const QString legacyLock = path.chopped(QStringLiteral(".plist").size()) + ".ini.lock";
    home.writeFile(path.mid(home.path().size() + 1) + ".lock", {});
    home.writeFile(legacyLock.mid(home.path().size() + 1), {});
    const QStringList planted = filesInPreferences();

    UserDefaults defaults(path);
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(defaults.setValue("k", "v"));
    EXPECT_TRUE(defaults.setData("d", "bytes"));
    EXPECT_TRUE(defaults.remove("k"));
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(UserDefaults(path).data("d"), QByteArray("bytes"));
    QStringList expected = planted + QStringList{QFileInfo(path).fileName()};
    expected.sort();
    EXPECT_EQ(filesInPreferences(), expected);
}

TEST_F(UserDefaultsFile, AnUnparseableFileIsKeptByteForByteBeforeTheFirstWrite)
{
    const QByteArray plist = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>k</key>";
    const QList<QByteArray> damaged{
        QByteArrayLiteral("\0\xff not xml at all"),
        plist + "<string>cut off",
        plist + "<array><string>a</string></array></dict></plist>",
        plist + "<date>2024-01-01T00:00:00Z</date></dict></plist>",
        plist + "<integer>twelve</integer></dict></plist>",
        plist + "<data>not*base64</data></dict></plist>",
        plist + "<string>a</string></dict><dict/></plist>",
        "<plist version=\"1.0\"><array/></plist>",
    };
    const QString path = preferences("defaults.plist");
    QStringList kept;
    for (qsizetype i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        home.writeFile(path.mid(home.path().size() + 1), damaged[i]);
        UserDefaults defaults(path);
        EXPECT_FALSE(defaults.contains("k"));
        EXPECT_EQ(contents(path), damaged[i]) << "opening must not touch the file";
        EXPECT_TRUE(defaults.setValue("k", qlonglong(i)));
        kept.append("defaults.plist.unreadable" + (i == 0 ? QString() : "." + QString::number(i + 1)));
        EXPECT_EQ(contents(preferences(kept.last())), damaged[i]);
        EXPECT_EQ(UserDefaults(path).value("k"), qlonglong(i));
    }

    // Damage seen before is not copied again.
    home.writeFile(path.mid(home.path().size() + 1), damaged[2]);
    EXPECT_TRUE(UserDefaults(path).setValue("k", "again"));
    EXPECT_EQ(filesInPreferences(), QStringList(QStringList{"defaults.plist"} + kept));
}

// What can be no settings file at the path: opening the defaults neither waits on it nor reads
// it, and the first write moves it aside, unread, where a damaged file's copy goes.
TEST_F(UserDefaultsFile, APipeADeviceOrAnOutsizedFileIsMovedAsideUnread)
{
    const QString path = preferences("defaults.plist");
    const QByteArray native = QFile::encodeName(path);
    QDir().mkpath(preferences({}));
    const QList<std::pair<const char*, std::function<void()>>> strays{
        {"pipe", [&] { ASSERT_EQ(::mkfifo(native.constData(), 0600), 0); }},
        {"device", [&] { ASSERT_TRUE(QFile::link("/dev/zero", path)); }},
        {"outsized",
            [&] {
                QFile sparse(path);
                ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
                ASSERT_TRUE(sparse.resize(64 * 1024 * 1024));
            }},
    };
    for (qsizetype i = 0; i < strays.size(); ++i) {
        SCOPED_TRACE(strays[i].first);
        strays[i].second();
        struct stat stray;
        ASSERT_EQ(::lstat(native.constData(), &stray), 0);

        UserDefaults defaults(path);
        EXPECT_FALSE(defaults.contains("k"));
        ASSERT_TRUE(defaults.setValue("k", qlonglong(i)));
        const QString kept = "defaults.plist.unreadable" + (i == 0 ? QString() : "." + QString::number(i + 1));
        struct stat moved;
        ASSERT_EQ(::lstat(QFile::encodeName(preferences(kept)).constData(), &moved), 0);
        EXPECT_EQ(moved.st_ino, stray.st_ino) << "moved, not copied";
        EXPECT_EQ(UserDefaults(path).value("k"), qlonglong(i));
        ASSERT_TRUE(QFile::remove(path));
    }
}

// A record of many runs of base64: written as one text, and read back whether it is wrapped in
// lines or broken by a comment, with its padding at the end; padding or a bad character before
// the end fails the file as a short one does.
TEST_F(UserDefaultsFile, ALargeDataValueIsOneBase64TextEitherWay)
{
    QByteArray record(300 * 1024 + 1, '\0');
    for (qsizetype i = 0; i < record.size(); ++i)
        record[i] = char(i * 7 % 251);
    const QString path = preferences("defaults.plist");
    EXPECT_TRUE(UserDefaults(path).setData("d", record));
    const QByteArray base64 = record.toBase64();
    ASSERT_TRUE(contents(path).contains("<data>" + base64 + "</data>"));
    EXPECT_EQ(UserDefaults(path).data("d"), record);

    QByteArray wrapped;
    for (qsizetype i = 0; i < base64.size(); i += 68)
        wrapped += "\n\t" + base64.mid(i, 68) + (i == 68 * 1000 ? "<!-- here -->" : "");
    const QByteArray plist = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>d</key><data>";
    home.writeFile("Library/Preferences/wrapped.plist", plist + wrapped + "\n</data></dict></plist>");
    EXPECT_EQ(UserDefaults(preferences("wrapped.plist")).data("d"), record);

    const qsizetype middle = base64.size() / 2 / 4 * 4;
    for (const QByteArray& damaged :
        {QByteArray(base64).insert(middle, "===="), QByteArray(base64).insert(middle, "*")}) {
        home.writeFile("Library/Preferences/damaged.plist", plist + damaged + "</data></dict></plist>");
        EXPECT_FALSE(UserDefaults(preferences("damaged.plist")).contains("d"));
    }
}

TEST_F(UserDefaultsFile, AnOldIniFileIsReadOnceAndLeftAsItWas)
{
    const QByteArray ini = "[General]\n"
                           "record=\"@ByteArray({\\\"a\\\":1})\"\n"
                           "plain=hello\n"
                           "list={\"mode\":\"x\",\"on\":true}\n"
                           "broken=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x3zzz)\n"
                           "[com.vaskhaldor.Tavro]\n"
                           "registered=true\n";
    const QString iniPath = home.writeFile("Library/Preferences/defaults.ini", ini);
    const QString path = preferences("defaults.plist");
    {
        UserDefaults defaults(path);
        EXPECT_EQ(defaults.data("record"), QByteArray(R"({"a":1})"));
        EXPECT_EQ(defaults.value("plain"), QStringLiteral("hello"));
        EXPECT_TRUE(defaults.value("com.vaskhaldor.Tavro/registered").toBool());
        EXPECT_FALSE(defaults.contains("list"));
        EXPECT_EQ(defaults.unreadableValue("list"), QByteArray(R"({"mode":"x","on":true})"));
        EXPECT_EQ(defaults.unreadableValue("broken"), QByteArray(R"(@Variant(\0\0\0\x7f\0\0\0\x3zzz))"));
        EXPECT_FALSE(QFileInfo::exists(path));

        EXPECT_TRUE(defaults.setValue("list", "replaced"));
        EXPECT_FALSE(defaults.unreadableValue("list"));
    }
    EXPECT_EQ(contents(iniPath), ini);
    EXPECT_EQ(filesInPreferences(), QStringList({"defaults.ini", "defaults.plist"}));
    UserDefaults reopened(path);
    EXPECT_EQ(reopened.value("list"), QStringLiteral("replaced"));
    EXPECT_EQ(reopened.data("record"), QByteArray(R"({"a":1})"));
    EXPECT_TRUE(reopened.value("com.vaskhaldor.Tavro/registered").toBool());
}

// An application's Info.plist holds more than defaults do: arrays, nested dictionaries, dates.
TEST(PropertyListTest, ReadsEveryKindOfValueAnInfoPlistHolds)
{
    const auto plist = PropertyList::parse("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                                           "<key>CFBundleURLTypes</key><array><dict><key>CFBundleURLSchemes</key>"
                                           "<array><string>https</string></array></dict></array>"
                                           "<key>LSMinimumSystemVersion</key><integer>12</integer>"
                                           "<key>Built</key><date>2024-01-02T03:04:05Z</date>"
                                           "<key>LSUIElement</key><true/></dict></plist>");
    ASSERT_TRUE(plist);
    const QVariantMap urlType = plist->value("CFBundleURLTypes").toList().value(0).toMap();
    EXPECT_EQ(urlType.value("CFBundleURLSchemes").toList(), QVariantList{QStringLiteral("https")});
    EXPECT_EQ(plist->value("LSMinimumSystemVersion"), qlonglong(12));
    EXPECT_EQ(plist->value("Built").toDateTime(), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), Qt::UTC));
    EXPECT_EQ(plist->value("LSUIElement"), true);
    EXPECT_FALSE(PropertyList::parse("<plist><dict><key>a</key><array><string>b</array></dict></plist>"));
}

TEST(NotificationCenterTest, PostReachesObserversBeforeReturning)
{
    NotificationCenter center;
    QString seen;
    QObject::connect(&center, &NotificationCenter::posted, [&](const QString& name, const QVariant&) { seen = name; });
    center.post(QStringLiteral("tavro.settingsChanged"));
    EXPECT_EQ(seen, QStringLiteral("tavro.settingsChanged"));
}
