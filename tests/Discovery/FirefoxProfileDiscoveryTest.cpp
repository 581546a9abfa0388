#include "Tavro/Discovery/FirefoxProfileDiscovery.h"
#include "Tavro/Discovery/SQLiteFirefoxProfileStore.h"
#include "Tavro/Platform/RealFileSystem.h"
#include "tests/Discovery/SqliteFixture.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tavro;
using FirefoxProfileDiscovery::IniSection;

namespace {

// The permission bits of a file or folder.
mode_t mode(const QString& path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

std::optional<QString> s(const char* text)
{
    return QString::fromUtf8(text);
}

struct IniCase
{
    const char* name;
    QString ini;
    QList<IniSection> expected;

    friend void PrintTo(const IniCase& c, std::ostream* os) { *os << c.name; }
};

class ParseSectionsTest : public ::testing::TestWithParam<IniCase>
{ };

TEST_P(ParseSectionsTest, Parses)
{
    EXPECT_EQ(FirefoxProfileDiscovery::parseSections(GetParam().ini), GetParam().expected);
}

const QList<IniSection> oneProfile{{s("default"), s("Profiles/abc.default"), std::nullopt}};

INSTANTIATE_TEST_SUITE_P(Cases, ParseSectionsTest,
    ::testing::Values(
        IniCase{"SingleProfile", "[Profile0]\nName=default\nIsRelative=1\nPath=Profiles/abc.default\n", oneProfile},
        IniCase{"CarriageReturnLineFeed", "[Profile0]\r\nName=default\r\nPath=Profiles/abc.default\r\n", oneProfile},
        IniCase{"CarriageReturnAlone", "[Profile0]\rName=default\rPath=Profiles/abc.default", oneProfile},
        IniCase{"OtherLineBreaks",
            QString::fromUtf8("[Profile0]\vName=default\fPath=Profiles/abc.default\u2028[General]\u0085X=1\u2029"),
            oneProfile},
        IniCase{"SpacesAroundKeysValuesAndHeaders",
            "  \t[Profile0]  \n name = default \t\n\tPath\t=\tProfiles/abc.default", oneProfile},
        IniCase{"KeysIgnoreCaseAndRepeatsOverwrite",
            "[profile7]\nNAME=first\nname=default\npath=Profiles/abc.default\n", oneProfile},
        IniCase{"OnlyProfileHeadersOpenSections",
            "[General]\nName=general\n[Install4F96D1932A9F858E]\nDefault=Profiles/abc.default\nName=install\n"
            "[Profile0]\nName=default\nPath=Profiles/abc.default\n[BackgroundTasksProfiles]\nName=bg\n",
            oneProfile},
        IniCase{"EmptySectionsAreKept", "[Profile0]\n[Profile1]\nStoreID=a1b2\n",
            {{std::nullopt, std::nullopt, std::nullopt}, {std::nullopt, std::nullopt, s("a1b2")}}},
        IniCase{"ValueKeepsLaterEquals", "[Profile0]\nName=a=b\n", {{s("a=b"), std::nullopt, std::nullopt}}},
        IniCase{"LinesWithoutEqualsAndCommentsAreIgnored", "[Profile0]\n; Name=commented\nName\nName=x\n",
            {{s("x"), std::nullopt, std::nullopt}}},
        IniCase{"EmptyValueIsPresent", "[Profile0]\nName=\nStoreID=\n", {{s(""), std::nullopt, s("")}}},
        IniCase{"NoSections", "Name=x\n", {}}, IniCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The real store reader, counting the stores it is asked for.
class CountingStore : public FirefoxProfileStoreReading
{
public:
    std::expected<QList<FirefoxStoreProfile>, ProfileDataError> profiles(const QString& storePath) const override
    {
        asked.append(storePath);
        return real.profiles(storePath);
    }

    SQLiteFirefoxProfileStore real;
    mutable QStringList asked;
};

class FirefoxProfileDiscoveryTest : public ::testing::Test
{
protected:
    FirefoxProfileDiscoveryTest() { qputenv("TMPDIR", tmp.path().toUtf8()); }
    ~FirefoxProfileDiscoveryTest() override { qunsetenv("TMPDIR"); }

    QString root() const { return home.filePath(QStringLiteral("Library/Application Support/Firefox")); }

    QString storePath(const QString& id) const
    {
        return root() + QStringLiteral("/Profile Groups/") + id + QStringLiteral(".sqlite");
    }

    // A profile-group store with these (path, name) rows, inserted in reverse id order.
    void writeStore(const QString& id, const QList<std::pair<const char*, const char*>>& rows)
    {
        QDir().mkpath(root() + QStringLiteral("/Profile Groups"));
        test::SqliteDatabase db(storePath(id));
        db.exec("CREATE TABLE Profiles (id INTEGER PRIMARY KEY, path TEXT, name TEXT, avatar TEXT)");
        for (qsizetype i = rows.size() - 1; i >= 0; --i) {
            db.exec(QByteArray("INSERT INTO Profiles (id, path, name) VALUES (") + QByteArray::number(i + 1) + ", "
                + (rows[i].first ? "'" + QByteArray(rows[i].first) + "'" : QByteArray("NULL")) + ", "
                + (rows[i].second ? "'" + QByteArray(rows[i].second) + "'" : QByteArray("NULL")) + ")");
        }
    }

    QList<DiscoveredFirefoxProfile> resolve(const QString& ini)
    {
        auto result = FirefoxProfileDiscovery::resolve(FirefoxProfileDiscovery::parseSections(ini), root(), store);
        EXPECT_FALSE(result.error.has_value());
        return result.profiles;
    }

    QStringList leftoverSnapshots() const
    {
        return QDir(tmp.path()).entryList({QStringLiteral("tavro-ffstore-*")}, QDir::AllEntries | QDir::Hidden);
    }

    test::TempHome home;
    QTemporaryDir tmp;
    RealFileSystem fs;
    CountingStore store;
};

TEST_F(FirefoxProfileDiscoveryTest, SectionsBecomeNamedProfiles)
{
    const auto profiles = resolve("[Profile0]\nName=default\nPath=Profiles/abc.default\n"
                                  "[Profile1]\nPath=Profiles/nameless\n"
                                  "[Profile2]\nName=Work\n"
                                  "[Profile3]\nName=Copy\nPath=Profiles/abc.default\n"
                                  "[Profile4]\nName=Twin\nPath=Profiles/t1\n"
                                  "[Profile5]\nName=Twin\nPath=/elsewhere/t2\n"
                                  "[Profile6]\nName=twin\nPath=Profiles/t3\n");
    // "-P Twin" would open one twin alone: the twins are opened by their folders.
    const QList<DiscoveredFirefoxProfile> expected{
        {"Profiles/abc.default", "default", LaunchStrategy::firefoxProfile("default")},
        {"Work", "Work", LaunchStrategy::firefoxProfile("Work")},
        {"Profiles/t1", "Twin", LaunchStrategy::firefoxProfilePath(root() + "/Profiles/t1")},
        {"/elsewhere/t2", "Twin", LaunchStrategy::firefoxProfilePath("/elsewhere/t2")},
        {"Profiles/t3", "twin", LaunchStrategy::firefoxProfilePath(root() + "/Profiles/t3")},
    };
    EXPECT_EQ(profiles, expected);
    EXPECT_TRUE(store.asked.isEmpty());
}

TEST_F(FirefoxProfileDiscoveryTest, StoreRowsReplaceTheirSection)
{
    writeStore("a1b2",
        {{"Profiles/work.default", "Work"}, {"/Users/x/elsewhere", "Away"}, {"", "No path"}, {nullptr, "Null path"},
            {"Profiles/nameless", nullptr}, {"Profiles/anon", ""}});
    const auto profiles = resolve("[Profile0]\nName=Group\nStoreID=a1b2\nPath=Profiles/work.default\n"
                                  "[Profile1]\nName=Again\nStoreID=a1b2\n"
                                  "[Profile2]\nName=Duplicate\nPath=Profiles/work.default\n");
    const QList<DiscoveredFirefoxProfile> expected{
        {"Profiles/work.default", "Work", LaunchStrategy::firefoxProfilePath(root() + "/Profiles/work.default")},
        {"/Users/x/elsewhere", "Away", LaunchStrategy::firefoxProfilePath("/Users/x/elsewhere")},
        {"Profiles/anon", "", LaunchStrategy::firefoxProfilePath(root() + "/Profiles/anon")},
    };
    EXPECT_EQ(profiles, expected);
    EXPECT_EQ(store.asked, QStringList{storePath("a1b2")});
    EXPECT_TRUE(leftoverSnapshots().isEmpty());
}

// The Name of a section that names a store is the group's, which "-P" does not open: the section
// is opened by its folder when it has one.
TEST_F(FirefoxProfileDiscoveryTest, MissingOrEmptyStoreFallsBackToTheSection)
{
    writeStore("empty", {});
    const auto profiles = resolve("[Profile0]\nName=Absent\nStoreID=gone\n"
                                  "[Profile1]\nName=Empty\nPath=Profiles/e\nStoreID=empty\n");
    const QList<DiscoveredFirefoxProfile> expected{
        {"Absent", "Absent", LaunchStrategy::firefoxProfile("Absent")},
        {"Profiles/e", "Empty", LaunchStrategy::firefoxProfilePath(root() + "/Profiles/e")},
    };
    EXPECT_EQ(profiles, expected);
}

// Firefox keeps the store open in write-ahead-log mode: recent rows live only in the "-wal"
// file until a checkpoint, so the copy must take the journal along.
TEST_F(FirefoxProfileDiscoveryTest, StoreIsReadWithItsWriteAheadLog)
{
    QDir().mkpath(root() + QStringLiteral("/Profile Groups"));
    test::SqliteDatabase live(storePath("wal"));
    live.exec("PRAGMA journal_mode=WAL");
    live.exec("PRAGMA wal_autocheckpoint=0");
    live.exec("CREATE TABLE Profiles (id INTEGER PRIMARY KEY, path TEXT, name TEXT)");
    live.exec("INSERT INTO Profiles (path, name) VALUES ('Profiles/one', 'One'), ('Profiles/two', 'Two')");
    ASSERT_TRUE(QFileInfo::exists(storePath("wal") + "-wal"));

    const auto rows = store.real.profiles(storePath("wal"));
    ASSERT_TRUE(rows.has_value());
    const QList<FirefoxStoreProfile> expected{{"Profiles/one", "One"}, {"Profiles/two", "Two"}};
    EXPECT_EQ(*rows, expected);
    EXPECT_TRUE(leftoverSnapshots().isEmpty());
    // The live store itself was only copied.
    EXPECT_TRUE(QFileInfo::exists(storePath("wal") + "-wal"));
}

// The copy holds the names of the user's profiles and where they live: no other local user may
// look into it while it exists, and it goes with the read.
TEST_F(FirefoxProfileDiscoveryTest, SnapshotIsPrivateAndGoesWithItsRead)
{
    QDir().mkpath(root() + QStringLiteral("/Profile Groups"));
    test::SqliteDatabase live(storePath("wal"));
    live.exec("PRAGMA journal_mode=WAL");
    live.exec("PRAGMA wal_autocheckpoint=0");
    live.exec("CREATE TABLE Profiles (id INTEGER PRIMARY KEY, path TEXT, name TEXT)");
    live.exec("INSERT INTO Profiles (path, name) VALUES ('Profiles/one', 'One')");
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        ::chmod(QFile::encodeName(storePath("wal") + suffix).constData(), 0644);

    QString folder;
    {
        const auto copy = SQLiteFirefoxProfileStore::snapshot(storePath("wal"), fs);
        ASSERT_TRUE(copy.has_value());
        folder = copy->dir.path();
        EXPECT_EQ(QFileInfo(folder).dir().path(), tmp.path());
        EXPECT_EQ(mode(folder), 0700);
        const QStringList files = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        EXPECT_EQ(files.size(), 3);
        for (const QString& file : files)
            EXPECT_EQ(mode(folder + '/' + file), 0600) << qPrintable(file);
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(leftoverSnapshots().isEmpty());
}

// A store Firefox changed the shape of says nothing about the other sections: only the one that
// names it falls back to its Name, and the read reports that it is not complete.
TEST_F(FirefoxProfileDiscoveryTest, StoreThatCannotBeQueriedFallsBackToItsSectionAlone)
{
    QDir().mkpath(root() + QStringLiteral("/Profile Groups"));
    home.writeFile(QStringLiteral("Library/Application Support/Firefox/Profile Groups/junk.sqlite"), "not a database");
    {
        test::SqliteDatabase other(storePath("other"));
        other.exec("CREATE TABLE Groups (id INTEGER)");
    }

    writeStore("good", {{"Profiles/work", "Work"}});

    for (const QString& id : {QStringLiteral("junk"), QStringLiteral("other")}) {
        const auto result = FirefoxProfileDiscovery::resolve(
            FirefoxProfileDiscovery::parseSections(
                "[Profile0]\nName=Before\n[Profile1]\nName=Team group\nPath=Profiles/team\nStoreID=" + id
                + "\n[Profile2]\nName=G\nStoreID=good\n"),
            root(), store);
        const QList<DiscoveredFirefoxProfile> expected{
            {"Before", "Before", LaunchStrategy::firefoxProfile("Before")},
            {"Profiles/team", "Team group", LaunchStrategy::firefoxProfilePath(root() + "/Profiles/team")},
            {"Profiles/work", "Work", LaunchStrategy::firefoxProfilePath(root() + "/Profiles/work")},
        };
        EXPECT_EQ(result.profiles, expected) << qPrintable(id);
        EXPECT_EQ(result.error, ProfileDataError::malformed) << qPrintable(id);
    }
    EXPECT_TRUE(leftoverSnapshots().isEmpty());
}

TEST_F(FirefoxProfileDiscoveryTest, ProfilesReadsProfilesIni)
{
    auto none = FirefoxProfileDiscovery::profiles(root(), fs, store);
    EXPECT_FALSE(none.error.has_value());
    EXPECT_TRUE(none.profiles.isEmpty());
    EXPECT_EQ(FirefoxProfileDiscovery::dataAccess(root(), fs), FirefoxProfileDiscovery::DataAccess::notApplicable);

    home.writeFile(QStringLiteral("Library/Application Support/Firefox/profiles.ini"),
        "[Profile0]\nName=Perso\xc3\xb1\x61l\nPath=Profiles/p\n");
    auto one = FirefoxProfileDiscovery::profiles(root(), fs, store);
    EXPECT_FALSE(one.error.has_value());
    ASSERT_EQ(one.profiles.size(), 1);
    EXPECT_EQ(one.profiles.first().displayName, QString::fromUtf8("Perso\xc3\xb1\x61l"));
    EXPECT_EQ(FirefoxProfileDiscovery::dataAccess(root(), fs), FirefoxProfileDiscovery::DataAccess::readable);
}

TEST_F(FirefoxProfileDiscoveryTest, UnusableProfilesIniIsAnError)
{
    for (const QByteArray& bytes : {QByteArray("[Profile0]\nName=\xff\xfe\n"), QByteArray(), QByteArray(" \n")}) {
        home.writeFile(QStringLiteral("Library/Application Support/Firefox/profiles.ini"), bytes);
        const auto result = FirefoxProfileDiscovery::profiles(root(), fs, store);
        EXPECT_TRUE(result.profiles.isEmpty());
        EXPECT_EQ(result.error, ProfileDataError::malformed);
    }
}

} // namespace
