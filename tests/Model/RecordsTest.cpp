// The value types of the settings record: launch recipes, destinations, the browser table.

#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/LaunchStrategy.h"
#include "tests/Model/Fixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace tavro;
using tavro::test::parseObject;

namespace {

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

struct StrategyCase
{
    LaunchStrategy strategy;
    QByteArray json;
};

class LaunchStrategyJson : public ::testing::TestWithParam<StrategyCase>
{ };

TEST_P(LaunchStrategyJson, EncodesToItsExactFormAndBack)
{
    const StrategyCase& c = GetParam();
    EXPECT_EQ(compact(c.strategy.toJson()), c.json);
    const auto decoded = LaunchStrategy::fromJson(parseObject(c.json));
    ASSERT_TRUE(decoded.has_value()) << decoded.error().description().toStdString();
    EXPECT_EQ(*decoded, c.strategy);
    EXPECT_EQ(qHash(*decoded), qHash(c.strategy));
}

INSTANTIATE_TEST_SUITE_P(EveryCase, LaunchStrategyJson,
    ::testing::Values(StrategyCase{LaunchStrategy::browserCurrentProfile(), R"({"browserCurrentProfile":{}})"},
        StrategyCase{
            LaunchStrategy::chromiumProfileDirectory("Default"), R"({"chromiumProfileDirectory":{"_0":"Default"}})"},
        StrategyCase{LaunchStrategy::safariProfile("Work"), R"({"safariProfile":{"_0":"Work"}})"},
        StrategyCase{LaunchStrategy::firefoxProfile("dev-edition"), R"({"firefoxProfile":{"_0":"dev-edition"}})"},
        StrategyCase{
            LaunchStrategy::firefoxProfilePath("/p/x.default"), R"({"firefoxProfilePath":{"_0":"/p/x.default"}})"},
        StrategyCase{
            LaunchStrategy::custom({"--new-window", "-x"}), R"({"custom":{"arguments":["--new-window","-x"]}})"},
        StrategyCase{LaunchStrategy::custom({}), R"({"custom":{"arguments":[]}})"}));

TEST(LaunchStrategyDecoding, NeedsExactlyOneCaseKey)
{
    for (const char* json : {R"({})", R"({"foo":{}})", R"({"safariProfile":{"_0":"a"},"firefoxProfile":{"_0":"a"}})"}) {
        const auto decoded = LaunchStrategy::fromJson(parseObject(json));
        ASSERT_FALSE(decoded.has_value()) << json;
        EXPECT_EQ(decoded.error().debugDescription, "Invalid number of keys found, expected one.");
        EXPECT_EQ(decoded.error().kind, DecodeError::Kind::typeMismatch);
    }
}

TEST(LaunchStrategyDecoding, ReadsOnlyWhatEachCaseNeeds)
{
    EXPECT_EQ(LaunchStrategy::fromJson(parseObject(R"({"browserCurrentProfile":{"_0":"ignored"}})")),
        LaunchStrategy::browserCurrentProfile());
    EXPECT_EQ(LaunchStrategy::fromJson(parseObject(R"({"custom":{"arguments":["a"]},"extra":1})")),
        LaunchStrategy::custom({"a"}));
    EXPECT_EQ(LaunchStrategy::fromJson(parseObject(R"({"safariProfile":{"_0":"W","x":2}})")),
        LaunchStrategy::safariProfile("W"));

    for (const char* bad : {R"({"browserCurrentProfile":true})", R"({"chromiumProfileDirectory":{}})",
             R"({"chromiumProfileDirectory":{"_0":3}})", R"({"custom":{"arguments":["a",1]}})", R"({"custom":{}})",
             R"({"firefoxProfile":{"_0":null}})"})
        EXPECT_FALSE(LaunchStrategy::fromJson(parseObject(bad)).has_value()) << bad;
}

TEST(LaunchStrategyEquality, ComparesCaseAndPayload)
{
    EXPECT_NE(LaunchStrategy::safariProfile("a"), LaunchStrategy::firefoxProfile("a"));
    EXPECT_NE(LaunchStrategy::custom({"a", "b"}), LaunchStrategy::custom({"b", "a"}));
    EXPECT_EQ(LaunchStrategy::firefoxProfilePath("/x"), LaunchStrategy::firefoxProfilePath("/x"));
}

// --- Destinations

class DestinationJson : public ::testing::Test
{
protected:
    QJsonObject full()
    {
        return parseObject(R"({"id":"0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3","browserID":"chrome",
            "browserDisplayName":"Google Chrome","browserBundleIdentifier":"com.google.Chrome",
            "browserExecutablePath":"/Applications/Google Chrome.app/Contents/MacOS/Google Chrome",
            "profileID":"Profile 1","profileDisplayName":"Work",
            "launchStrategy":{"chromiumProfileDirectory":{"_0":"Profile 1"}},"isVisible":true,"sortOrder":9007199254740993,
            "isAvailable":false,"hotkey":"w","profileEmoji":"🚀","nodeColorHex":4294967295,
            "profilePhotoPath":"/tmp/p.png","preferEmojiOverPhoto":true})");
    }
};

TEST_F(DestinationJson, RoundTripsEveryField)
{
    const auto decoded = BrowserDestination::fromJson(full());
    ASSERT_TRUE(decoded.has_value()) << decoded.error().description().toStdString();
    EXPECT_EQ(decoded->sortOrder, 9007199254740993LL); // beyond a double's exact range
    EXPECT_EQ(decoded->nodeColorHex, 0xFFFFFFFFu);
    EXPECT_EQ(decoded->toJson(), full());
    EXPECT_EQ(BrowserDestination::fromJson(decoded->toJson()), decoded);
}

TEST_F(DestinationJson, WritesUpperCaseIdsAndLeavesOutAbsentOptionals)
{
    BrowserDestination d = test::destination("com.google.Chrome", std::nullopt);
    d.id = QUuid::fromString(QStringLiteral("0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d3"));
    const QJsonObject json = d.toJson();
    EXPECT_EQ(json.value("id").toString(), "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3");
    EXPECT_EQ(json.size(), 10);
    EXPECT_EQ(json.value("preferEmojiOverPhoto"), QJsonValue(false));
}

TEST_F(DestinationJson, OptionalKeysMayBeMissingOrNull)
{
    QJsonObject json = full();
    json.remove("preferEmojiOverPhoto");
    json.insert("profileID", QJsonValue::Null);
    json.remove("hotkey");
    const auto decoded = BrowserDestination::fromJson(json);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_FALSE(decoded->preferEmojiOverPhoto);
    EXPECT_FALSE(decoded->profileID.has_value());
    EXPECT_FALSE(decoded->hotkey.has_value());
    EXPECT_EQ(decoded->matchKey(), "com.google.Chrome#_current");
}

TEST_F(DestinationJson, RejectsMissingRequiredKeysAndWrongTypes)
{
    const QList<std::pair<QString, QJsonValue>> faults{
        {"isAvailable", QJsonValue::Undefined},
        {"id", "not-a-uuid"},
        {"id", "{0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3}"},
        {"id", "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3\n"},
        {"id", "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2DG"},
        {"launchStrategy", QJsonValue::Null},
        {"sortOrder", 1.5},
        {"sortOrder", "3"},
        {"nodeColorHex", -1},
        {"nodeColorHex", 4294967296.0},
        {"nodeColorHex", "0xCFE2F0"},
        {"hotkey", 7},
        {"preferEmojiOverPhoto", "yes"},
        {"isVisible", 1},
    };
    for (const auto& [key, value] : faults) {
        QJsonObject json = full();
        if (value.isUndefined())
            json.remove(key);
        else
            json.insert(key, value);
        EXPECT_FALSE(BrowserDestination::fromJson(json).has_value()) << key.toStdString();
    }
}

TEST(DestinationLabels, MenuLabelLeavesOutTheProfileOfBrowsersWithoutProfiles)
{
    for (const char* bundle :
        {"org.torproject.torbrowser", "company.thebrowser.Browser", "company.thebrowser.dia", "com.openai.atlas"}) {
        BrowserDestination d = test::destination(bundle, std::nullopt);
        d.browserDisplayName = "Name";
        EXPECT_EQ(d.menuLabel(), "Name") << bundle;
    }
    BrowserDestination chrome = test::destination("com.google.Chrome", QString("Profile 1"));
    chrome.browserDisplayName = "Chrome";
    chrome.profileDisplayName = "Work";
    EXPECT_EQ(chrome.menuLabel(), "Chrome (Work)");
    BrowserDestination unknown = test::destination("org.example.Unknown", QString("p"));
    unknown.browserDisplayName = "Unknown";
    EXPECT_EQ(unknown.menuLabel(), "Unknown (p)");
}

TEST(DestinationLabels, DescribeUsesTheKeyTextAlone)
{
    EXPECT_EQ(BrowserDestination::describe(""), "");
    EXPECT_EQ(BrowserDestination::describe("com.google.Chrome#Profile 1"), "Chrome (Profile 1)");
    EXPECT_EQ(BrowserDestination::describe("com.apple.Safari#_current"), "Safari");
    EXPECT_EQ(BrowserDestination::describe("org.mozilla.firefox"), "firefox");
    EXPECT_EQ(BrowserDestination::describe("a.b#c#d"), "b (c#d)");
    EXPECT_EQ(BrowserDestination::describe("...#x"), "... (x)");
    EXPECT_EQ(BrowserDestination::describe("com.x.#"), "x ()");
    EXPECT_EQ(BrowserDestination::describe("org.mozilla.firefox@flatpak#a.work"), "firefox (Flatpak) (a.work)");
    EXPECT_EQ(BrowserDestination::describe("org.chromium.Chromium@snap#_current"), "Chromium (Snap)");
}

TEST(DestinationEquality, EveryFieldCounts)
{
    BrowserDestination a = test::destination("com.google.Chrome", QString("Default"));
    BrowserDestination b = a;
    EXPECT_EQ(a, b);
    b.hotkey = QStringLiteral("x");
    EXPECT_NE(a, b);
}

// --- The browser table

TEST(BrowserTable, LooksRowsUpByExactBundleIdentifier)
{
    EXPECT_EQ(BrowserDefinition::registry().size(), 18);
    EXPECT_EQ(BrowserDefinition::definition("com.google.Chrome")->id, "chrome");
    EXPECT_EQ(BrowserDefinition::definition("com.google.Chrome.beta")->id, "chrome-beta");
    EXPECT_FALSE(BrowserDefinition::definition("com.google.chrome").has_value());
    // The identifier of a snap's or a Flatpak's install stands for its browser's row.
    EXPECT_EQ(BrowserDefinition::definition("com.microsoft.edgemac@flatpak")->privateMechanism(),
        PrivateWindowMechanism::launchArgument("--inprivate"));
    EXPECT_EQ(BrowserDefinition::definition("org.mozilla.firefox@snap")->id, "firefox");
    EXPECT_FALSE(BrowserDefinition::definition("org.mozilla.firefox@other").has_value());
    EXPECT_EQ(
        BrowserDefinition::definition("com.operasoftware.Opera")->chromiumSupportSubpath, "com.operasoftware.Opera");
    EXPECT_EQ(
        BrowserDefinition::definition("com.brave.Browser")->chromiumSupportSubpath, "BraveSoftware/Brave-Browser");
}

TEST(BrowserTable, NoProfilesLabels)
{
    EXPECT_EQ(BrowserDefinition::definition("org.torproject.torbrowser")->noProfilesLabel(), "Tor");
    EXPECT_EQ(BrowserDefinition::definition("com.openai.atlas")->noProfilesLabel(), "ChatGPT Atlas");
    EXPECT_FALSE(BrowserDefinition::definition("com.google.Chrome")->noProfilesLabel().has_value());
    EXPECT_FALSE(BrowserDefinition::definition("com.apple.Safari")->noProfilesLabel().has_value());
}

TEST(BrowserTable, PrivateWindowMechanisms)
{
    auto mechanism = [](const QString& id) {
        for (const BrowserDefinition& row : BrowserDefinition::registry()) {
            if (row.id == id)
                return row.privateMechanism();
        }
        ADD_FAILURE() << id.toStdString();
        return std::optional<PrivateWindowMechanism>();
    };
    for (const char* id :
        {"chrome", "chrome-beta", "chrome-dev", "chrome-canary", "chromium", "brave", "vivaldi", "comet"})
        EXPECT_EQ(mechanism(id), PrivateWindowMechanism::launchArgument("--incognito")) << id;
    EXPECT_EQ(mechanism("edge"), PrivateWindowMechanism::launchArgument("--inprivate"));
    EXPECT_EQ(mechanism("opera"), PrivateWindowMechanism::launchArgument("--private"));
    for (const char* id : {"firefox", "firefox-dev", "zen"})
        EXPECT_EQ(mechanism(id), PrivateWindowMechanism::launchArgument("-private-window")) << id;
    EXPECT_EQ(mechanism("safari"), PrivateWindowMechanism::accessibilityMenuItem());
    EXPECT_EQ(mechanism("tor"), PrivateWindowMechanism::alwaysPrivate());
    for (const char* id : {"arc", "dia", "atlas"})
        EXPECT_FALSE(mechanism(id).has_value()) << id;
}
