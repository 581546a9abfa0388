#include "Tavro/Settings/EmojiCatalog.h"
#include "Tavro/Controls/ResourceBundle.h"
#include "Tavro/Model/Characters.h"
#include "Tavro/Model/EmojiInput.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <unicode/uchar.h>

using namespace tavro;
using EmojiCatalog::Entry;

TEST(EmojiCatalogTest, ScoresAnAliasBySubsequencePrefixAndEquality)
{
    const Entry heart{"❤️", "red heart", {"heart"}};
    EXPECT_EQ(EmojiCatalog::score(heart, "hrt"), 295);
    EXPECT_EQ(EmojiCatalog::score(heart, "hea"), 695);
    EXPECT_EQ(EmojiCatalog::score(heart, "heart"), 1000);
    // The name counts too: a name equal to the query is a prefix match, 500 minus its length.
    EXPECT_EQ(EmojiCatalog::score({"🔥", "fire", {}}, "fire"), 496);
    EXPECT_EQ(EmojiCatalog::score({"🔥", "fire", {}}, "fe"), 196);
    EXPECT_EQ(EmojiCatalog::score({"🔥", "fire", {}}, "x"), 0);
}

TEST(EmojiCatalogTest, NormalisesCaseWhiteSpaceColonsAndSpaces)
{
    for (const char* query : {":smile:", "smile", "  SMILE ", ":Smile:", "::smile:::"})
        EXPECT_EQ(EmojiCatalog::normalized(QString::fromUtf8(query)), "smile") << query;
    // White space goes before the colons, so a space behind a colon stays and becomes "_".
    EXPECT_EQ(EmojiCatalog::normalized(": smile"), "_smile");
    EXPECT_EQ(EmojiCatalog::normalized("thumbs up"), "thumbs_up");

    const QList<Entry> catalogue{{"👍", "thumbs up sign", {"thumbs up"}}, {"👎", "down", {"thumbs_down"}}};
    EXPECT_EQ(EmojiCatalog::search(catalogue, "Thumbs Up", 5).first(), "👍");
    EXPECT_EQ(EmojiCatalog::search(catalogue, ":thumbs down:", 5).first(), "👎");
    for (const char* empty : {"", "   ", ":", "::", " : ", "\n:\t"}) {
        EXPECT_TRUE(EmojiCatalog::search(catalogue, empty, 5).isEmpty()) << empty;
        EXPECT_TRUE(EmojiCatalog::search(QString::fromUtf8(empty), 5).isEmpty()) << empty;
    }
}

TEST(EmojiCatalogTest, ComparesWholeCharactersUpToCanonicalEquivalence)
{
    const Entry cafe{"☕", "coffee", {QString::fromUtf8("caf\u00e9")}};
    EXPECT_EQ(EmojiCatalog::search({cafe}, QString::fromUtf8("cafe\u0301"), 5), QStringList{"☕"});
    // "e" is not a prefix of the one character "é".
    EXPECT_EQ(EmojiCatalog::score({"x", "z", {QString::fromUtf8("e\u0301x")}}, "e"), 0);
}

TEST(EmojiCatalogTest, RanksByScoreThenShorterNameThenCatalogueOrder)
{
    const QList<Entry> catalogue{
        {"A", "aaaa", {"starry"}},        // alias prefix 700 - 6
        {"B", "bbbb", {"star_long"}},     // alias prefix 700 - 9
        {"C", "cccc", {"star"}},          // exact alias 1000
        {"D", "star gazer", {}},          // name prefix 500 - 10
        {"E", "star gazed", {}},          // same score and length as D: catalogue order
        {"F", "star", {}},                // name prefix 500 - 4
        {"G", "a long one", {"s_t_a_r"}}, // alias subsequence 300 - 7
    };
    EXPECT_EQ(EmojiCatalog::search(catalogue, "star", 24), (QStringList{"C", "A", "B", "F", "D", "E", "G"}));

    // Equal scores: the shorter stored name first, counted in characters, not code units.
    const QList<Entry> tied{
        {"1", "xx family 👨‍👩‍👧", {"ab"}}, {"2", "xx family ab", {"ab"}}, {"3", "x", {"ab"}}};
    EXPECT_EQ(EmojiCatalog::search(tied, "ab", 24), (QStringList{"3", "1", "2"}));
}

TEST(EmojiCatalogTest, DropsANameMatchOfNoPointsAndHonoursTheLimit)
{
    // A subsequence of a 201-character name scores -1.
    const QString longName = "q" + QString(199, 'x') + "z";
    EXPECT_TRUE(EmojiCatalog::search({{"L", longName, {}}}, "qz", 24).isEmpty());
    EXPECT_EQ(EmojiCatalog::search({{"L", longName, {"qz"}}}, "qz", 24), QStringList{"L"});

    const QList<Entry> catalogue{{"1", "one", {}}, {"2", "ones", {}}, {"3", "onest", {}}};
    EXPECT_TRUE(EmojiCatalog::search(catalogue, "one", 0).isEmpty());
    EXPECT_EQ(EmojiCatalog::search(catalogue, "one", 2), (QStringList{"1", "2"}));
    EXPECT_EQ(EmojiCatalog::search(catalogue, "one", 99).size(), 3);
}

TEST(EmojiCatalogTest, DecodesAllOrNothing)
{
    const QByteArray good = R"([{"emoji": "😀", "name": "grinning face", "aliases": ["grinning"], "extra": 1},
                               {"emoji": "😃", "name": "smiley", "aliases": []}])";
    const QList<Entry> entries = EmojiCatalog::decode(good);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].emoji, "😀");
    EXPECT_EQ(entries[0].aliases, QStringList{"grinning"});
    EXPECT_EQ(entries[1].name, "smiley");

    const char* bad[] = {
        R"([{"emoji": "😀", "name": "a", "aliases": []}, {"emoji": "😃", "name": "b"}])",
        R"([{"emoji": "😀", "name": "a", "aliases": []}, {"emoji": 3, "name": "b", "aliases": []}])",
        R"([{"emoji": "😀", "name": null, "aliases": []}])",
        R"([{"emoji": "😀", "name": "a", "aliases": ["x", 2]}])",
        R"([{"emoji": "😀", "name": "a", "aliases": []}, "😃"])",
        R"({"emoji": "😀", "name": "a", "aliases": []})",
        R"([{"emoji": "😀", "name": "a", "aliases": []})",
        "",
    };
    for (const char* json : bad)
        EXPECT_TRUE(EmojiCatalog::decode(json).isEmpty()) << json;
}

TEST(EmojiCatalogTest, EveryShippedEmojiIsOneStorableEmojiThisIcuKnows)
{
    const auto path = ResourceBundle::path("emoji", "json");
    ASSERT_TRUE(path);
    QFile file(*path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<Entry> entries = EmojiCatalog::decode(file.readAll());
    ASSERT_GT(entries.size(), 1500);
    QSet<QString> seen;
    for (const Entry& entry : entries) {
        EXPECT_EQ(EmojiInput::normalize(entry.emoji), entry.emoji) << qPrintable(entry.name);
        EXPECT_EQ(characters(entry.emoji).size(), 1) << qPrintable(entry.name);
        for (const uint scalar : entry.emoji.toUcs4())
            EXPECT_NE(u_charType(UChar32(scalar)), U_UNASSIGNED) << qPrintable(entry.name);
        EXPECT_FALSE(seen.contains(entry.emoji)) << qPrintable(entry.name);
        seen.insert(entry.emoji);
        EXPECT_FALSE(entry.name.isEmpty());
        for (const QString& alias : entry.aliases)
            EXPECT_FALSE(alias.isEmpty() || alias.contains(':') || alias.contains(' ')) << qPrintable(alias);
    }
}

TEST(EmojiCatalogTest, TheShippedCatalogueFindsTheUsualShortcodes)
{
    EXPECT_EQ(EmojiCatalog::search(":smile:", 24).value(0), "😄");
    EXPECT_EQ(EmojiCatalog::search("SMILE", 24).value(0), "😄");
    EXPECT_EQ(EmojiCatalog::search("heart", 24).value(0), "❤️");
    EXPECT_EQ(EmojiCatalog::search("thumbs up", 24).value(0), "👍");
    EXPECT_EQ(EmojiCatalog::search("+1", 24).value(0), "👍");
    EXPECT_EQ(EmojiCatalog::search("a", 24).size(), 24);
}
