#include "Tavro/Picker/FlowerNode.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/PrivateTheme.h"
#include "tests/Picker/PickerFixtures.h"

#include <gtest/gtest.h>

using namespace tavro;

struct LookCase
{
    const char* name;
    bool isPrivate;
    bool selected;
    bool enabled;
    std::optional<quint32> tint;
    ColorPair fill;
    ColorPair stroke;
    double border;
    double scale;
    const char* symbol;
    friend void PrintTo(const LookCase& c, std::ostream* out) { *out << c.name; }
};

class FlowerNodeLook : public testing::TestWithParam<LookCase>
{ };

TEST_P(FlowerNodeLook, FollowsTheFourFlags)
{
    const auto& c = GetParam();
    FlowerNode node;
    node.destination = test::destination("Work");
    node.destination.nodeColorHex = c.tint;
    node.isPrivate = c.isPrivate;
    node.isSelected = c.selected;
    node.isEnabled = c.enabled;
    node.isLastUsed = true;
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        const bool dark = appearance == Appearance::dark;
        EXPECT_EQ(node.fillColor(appearance), c.fill.color(dark)) << (dark ? "dark" : "light");
        EXPECT_EQ(node.strokeColor(appearance), c.stroke.color(dark)) << (dark ? "dark" : "light");
    }
    EXPECT_EQ(node.borderWidth(), c.border);
    EXPECT_EQ(node.selectionScale(), c.scale);
    EXPECT_EQ(node.shadowRadius(), c.selected ? 15 : 9);
    EXPECT_EQ(node.stateSymbol(), QString::fromLatin1(c.symbol));
}

constexpr quint32 softIce = 0xCFE2F0;
const ColorPair softIcePair{0xCFE2F0, 0x1F3A52};

INSTANTIATE_TEST_SUITE_P(Rules, FlowerNodeLook,
    testing::Values(LookCase{"normalPlain", false, false, true, std::nullopt, Brand::frost, Brand::divider, 1, 1.0,
                        "clock.arrow.circlepath"},
        LookCase{
            "normalTinted", false, false, true, softIce, softIcePair, Brand::divider, 1, 1.0, "clock.arrow.circlepath"},
        LookCase{
            "selectedTinted", false, true, true, softIce, Brand::navy, softIcePair, 4, 1.1, "clock.arrow.circlepath"},
        LookCase{"selectedPlain", false, true, true, std::nullopt, Brand::navy, Brand::accent, 2, 1.1,
            "clock.arrow.circlepath"},
        LookCase{"privateSelected", true, true, true, softIce, PrivateTheme::accent, PrivateTheme::accentBright, 2, 1.1,
            "eye.slash.fill"},
        LookCase{"privateSelectedDisabled", true, true, false, softIce, PrivateTheme::surface, PrivateTheme::divider, 1,
            1.0, "nosign"},
        LookCase{"privatePlain", true, false, true, std::nullopt, PrivateTheme::surface, PrivateTheme::divider, 1, 1.0,
            "eye.slash.fill"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlowerNodeTest, WithoutLastUseOrPrivacyThereIsNoMark)
{
    FlowerNode node;
    node.destination = test::destination("Work");
    EXPECT_TRUE(node.stateSymbol().isEmpty());
    node.isLastUsed = true;
    EXPECT_EQ(node.toolTip(), "Last used");
    node.isPrivate = true;
    EXPECT_TRUE(node.toolTip().isEmpty()) << "the clock is not drawn in private mode";
}

TEST(FlowerNodeTest, SpokenLabelNamesBrowserProfileUseAndPrivacy)
{
    FlowerNode node;
    node.destination = test::destination("Work");
    node.hotkey = QStringLiteral("W");
    EXPECT_EQ(node.accessibilityLabel(), "Google Chrome, Work");
    EXPECT_EQ(node.accessibilityHint(), "Press W to open here");
    node.isLastUsed = true;
    node.isPrivate = true;
    node.isEnabled = false;
    EXPECT_EQ(node.accessibilityLabel(), "Google Chrome, Work, Last used, Private window");
    EXPECT_EQ(node.accessibilityHint(), "Press W to open here") << "the hint does not depend on being enabled";
    node.hotkey.reset();
    EXPECT_EQ(node.accessibilityHint(), "");
}

TEST(FlowerNodeTest, AccessibleNamesFollowTheBrowserTable)
{
    auto d = test::destination("Atlas", "com.openai.atlas");
    EXPECT_EQ(FlowerNode::accessibilityName(d), "ChatGPT Atlas") << "a browser without profiles is named alone";
    EXPECT_EQ(FlowerNode::privateAccessibilityText(d), "ChatGPT Atlas can’t open private windows");

    auto unknown = test::destination("Main", "org.example.unknown");
    unknown.browserDisplayName = QStringLiteral("Example");
    EXPECT_EQ(FlowerNode::accessibilityName(unknown), "Example, Main");
    EXPECT_EQ(FlowerNode::privateAccessibilityText(unknown), "Example can’t open private windows");

    auto emoji = test::destination("Home");
    emoji.profileEmoji = QStringLiteral("🏠");
    EXPECT_EQ(FlowerNode::accessibilityName(emoji), "🏠 Google Chrome, Home");
    emoji.profilePhotoPath = QStringLiteral("/nowhere/photo.png");
    EXPECT_EQ(FlowerNode::accessibilityName(emoji), "Google Chrome, Home") << "a photo path drops the emoji prefix";
    emoji.preferEmojiOverPhoto = true;
    EXPECT_EQ(FlowerNode::accessibilityName(emoji), "🏠 Google Chrome, Home");
}

TEST(FlowerNodeTest, BadgesTakeTheModesColours)
{
    FlowerNode node;
    const HotkeyBadge normal = node.badge("1", Appearance::dark);
    EXPECT_EQ(normal.foreground, Brand::frost.color(true));
    EXPECT_EQ(normal.background, Brand::accent.color(true));
    node.isPrivate = true;
    const HotkeyBadge privately = node.badge("1", Appearance::light);
    EXPECT_EQ(privately.foreground, QColor(Qt::white));
    EXPECT_EQ(privately.background, PrivateTheme::accent.color(false));
    EXPECT_EQ(privately.stroke, PrivateTheme::surface.color(false));
}

TEST(FlowerNodeTest, ALongNameKeepsThePetalWidth)
{
    FlowerNode node;
    node.destination = test::destination(QStringLiteral("A profile name far too long for any petal"));
    EXPECT_EQ(node.size().width(), 96);
    // The canvas leaves 38 points each side of a petal's centre.
    EXPECT_LE(node.size().height() / 2, 38);
}
