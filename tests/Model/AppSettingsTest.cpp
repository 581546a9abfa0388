// The settings record: lenient and strict keys, the modifier clash, visible destinations,
// key assignment and the small helpers the record's editors use.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/EmojiInput.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/JsonReader.h"
#include "Tavro/Model/SafariProfileNames.h"
#include "tests/Model/Fixtures.h"

#include <QJsonArray>
#include <gtest/gtest.h>

using namespace tavro;
using tavro::test::parseObject;

namespace {

std::expected<AppSettings, DecodeError> decode(const QByteArray& json)
{
    return AppSettings::fromJsonBytes(json);
}

} // namespace

TEST(AppSettingsDecoding, EmptyObjectGivesTheDefaults)
{
    const auto s = decode("{}");
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(*s, AppSettings());
    EXPECT_TRUE(s->showMenuBarIcon);
    EXPECT_TRUE(s->globalHotkeysEnabled);
    EXPECT_EQ(s->privateModifier, BypassModifier::shift);
}

struct ClashCase
{
    const char* json;
    BypassModifier bypass;
    BypassModifier privateKey;
};

class ModifierClash : public ::testing::TestWithParam<ClashCase>
{ };

TEST_P(ModifierClash, PrivateKeyGivesWayToTheBypassKey)
{
    const auto s = decode(GetParam().json);
    ASSERT_TRUE(s.has_value()) << GetParam().json;
    EXPECT_EQ(s->bypassModifier, GetParam().bypass);
    EXPECT_EQ(s->privateModifier, GetParam().privateKey);
}

INSTANTIATE_TEST_SUITE_P(Table, ModifierClash,
    ::testing::Values(ClashCase{R"({"bypassModifier":"shift"})", BypassModifier::shift, BypassModifier::option},
        ClashCase{R"({"bypassModifier":"command","privateModifier":"command"})", BypassModifier::command,
            BypassModifier::shift},
        ClashCase{
            R"({"bypassModifier":"shift","privateModifier":"shift"})", BypassModifier::shift, BypassModifier::option},
        ClashCase{R"({"privateModifier":"Option"})", BypassModifier::option, BypassModifier::shift},
        ClashCase{
            R"({"bypassModifier":"shift","privateModifier":"nope"})", BypassModifier::shift, BypassModifier::option},
        ClashCase{R"({"bypassModifier":"control","privateModifier":"command"})", BypassModifier::control,
            BypassModifier::command},
        ClashCase{R"({"privateModifier":42})", BypassModifier::option, BypassModifier::shift}));

TEST(AppSettingsDecoding, LenientKeysFallBackToTheirDefaults)
{
    const auto s = decode(R"({"appearance":"sepia","emojiPosition":"middle","globalHotkeyPrefix":"meh"})");
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->appearance, AppAppearance::system);
    EXPECT_EQ(s->emojiPosition, EmojiPosition::center);
    EXPECT_EQ(s->globalHotkeyPrefix, HotkeyPrefix::hyper);
    EXPECT_EQ(decode(R"({"appearance":3})")->appearance, AppAppearance::system);
    EXPECT_EQ(decode(R"({"appearance":"dark","emojiPosition":"bottomLeft"})")->appearance, AppAppearance::dark);
}

TEST(AppSettingsDecoding, StrictKeysFailTheWholeRecord)
{
    for (const char* json : {R"({"bypassModifier":"Option"})", R"({"mode":"sometimes"})",
             R"({"showMenuBarIcon":"true"})", R"({"showMenuBarIcon":1})", R"({"lastUsedDestinationID":"nope"})",
             R"({"bypassDestinationKey":7})", R"({"invertBypass":0})", R"({"globalHotkeysEnabled":"no"})",
             R"({"destinations":{}})", R"({"destinations":[{"id":"x"}]})", "[]", "not json"})
        EXPECT_FALSE(decode(json).has_value()) << json;
}

TEST(AppSettingsDecoding, NullMeansAbsent)
{
    const auto s = decode(R"({"lastUsedDestinationID":null,"showMenuBarIcon":null,"destinations":null})");
    ASSERT_TRUE(s.has_value());
    EXPECT_FALSE(s->lastUsedDestinationID.has_value());
    EXPECT_TRUE(s->showMenuBarIcon);
}

TEST(AppSettingsDecoding, OneMalformedDestinationFailsTheRecord)
{
    AppSettings s;
    s.destinations = {test::destination("com.google.Chrome", QString("Default"))};
    QJsonObject json = s.toJson();
    QJsonArray list = json.value("destinations").toArray();
    QJsonObject broken = list[0].toObject();
    broken.remove("isAvailable");
    list.append(broken);
    json.insert("destinations", list);
    EXPECT_FALSE(AppSettings::fromJson(json).has_value());
}

TEST(AppSettingsEncoding, RoundTripsAndLeavesOutAbsentKeys)
{
    EXPECT_EQ(AppSettings().toJson().size(), 14);

    AppSettings s;
    s.destinations = {test::destination("com.google.Chrome", QString("Default"), 3),
        test::destination("org.mozilla.firefox", std::nullopt, 1)};
    s.lastUsedDestinationID = s.destinations[1].id;
    s.bypassModifier = BypassModifier::control;
    s.privateModifier = BypassModifier::command;
    s.bypassDestinationKey = QStringLiteral("com.google.Chrome#Default");
    s.mode = RoutingMode::openBypass;
    s.showMenuBarIcon = false;
    s.launchAtLogin = s.hasCompletedOnboarding = s.reduceAnimations = s.invertBypass = s.demoMode = true;
    s.globalHotkeysEnabled = false;
    s.emojiPosition = EmojiPosition::bottomRight;
    s.globalHotkeyPrefix = HotkeyPrefix::optionCommand;
    s.appearance = AppAppearance::light;
    EXPECT_EQ(s.toJson().size(), 16);
    EXPECT_EQ(s.toJson().value("lastUsedDestinationID").toString(), uuidString(s.destinations[1].id));
    EXPECT_EQ(AppSettings::fromJsonBytes(s.toJsonBytes()), s);
}

TEST(AppSettingsVisibleDestinations, KeepsVisibleAvailableOnesInStableSortOrder)
{
    AppSettings s;
    auto a = test::destination("a.A", QString("1"), 5);
    auto hidden = test::destination("a.A", QString("2"), 0);
    hidden.isVisible = false;
    auto gone = test::destination("a.A", QString("3"), 0);
    gone.isAvailable = false;
    auto b = test::destination("a.A", QString("4"), 2);
    auto c = test::destination("a.A", QString("5"), 2);
    s.destinations = {a, hidden, gone, b, c};
    EXPECT_EQ(s.visibleDestinations(), (QList<BrowserDestination>{b, c, a}));
}

TEST(SettingsEnums, RawValuesAreExactCaseNames)
{
    EXPECT_EQ(fromRawValue<BypassModifier>("option"), BypassModifier::option);
    EXPECT_FALSE(fromRawValue<BypassModifier>("Option").has_value());
    EXPECT_EQ(rawValue(HotkeyPrefix::controlOptionShift), "controlOptionShift");
    EXPECT_EQ(allCases<EmojiPosition>().size(), 4);
    EXPECT_EQ(symbol(BypassModifier::control), "⌃");
    EXPECT_EQ(glyphs(HotkeyPrefix::hyper), "⌃⌥⇧⌘");
    EXPECT_EQ(glyphs(HotkeyPrefix::controlOptionCommand), "⌃⌥⌘");
    EXPECT_EQ(glyphs(HotkeyPrefix::controlOptionShift), "⌃⌥⇧");
    EXPECT_EQ(glyphs(HotkeyPrefix::optionCommand), "⌥⌘");
    EXPECT_EQ(displayName(EmojiPosition::besideIcon), "Beside Icon");
    EXPECT_EQ(label(AppAppearance::system), "System");
    EXPECT_EQ(menuRow(BypassModifier::command), "⌘  Command");
}

TEST(AppSettingsBypass, InvertSwapsTheGesturesAndLastUsedStoresNoKey)
{
    AppSettings s;
    EXPECT_FALSE(s.bypasses(false));
    EXPECT_TRUE(s.bypasses(true));
    s.invertBypass = true;
    EXPECT_TRUE(s.bypasses(false));
    EXPECT_FALSE(s.bypasses(true));

    s.setBypassDestinationKey("org.chromium.Chromium|Default");
    EXPECT_EQ(s.bypassDestinationKey, "org.chromium.Chromium|Default");
    s.setBypassDestinationKey(QString());
    EXPECT_FALSE(s.bypassDestinationKey.has_value());
}

// Preferences sorts and keeps a stored key no row has; onboarding lists as stored and adds nothing.
TEST(AppSettingsBypass, WhatToOpenRowsForEachMenu)
{
    AppSettings s;
    auto later = test::destination("a.A", QString("1"), 5);
    auto hidden = test::destination("a.A", QString("2"), 0);
    hidden.isVisible = false;
    auto gone = test::destination("a.A", QString("3"), 0);
    gone.isAvailable = false;
    s.destinations = {later, hidden, gone};
    const BypassDestinationRow lastUsed{QString(), "Last Used"};
    const BypassDestinationRow laterRow{later.matchKey(), later.menuLabel()};
    const BypassDestinationRow hiddenRow{hidden.matchKey(), hidden.menuLabel()};
    EXPECT_EQ(s.bypassDestinationRows(BypassDestinationMenu::onboarding),
        (QList<BypassDestinationRow>{lastUsed, laterRow, hiddenRow}));
    EXPECT_EQ(s.bypassDestinationRows(BypassDestinationMenu::preferences),
        (QList<BypassDestinationRow>{lastUsed, hiddenRow, laterRow}));

    s.bypassDestinationKey = gone.matchKey();
    EXPECT_EQ(s.bypassDestinationRows(BypassDestinationMenu::preferences).last(),
        (BypassDestinationRow{gone.matchKey(), gone.menuLabel() + " (unavailable)"}));
    EXPECT_EQ(s.bypassDestinationRows(BypassDestinationMenu::onboarding).size(), 3);
    s.bypassDestinationKey = later.matchKey();
    EXPECT_EQ(s.bypassDestinationRows(BypassDestinationMenu::preferences).size(), 3);
}

// --- Picker keys

class KeyAssignment : public ::testing::Test
{
protected:
    QList<BrowserDestination> make(const QList<std::optional<QString>>& hotkeys)
    {
        QList<BrowserDestination> list;
        for (const auto& key : hotkeys) {
            auto d = test::destination("a.A", QString::number(list.size()));
            d.hotkey = key;
            list.append(d);
        }
        return list;
    }
    QStringList keysOf(const QList<BrowserDestination>& list)
    {
        const auto keys = HotkeyAssignment::resolve(list);
        QStringList result;
        for (const auto& d : list)
            result.append(keys.value(d.id, QStringLiteral("-")));
        return result;
    }
};

TEST_F(KeyAssignment, SequenceKeysFillTheGapsExplicitKeysLeave)
{
    EXPECT_EQ(keysOf(make({std::nullopt, std::nullopt, std::nullopt})), QStringList({"1", "2", "3"}));
    EXPECT_EQ(keysOf(make({std::nullopt, QString("1")})), QStringList({"2", "1"}));
    EXPECT_EQ(
        keysOf(make({QString("W"), QString("work"), QString("0"), QString("")})), QStringList({"w", "1", "2", "3"}));
    EXPECT_EQ(keysOf(make({QString("!"), std::nullopt})), QStringList({"!", "1"}));
    EXPECT_EQ(keysOf(make({QString("👍🏽x"), std::nullopt})), QStringList({"👍🏽", "1"}));
    EXPECT_TRUE(HotkeyAssignment::resolve({}).isEmpty());
}

TEST_F(KeyAssignment, RunsOutAfterThirtyFiveKeys)
{
    const auto list = make(QList<std::optional<QString>>(36, std::nullopt));
    const QStringList keys = keysOf(list);
    EXPECT_EQ(keys[8], "9");
    EXPECT_EQ(keys[9], "a");
    EXPECT_EQ(keys[34], "z");
    EXPECT_EQ(keys[35], "-");
    EXPECT_FALSE(HotkeyAssignment::defaultSequence().contains("0"));
}

// --- Emoji, blank names and tints

TEST(EmojiInputNormalize, KeepsOneLeadingEmojiOnly)
{
    EXPECT_EQ(EmojiInput::normalize(std::nullopt), std::nullopt);
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("  🚀 rocket")), QStringLiteral("🚀"));
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("👩‍💻")), QStringLiteral("👩‍💻"));
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("1️⃣")), QStringLiteral("1️⃣"));
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("❤️")), QStringLiteral("❤️"));
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("abc")), std::nullopt);
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("1")), std::nullopt);
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("#")), std::nullopt);
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("©")), std::nullopt);
    EXPECT_EQ(EmojiInput::normalize(QStringLiteral("   ")), std::nullopt);
}

TEST(SafariBlankNames, WhitespaceFormatAndControlCharactersAreBlank)
{
    EXPECT_TRUE(SafariProfileDiscovery::isBlankName(""));
    EXPECT_TRUE(SafariProfileDiscovery::isBlankName(QStringLiteral("\u200D ")));
    EXPECT_TRUE(SafariProfileDiscovery::isBlankName(QStringLiteral("\t\n\u00A0\uFEFF")));
    EXPECT_FALSE(SafariProfileDiscovery::isBlankName(QStringLiteral("Work")));
    EXPECT_FALSE(SafariProfileDiscovery::isBlankName(QStringLiteral(" 🙂 ")));
}

TEST(PetalColors, TintsResolveByAppearanceAndOtherValuesStayFixed)
{
    EXPECT_EQ(Brand::petalTints().size(), 8);
    EXPECT_EQ(Brand::petalTints()[0].name, "Soft Ice");
    EXPECT_EQ(Brand::petalColor(std::nullopt), (ColorPair{0xF4F8FB, 0x111C26}));
    EXPECT_EQ(Brand::petalColor(0xCFE2F0u), (ColorPair{0xCFE2F0, 0x1F3A52}));
    EXPECT_EQ(Brand::petalColor(0x1F3A52u), ColorPair::fixed(0x1F3A52));
    EXPECT_EQ(Brand::petalColor(0x01CFE2F0u), ColorPair::fixed(0xCFE2F0));
    EXPECT_EQ(Brand::petalColor(0xCFE2F0u).color(true), QColor(0x1F, 0x3A, 0x52));
    EXPECT_EQ(Brand::accent.value(true), Brand::accent.value(false));
}
