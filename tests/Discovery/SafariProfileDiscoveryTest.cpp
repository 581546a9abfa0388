#include "Tavro/Discovery/SafariProfileDiscovery.h"
#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "tests/Discovery/DiscoveryFixtures.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace tavro;
namespace Safari = tavro::SafariProfileDiscovery;

namespace {

const QString containerPath = QStringLiteral("Library/Containers/com.apple.Safari/Data/Library/Safari");

class SafariTabsDbTest : public ::testing::Test
{
protected:
    QString dbPath() const { return home.filePath(containerPath + QStringLiteral("/SafariTabs.db")); }

    // The tabs database as Safari lays it out, with the bookmark rows given as SQL values.
    void writeDb(const QList<QByteArray>& rows)
    {
        QDir().mkpath(home.filePath(containerPath));
        test::SqliteDatabase db(dbPath());
        db.exec("CREATE TABLE bookmarks (id INTEGER PRIMARY KEY, external_uuid TEXT, title TEXT, type INTEGER,"
                " subtype INTEGER, deleted INTEGER, order_index INTEGER)");
        for (const QByteArray& row : rows)
            db.exec("INSERT INTO bookmarks (external_uuid, title, type, subtype, deleted, order_index) VALUES (" + row
                + ")");
    }

    QStringList names(const Safari::DBAccess& access) const
    {
        QStringList result;
        for (const DiscoveredProfile& p : access.profiles()) {
            EXPECT_EQ(p.id, p.displayName);
            EXPECT_FALSE(p.photoPath.has_value());
            result.append(p.id);
        }
        return result;
    }

    test::TempHome home;
    RealFileSystem fs;
};

TEST_F(SafariTabsDbTest, NoDatabaseIsNotApplicable)
{
    EXPECT_EQ(Safari::readDB(fs), Safari::DBAccess::notApplicable());
}

TEST_F(SafariTabsDbTest, ReadsProfileRowsInOrder)
{
    writeDb({
        "'U3', 'Work', 1, 2, 0, 3",
        "'DefaultProfile', NULL, 1, 2, 0, 0",
        "'AB-CD', NULL, 1, 2, 0, 1",
        "'U4', '', 1, 2, 0, 2",
        "'U5', 'Deleted', 1, 2, 1, 4",
        "'U6', 'A tab group', 1, 0, 0, 5",
        "'U7', 'A bookmark', 0, 2, 0, 6",
        "NULL, 'No uuid', 1, 2, 0, 7",
    });
    const Safari::DBAccess access = Safari::readDB(fs);
    ASSERT_EQ(access.kind(), Safari::DBAccess::Kind::rows);
    // Blank names stay: the callers drop them.
    EXPECT_EQ(names(access), (QStringList{"Default", "AB-CD", "", "Work"}));
}

TEST_F(SafariTabsDbTest, EmptyTableIsRowsWithNoProfiles)
{
    writeDb({});
    EXPECT_EQ(Safari::readDB(fs), Safari::DBAccess::rows({}));
}

TEST_F(SafariTabsDbTest, DatabaseOfAnotherShapeIsMalformed)
{
    home.writeFile(containerPath + QStringLiteral("/SafariTabs.db"), "SQLite format 3\0garbage");
    EXPECT_EQ(Safari::readDB(fs), Safari::DBAccess::malformed());
    QFile::remove(dbPath());
    {
        test::SqliteDatabase db(dbPath());
        db.exec("CREATE TABLE windows (id INTEGER)");
    }
    EXPECT_EQ(Safari::readDB(fs), Safari::DBAccess::malformed());
}

TEST_F(SafariTabsDbTest, FolderInPlaceOfTheDatabaseCannotBeOpened)
{
    QDir().mkpath(dbPath());
    EXPECT_EQ(Safari::readDB(fs), Safari::DBAccess::needsFullDiskAccess());
}

// The path goes into an SQLite "file:" URI, where "?", "#" and "%" would otherwise cut or change it.
TEST_F(SafariTabsDbTest, HomeWithUriCharactersStillWorks)
{
    const QByteArray oldHome = qgetenv("HOME");
    const QString odd = home.filePath(QStringLiteral("odd #1 ?x %41"));
    QDir().mkpath(odd);
    qputenv("HOME", odd.toUtf8());
    QDir().mkpath(odd + QLatin1Char('/') + containerPath);
    {
        test::SqliteDatabase db(odd + QLatin1Char('/') + containerPath + QStringLiteral("/SafariTabs.db"));
        db.exec("CREATE TABLE bookmarks (external_uuid TEXT, title TEXT, type INTEGER, subtype INTEGER,"
                " deleted INTEGER, order_index INTEGER)");
        db.exec("INSERT INTO bookmarks VALUES ('U1', 'Home', 1, 2, 0, 0)");
    }
    const Safari::DBAccess access = Safari::readDB(fs);
    qputenv("HOME", oldHome);
    EXPECT_EQ(names(access), QStringList{"Home"});
}

struct IdentifierCase
{
    const char* name;
    QString identifier;
    std::optional<Safari::MenuProfile> expected;

    friend void PrintTo(const IdentifierCase& c, std::ostream* os) { *os << c.name; }
};

class ProfileIdentifierTest : public ::testing::TestWithParam<IdentifierCase>
{ };

TEST_P(ProfileIdentifierTest, FindsTheProfile)
{
    EXPECT_EQ(Safari::profileIdentifier(GetParam().identifier), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileIdentifierTest,
    ::testing::Values(
        IdentifierCase{"Plain", "NewWorkWindow?isDefaultProfile=false", Safari::MenuProfile{"Work", false}},
        IdentifierCase{"Default", "NewPersonalWindow?isDefaultProfile=true", Safari::MenuProfile{"Personal", true}},
        IdentifierCase{"PercentEncoded", "NewMy%20Caf%C3%A9Window?isDefaultProfile=false",
            Safari::MenuProfile{QString::fromUtf8("My Caf\xc3\xa9"), false}},
        IdentifierCase{
            "BadEncodingKeptRaw", "New100%Window?isDefaultProfile=false", Safari::MenuProfile{"100%", false}},
        IdentifierCase{"NotUtf8KeptRaw", "New%FFWindow?isDefaultProfile=false", Safari::MenuProfile{"%FF", false}},
        IdentifierCase{"LastMarkerCounts", "NewAWindow?isDefaultProfile=Window?isDefaultProfile=true",
            Safari::MenuProfile{"AWindow?isDefaultProfile=", true}},
        IdentifierCase{"OnlyExactTrueIsDefault", "NewXWindow?isDefaultProfile=TRUE", Safari::MenuProfile{"X", false}},
        IdentifierCase{"EmptyName", "NewWindow?isDefaultProfile=true", std::nullopt},
        IdentifierCase{"EmptyAfterDecoding", "New%Window?isDefaultProfile=true", Safari::MenuProfile{"%", true}},
        IdentifierCase{"NoMarker", "NewPrivateWindow", std::nullopt},
        IdentifierCase{"NotNew", "OpenWorkWindow?isDefaultProfile=false", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct TitleCase
{
    const char* name;
    QString title;
    std::optional<QString> expected;

    friend void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.name; }
};

class EnglishProfileNameTest : public ::testing::TestWithParam<TitleCase>
{ };

TEST_P(EnglishProfileNameTest, ReadsTheName)
{
    EXPECT_EQ(Safari::englishProfileName(GetParam().title), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, EnglishProfileNameTest,
    ::testing::Values(TitleCase{"Simple", "New Work Window", "Work"},
        TitleCase{"TwoWords", "New School Stuff Window", "School Stuff"},
        TitleCase{"TrimsSpacesAndTabs", QString::fromUtf8("\t New  Work \u00a0 Window \t"), "Work"},
        TitleCase{"OuterSpaces", QString::fromUtf8("\u3000New  Work  Window\t"), "Work"},
        TitleCase{"NewlinesAreNotTrimmed", "New Work Window\n", std::nullopt},
        TitleCase{"PlainNewWindow", "New Window", std::nullopt},
        TitleCase{"Private", "New Private Window", std::nullopt},
        TitleCase{"PrivateWithSpaces", "New   Private  Window", std::nullopt},
        TitleCase{"OtherText", "New Tab", std::nullopt},
        TitleCase{"Emoji", QString::fromUtf8("New \xf0\x9f\x8f\xa0 Window"), QString::fromUtf8("\xf0\x9f\x8f\xa0")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SafariNamesTest, DisplayNameRestoresTheTitlesSpaces)
{
    EXPECT_EQ(Safari::displayName("Work", "New Work Window"), "Work");
    EXPECT_EQ(Safari::displayName("SchoolStuff", "New School Stuff Window"), "School Stuff");
    EXPECT_EQ(Safari::displayName("School Stuff", "New School  Stuff Window"), "School  Stuff");
    EXPECT_EQ(Safari::displayName("Abc", "New A b c Window"), "A b c");
    // The first start that matches wins.
    EXPECT_EQ(Safari::displayName("ab", "a x a b"), "a b");
    EXPECT_EQ(Safari::displayName("Missing", "New Other Window"), "Missing");
    EXPECT_EQ(Safari::displayName("  ", "New Window"), "  ");
    EXPECT_EQ(Safari::displayName("Work", ""), "Work");
    // Characters, not code units: an emoji with a skin tone is one.
    const QString thumb = QString::fromUtf8("\xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd");
    EXPECT_EQ(Safari::displayName(thumb + "Up", "New " + thumb + " Up Window"), thumb + " Up");
}

TEST(SafariNamesTest, SquashedDropsAllWhiteSpace)
{
    EXPECT_EQ(Safari::squashed(QString::fromUtf8(" School\tStuff\n\u00a0\u2003X ")), "SchoolStuffX");
    EXPECT_EQ(Safari::squashed(""), "");
    EXPECT_EQ(Safari::squashed(QString::fromUtf8("\u200b")), QString::fromUtf8("\u200b"));
}

} // namespace

namespace {

struct MenuCase
{
    const char* name;
    QList<SafariMenuItem> items;
    QStringList expected;

    friend void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.name; }
};

class ParseProfilesTest : public ::testing::TestWithParam<MenuCase>
{ };

TEST_P(ParseProfilesTest, Parses)
{
    QStringList names;
    for (const DiscoveredProfile& p : Safari::parseProfiles(GetParam().items)) {
        EXPECT_EQ(p.id, p.displayName);
        EXPECT_FALSE(p.photoPath.has_value());
        names.append(p.id);
    }
    EXPECT_EQ(names, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseProfilesTest,
    ::testing::Values(MenuCase{"EnglishFileMenu",
                          {{"newWindow", "New Window"}, {"NewPrivateWindow", "New Private Window"},
                              {"NewPersonalWindow?isDefaultProfile=true", "New Personal Window"},
                              {"NewSchoolStuffWindow?isDefaultProfile=false", "New School Stuff Window"},
                              {"", "New Work Window"}, {"", "Open File\xe2\x80\xa6"}, {"", ""}},
                          {"Personal", "School Stuff", "Work"}},
        MenuCase{"OtherLanguageKeepsTheIdentifiersName",
            {{"NewArbeitWindow?isDefaultProfile=false",
                 "Neues Fenster \xe2\x80\x9e"
                 "Arbeit\xe2\x80\x9c"},
                {"NewFamilieWindow?isDefaultProfile=false", "Neues Fenster"}, {"", "Neues privates Fenster"}},
            {"Arbeit", "Familie"}},
        MenuCase{"ItemAndSubmenuTwinCountOnce",
            {{"NewWorkWindow?isDefaultProfile=false", "New Work Window"},
                {"NewWorkWindow?isDefaultProfile=false", "Work"}, {"", "New Work Window"}},
            {"Work"}},
        MenuCase{"MarkerBranchKeepsPrivate", {{"NewPrivateWindow?isDefaultProfile=false", "New Private Window"}},
            {"Private"}},
        MenuCase{
            "EmptyMarkerNameFallsBackToTheTitle", {{"NewWindow?isDefaultProfile=true", "New Home Window"}}, {"Home"}},
        MenuCase{"BlankNamesAreSkipped",
            {{"New%E2%80%8BWindow?isDefaultProfile=false", "New \xe2\x80\x8b Window"}, {"", "New \xe2\x80\x8d Window"}},
            {}},
        MenuCase{"TitleSpacesAreTrimmed", {{"NewMyStuffWindow?isDefaultProfile=false", "  New \tMy Stuff\t Window "}},
            {"My Stuff"}},
        MenuCase{"NoItems", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

class SafariDiagnosticsTest : public ::testing::Test
{
protected:
    void startSafari()
    {
        const QString bundle = test::installApp(home, "Safari", "com.apple.Safari");
        safariApp = std::make_unique<SimulatedBrowser>("com.apple.Safari", bundle);
        safariApp->setMenus({SimulatedBrowser::Menu{"File",
            {SimulatedBrowser::item("newWindow", "New Window"),
                SimulatedBrowser::item("NewPersonalWindow?isDefaultProfile=true", "New Personal Window"),
                SimulatedBrowser::item("", "New \"Quoted\" \\ Window")}}});
    }

    test::TempHome home;
    RealFileSystem fs;
    std::unique_ptr<SimulatedBrowser> safariApp;
};

TEST_F(SafariDiagnosticsTest, NothingThere)
{
    EXPECT_EQ(Safari::diagnostics(fs),
        "=== Tavro Safari diagnostics ===\n"
        "safariInstalled: false\n"
        "DB: notApplicable\n"
        "AXIsProcessTrusted: false\n"
        "AX: Safari not running\n"
        "=== end ===\n");
}

TEST_F(SafariDiagnosticsTest, EverythingReadable)
{
    startSafari();
    test::writeSafariTabs(home, {"Personal", "Tab\there"});
    AccessibilityHost::setTrusted(true);
    EXPECT_EQ(Safari::diagnostics(fs),
        "=== Tavro Safari diagnostics ===\n"
        "safariInstalled: true\n"
        "DB: profiles [\"Personal\", \"Tab\\there\"]\n"
        "AXIsProcessTrusted: true\n"
        "AX File-menu items: [\"New Window [newWindow]\", "
        "\"New Personal Window [NewPersonalWindow?isDefaultProfile=true]\", "
        "\"New \\\"Quoted\\\" \\\\ Window []\"]\n"
        "AX parsed profiles: [\"Personal\", \"\\\"Quoted\\\" \\\\\"]\n"
        "=== end ===\n");
}

TEST_F(SafariDiagnosticsTest, RefusedAndUntrusted)
{
    startSafari();
    QDir().mkpath(home.filePath(test::safariContainer + "/SafariTabs.db"));
    EXPECT_EQ(Safari::diagnostics(fs),
        "=== Tavro Safari diagnostics ===\n"
        "safariInstalled: true\n"
        "DB: needsFullDiskAccess (TCC denied)\n"
        "AXIsProcessTrusted: false\n"
        "AX: not trusted (grant Accessibility)\n"
        "=== end ===\n");
}

TEST_F(SafariDiagnosticsTest, MenuUnreadableAndDatabaseEmpty)
{
    startSafari();
    safariApp->removeMenuBar();
    test::writeSafariTabs(home, {});
    AccessibilityHost::setTrusted(true);
    EXPECT_EQ(Safari::diagnostics(fs),
        "=== Tavro Safari diagnostics ===\n"
        "safariInstalled: true\n"
        "DB: profiles []\n"
        "AXIsProcessTrusted: true\n"
        "AX: failed to read menu\n"
        "=== end ===\n");
}

TEST(SafariListDescriptionTest, WritesArrayLiterals)
{
    EXPECT_EQ(Safari::listDescription({}), "[]");
    EXPECT_EQ(Safari::listDescription({"a"}), "[\"a\"]");
    const QString controls = QStringLiteral("x\ny\r") + QChar(0) + QStringLiteral("z\x1b");
    EXPECT_EQ(Safari::listDescription({"it's", controls}), "[\"it\\'s\", \"x\\ny\\r\\0z\\u{1B}\"]");
    EXPECT_EQ(Safari::listDescription({QString::fromUtf8("caf\xc3\xa9 \xf0\x9f\x8f\xa0")}),
        QString::fromUtf8("[\"caf\xc3\xa9 \xf0\x9f\x8f\xa0\"]"));
}

} // namespace
