#include "Tavro/Controls/BrowserDataHintBanner.h"
#include "Tavro/Controls/BuiltByCredit.h"
#include "Tavro/Controls/SafariHintBanner.h"
#include "tests/Support/QtPrinting.h"

#include <QAccessible>
#include <QKeySequence>
#include <QPushButton>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace tavro;

TEST(BrowserDataHintBannerTest, NamesTheBlockedBrowsersAsOnePhrase)
{
    BrowserDataHintBanner banner(BrowserDataHint::blocked({"Chrome", "Edge"}));
    EXPECT_EQ(banner.title(), "Let Tavro see your Chrome and Edge profiles");
    EXPECT_EQ(banner.message(),
        "macOS blocks Tavro from reading other apps’ data, so it can’t list Chrome and Edge "
        "profiles yet:");
    ASSERT_EQ(banner.stepTexts().size(), 4);
    EXPECT_EQ(banner.stepTexts()[0], "Click **Allow in Files & Folders…** below.");
    EXPECT_EQ(banner.stepTexts()[2], "Switch on each browser under it (Chrome and Edge).");
    EXPECT_EQ(banner.primaryLabel(), "Allow in Files & Folders…");
    EXPECT_EQ(banner.symbol(), "lock.shield");
}

TEST(BrowserDataHintBannerTest, TheButtonShowsItsAmpersand)
{
    BrowserDataHintBanner banner(BrowserDataHint::blocked({"Chrome"}));
    const QPushButton* button = banner.primaryButton();
    // The label as drawn and as read aloud: mnemonic markers taken out, "&&" shown as "&".
    EXPECT_EQ(QAccessible::queryAccessibleInterface(const_cast<QPushButton*>(button))->text(QAccessible::Name),
        "Allow in Files & Folders…");
    EXPECT_TRUE(QKeySequence::mnemonic(button->text()).isEmpty());
    EXPECT_EQ(banner.primaryLabel(), "Allow in Files & Folders…");
}

TEST(BrowserDataHintBannerTest, OneBrowserStandsAloneAndNoneSaysBrowser)
{
    EXPECT_EQ(BrowserDataHintBanner::browserList({"Brave"}), "Brave");
    EXPECT_EQ(BrowserDataHintBanner::browserList({"Brave", "Chrome", "Edge"}), "Brave, Chrome, and Edge");
    BrowserDataHintBanner banner(BrowserDataHint::blocked({}));
    EXPECT_EQ(banner.title(), "Let Tavro see your browser profiles");
    EXPECT_TRUE(banner.message().contains("can’t list browser profiles"));
    EXPECT_EQ(banner.stepTexts()[2], "Switch on each browser under it (browser).");
}

TEST(BrowserDataHintBannerTest, NoneShowsNothing)
{
    QWidget parent;
    auto* banner = new BrowserDataHintBanner(BrowserDataHint::none(), &parent);
    parent.show();
    EXPECT_FALSE(banner->isVisible());
    EXPECT_TRUE(banner->stepTexts().isEmpty());
}

TEST(BrowserDataHintBannerTest, TheButtonProbesThenOpensSettingsAndReCheckCallsBack)
{
    QStringList calls;
    BrowserDataHintBanner banner(BrowserDataHint::blocked({"Chrome"}));
    QObject::connect(&banner, &HintBanner::probeBrowserDataRequested, [&] { calls << "probe"; });
    QObject::connect(&banner, &HintBanner::openFilesAndFoldersSettingsRequested, [&] { calls << "settings"; });
    QObject::connect(&banner, &HintBanner::recheckRequested, [&] { calls << "recheck"; });
    banner.primaryButton()->click();
    banner.recheckButton()->click();
    EXPECT_EQ(calls, (QStringList{"probe", "settings", "recheck"}));
}

TEST(SafariHintBannerTest, EachHintHasItsTextsAndAction)
{
    QStringList calls;
    SafariHintBanner access(SafariHint::accessibilityNeeded);
    QObject::connect(&access, &HintBanner::registerForAccessibilityRequested, [&] { calls << "register"; });
    QObject::connect(&access, &HintBanner::openAccessibilitySettingsRequested, [&] { calls << "settings"; });
    EXPECT_EQ(access.title(), "Let Tavro see your Safari profiles");
    EXPECT_EQ(access.symbol(), "hand.raised");
    EXPECT_EQ(access.primaryLabel(), "Grant Accessibility…");
    access.primaryButton()->click();
    EXPECT_EQ(calls, (QStringList{"register", "settings"}));

    SafariHintBanner notRunning(SafariHint::safariNotRunning);
    EXPECT_EQ(notRunning.title(), "Open Safari to detect its profiles");
    EXPECT_EQ(notRunning.symbol(), "safari");
    EXPECT_EQ(notRunning.primaryLabel(), "Open Safari");
    notRunning.primaryButton()->click(); // no Safari here: nothing happens, nothing fails
}

TEST(SafariHintBannerTest, NoneKeepsTheFrameWithOnlyReCheck)
{
    int rechecks = 0;
    SafariHintBanner banner(SafariHint::none);
    QObject::connect(&banner, &HintBanner::recheckRequested, [&] { ++rechecks; });
    EXPECT_EQ(banner.symbol(), "lock.shield");
    EXPECT_TRUE(banner.title().isEmpty());
    EXPECT_TRUE(banner.message().isEmpty());
    EXPECT_EQ(banner.primaryButton(), nullptr);
    banner.recheckButton()->click();
    EXPECT_EQ(rechecks, 1);
}

TEST(BuiltByCreditTest, TheLinkCarriesTheCampaignTagsInOrder)
{
    const auto url = BuiltByCredit::url("settings");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->scheme(), "https");
    EXPECT_EQ(url->path(), "/from-tavro");
    const auto items = QUrlQuery(*url).queryItems();
    EXPECT_EQ(items,
        (QList<std::pair<QString, QString>>{{"utm_source", "tavro"}, {"utm_medium", "referral"},
            {"utm_campaign", "built-by"}, {"utm_content", "settings"}}));
}

TEST(BuiltByCreditTest, TheTemplateSplitsAroundTheName)
{
    using Parts = std::pair<QString, QString>;
    EXPECT_EQ(BuiltByCredit::split("Built by {0}"), Parts("Built by ", ""));
    EXPECT_EQ(BuiltByCredit::split("{0} built it"), Parts("", " built it"));
    EXPECT_EQ(BuiltByCredit::split("Credits"), Parts("Credits", ""));
    BuiltByCredit credit("about");
    EXPECT_EQ(credit.leadingText(), "Built by ");
    EXPECT_EQ(credit.nameButton()->text(), "Vask Haldor");
    EXPECT_EQ(credit.nameButton()->cursor().shape(), Qt::PointingHandCursor);
}
