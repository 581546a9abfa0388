#include "Tavro/Discovery/ChromiumProfileDiscovery.h"
#include "Tavro/Platform/RealFileSystem.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QDir>

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tavro;

namespace {

const QString subpath = QStringLiteral("Google/Chrome");

struct LocalStateCase
{
    const char* name;
    QByteArray localState;
    QStringList profileFolders; // folders that exist in the user-data folder
    QStringList pictures;       // "<folder>/<file>" pictures that exist
    // "id|name|picture file or empty", in order
    QStringList expected;

    friend void PrintTo(const LocalStateCase& c, std::ostream* os) { *os << c.name; }
};

class LocalStateTest : public ::testing::TestWithParam<LocalStateCase>
{
protected:
    QString dataDir() const { return home.filePath(QStringLiteral("Library/Application Support/") + subpath); }

    test::TempHome home;
    RealFileSystem fs;
};

TEST_P(LocalStateTest, ListsProfiles)
{
    const LocalStateCase& c = GetParam();
    home.writeFile(
        QStringLiteral("Library/Application Support/") + subpath + QStringLiteral("/Local State"), c.localState);
    for (const QString& folder : c.profileFolders)
        QDir().mkpath(dataDir() + QLatin1Char('/') + folder);
    for (const QString& picture : c.pictures)
        home.writeFile(QStringLiteral("Library/Application Support/") + subpath + QLatin1Char('/') + picture, "png");

    const auto profiles = ChromiumProfileDiscovery::profiles(dataDir(), fs);
    ASSERT_TRUE(profiles.has_value());
    QStringList got;
    for (const DiscoveredProfile& p : *profiles) {
        QString photo;
        if (p.photoPath) {
            EXPECT_TRUE(p.photoPath->startsWith(dataDir() + QLatin1Char('/') + p.id + QLatin1Char('/')));
            photo = p.photoPath->section(QLatin1Char('/'), -1);
        }
        got.append(p.id + QLatin1Char('|') + p.displayName + QLatin1Char('|') + photo);
    }
    EXPECT_EQ(got, c.expected);
}

const QStringList threeFolders{QStringLiteral("Default"), QStringLiteral("Profile 1"), QStringLiteral("Profile 2")};

INSTANTIATE_TEST_SUITE_P(Cases, LocalStateTest,
    ::testing::Values(LocalStateCase{"OrderFirstThenSortedKeys",
                          R"({"profile":{"profiles_order":["Profile 2"],"info_cache":{
                "Profile 1":{"name":"Work"},"Default":{"name":"Personal"},"Profile 2":{"name":"Kids"}}}})",
                          threeFolders, {}, {"Profile 2|Kids|", "Default|Personal|", "Profile 1|Work|"}},
        LocalStateCase{"NoOrderSortsAsPlainStrings",
            R"({"profile":{"info_cache":{"Profile 2":{},"Profile 10":{},"Default":{},"Profile 1":{}}}})",
            {"Default", "Profile 1", "Profile 10", "Profile 2"}, {},
            {"Default|Default|", "Profile 1|Profile 1|", "Profile 10|Profile 10|", "Profile 2|Profile 2|"}},
        LocalStateCase{"OrderOfOtherTypesIsIgnored",
            R"({"profile":{"profiles_order":["Profile 1",3],"info_cache":{"Profile 1":{},"Default":{}}}})",
            threeFolders, {}, {"Default|Default|", "Profile 1|Profile 1|"}},
        LocalStateCase{"OrderedKeyMissingFromCacheIsSkipped",
            R"({"profile":{"profiles_order":["Gone","Profile 1","Profile 1"],"info_cache":{
                "Profile 1":{"name":"A"},"Default":{"name":"B"}}}})",
            threeFolders, {}, {"Profile 1|A|", "Default|B|"}},
        LocalStateCase{"ProfileWithoutFolderIsLeftOut",
            R"({"profile":{"info_cache":{"Default":{"name":"A"},"Profile 9":{"name":"Deleted"}}}})", threeFolders, {},
            {"Default|A|"}},
        LocalStateCase{"EmptyOrNonStringNameFallsBackToFolder",
            R"({"profile":{"info_cache":{"Default":{"name":""},"Profile 1":{"name":7}}}})", threeFolders, {},
            {"Default|Default|", "Profile 1|Profile 1|"}},
        LocalStateCase{"PictureOnlyWhenTheFileExists",
            R"({"profile":{"info_cache":{
                "Default":{"name":"A","gaia_picture_file_name":"Google Profile Picture.png"},
                "Profile 1":{"name":"B","gaia_picture_file_name":"missing.png"},
                "Profile 2":{"name":"C","gaia_picture_file_name":""}}}})",
            threeFolders, {"Default/Google Profile Picture.png"},
            {"Default|A|Google Profile Picture.png", "Profile 1|B|", "Profile 2|C|"}},
        LocalStateCase{"EmptyCacheHasNoProfiles", R"({"profile":{"info_cache":{}}})", threeFolders, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

class ChromiumProfileDiscoveryTest : public ::testing::Test
{
protected:
    QString dataDir() const { return home.filePath(QStringLiteral("Library/Application Support/") + subpath); }

    test::TempHome home;
    RealFileSystem fs;
};

TEST_F(ChromiumProfileDiscoveryTest, NoSubpathOrNoFileMeansNoProfiles)
{
    const auto noSubpath = ChromiumProfileDiscovery::profiles(std::nullopt, fs);
    ASSERT_TRUE(noSubpath.has_value());
    EXPECT_TRUE(noSubpath->isEmpty());
    const auto noFile = ChromiumProfileDiscovery::profiles(dataDir(), fs);
    ASSERT_TRUE(noFile.has_value());
    EXPECT_TRUE(noFile->isEmpty());
}

// A browser rewriting its "Local State" can be caught half-way, and a file of another shape is not
// the browser's: neither is a browser without profiles, and neither must read as one.
TEST_F(ChromiumProfileDiscoveryTest, UnparsableFileIsAnError)
{
    const QString relative = QStringLiteral("Library/Application Support/") + subpath + QStringLiteral("/Local State");
    for (const QString& folder : threeFolders)
        QDir().mkpath(dataDir() + QLatin1Char('/') + folder);
    for (const QByteArray& bytes : {QByteArray(R"({"profile":{"info_cache":{"Default":{"na)"), QByteArray(),
             QByteArray("[1,2]"), QByteArray("\"text\""), QByteArray("{}"), QByteArray(R"({"browser":{}})"),
             QByteArray(R"({"profile":[]})"), QByteArray(R"({"profile":"x"})"), QByteArray(R"({"profile":null})"),
             QByteArray(R"({"profile":{"profiles_order":["Default"]}})"),
             QByteArray(R"({"profile":{"info_cache":[]}})"), QByteArray(R"({"profile":{"info_cache":"x"}})"),
             QByteArray(R"({"profile":{"profiles_order":["Default"],"info_cache":{"Default":"x","Profile 1":{}}}})"),
             QByteArray(R"({"profile":{"info_cache":{"Default":{"name":"A"},"Profile 1":7}}})")}) {
        home.writeFile(relative, bytes);
        const auto profiles = ChromiumProfileDiscovery::profiles(dataDir(), fs);
        ASSERT_FALSE(profiles.has_value()) << bytes.constData();
        EXPECT_EQ(profiles.error(), ProfileDataError::malformed);
    }
    // What stands where the file should be but gives no bytes: a folder, a named pipe, which must
    // not hold the read, and a file larger than any the browser writes (sparse, costing no disk).
    const QString path = home.filePath(relative);
    const struct
    {
        const char* name;
        std::function<bool()> putInPlace;
    } others[] = {
        {"folder", [&] { return QDir().mkpath(path); }},
        {"named pipe", [&] { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }},
        {"huge file",
            [&] {
                home.writeFile(relative, {});
                return QFile::resize(path, RealFileSystem::maximumFileSize + 1);
            }},
    };
    for (const auto& other : others) {
        QFile::remove(path);
        QDir().rmdir(path);
        ASSERT_TRUE(other.putInPlace()) << other.name;
        const auto profiles = ChromiumProfileDiscovery::profiles(dataDir(), fs);
        ASSERT_FALSE(profiles.has_value()) << other.name;
        EXPECT_EQ(profiles.error(), ProfileDataError::unreadable) << other.name;
    }
}

} // namespace
