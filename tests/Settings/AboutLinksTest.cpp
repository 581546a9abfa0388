#include "Tavro/Settings/AboutLinks.h"
#include "Tavro/Settings/ShareDestination.h"

#include <QProcess>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

const QString root = QString::fromLatin1(AboutLinks::siteRoot);

// What an independent parser reads from `url`: "path|k=v|k=v|...#fragment", each value decoded.
QString parsedByPython(const QUrl& url)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
        {QStringLiteral("-c"),
            QStringLiteral("import sys, urllib.parse as p\n"
                           "u = p.urlsplit(sys.argv[1])\n"
                           "items = p.parse_qsl(u.query, keep_blank_values=True)\n"
                           "print('|'.join([u.path] + [k + '=' + v for k, v in items]) + '#' + u.fragment)\n"),
            url.toString(QUrl::FullyEncoded)});
    python.waitForFinished();
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(AboutLinksTest, TheSixPagesInOrderWithTheirSymbolsAndTitles)
{
    const QList<AboutLinks::Link> expected{{"/", "globe"}, {"/release-notes", "doc.text"}, {"/help", "book"},
        {"/support", "questionmark.circle"}, {"/privacy", "hand.raised"}, {"/terms", "doc.plaintext"}};
    EXPECT_EQ(AboutLinks::all(), expected);
    QStringList titles;
    for (const auto& link : AboutLinks::all())
        titles.append(AboutLinks::title(link.path));
    EXPECT_EQ(
        titles, (QStringList{"Website", "Release Notes", "Help", "Contact Support", "Privacy Policy", "Terms of Use"}));
    EXPECT_EQ(AboutLinks::title("/faq"), "/faq");
    EXPECT_EQ(AboutLinks::title("/Help"), "/Help");
}

TEST(AboutLinksTest, TheReferralItemsFollowThePathsOwnAndTheFragmentStaysLast)
{
    EXPECT_EQ(AboutLinks::url("/release-notes", "app")->toString(),
        root + "/release-notes?utm_source=tavro&utm_medium=referral&utm_campaign=about&utm_content=app");
    EXPECT_EQ(AboutLinks::url("/help#missing-profile", "help")->toString(),
        root + "/help?utm_source=tavro&utm_medium=referral&utm_campaign=about&utm_content=help#missing-profile");
    EXPECT_EQ(AboutLinks::url("/x?a=1&b=2", "privacy")->toString(),
        root + "/x?a=1&b=2&utm_source=tavro&utm_medium=referral&utm_campaign=about&utm_content=privacy");
    EXPECT_EQ(AboutLinks::url("/", "")->toString(),
        root + "/?utm_source=tavro&utm_medium=referral&utm_campaign=about&utm_content=");
}

TEST(AboutLinksTest, APathThatDoesNotParseGivesNone)
{
    EXPECT_EQ(AboutLinks::url("/a page", "help"), std::nullopt);
    EXPECT_EQ(AboutLinks::url("/%zz", "help"), std::nullopt);
}

TEST(AboutLinksTest, AnIndependentParserReadsTheItemsInOrderWithTheirValues)
{
    EXPECT_EQ(parsedByPython(*AboutLinks::url("/help?q=1#uninstall", "a&b=c#d+e %25 f")),
        "/help|q=1|utm_source=tavro|utm_medium=referral|utm_campaign=about|utm_content=a&b=c#d+e %25 f#uninstall");
    EXPECT_EQ(parsedByPython(*AboutLinks::tagged(root + "?utm_source=mine", "other-projects", "app")),
        "|utm_source=mine|utm_source=tavro|utm_medium=referral|utm_campaign=other-projects|utm_content=app#");
}

TEST(ShareDestinationTest, TheEightNetworksInMenuOrderWithNamesCodesAndPictures)
{
    const QList<ShareDestination> order{ShareDestination::x, ShareDestination::bluesky, ShareDestination::threads,
        ShareDestination::mastodon, ShareDestination::reddit, ShareDestination::linkedin, ShareDestination::facebook,
        ShareDestination::whatsapp};
    EXPECT_EQ(allCases<ShareDestination>(), order);
    QStringList names, links;
    for (ShareDestination destination : order) {
        names.append(displayName(destination));
        links.append(shareLink(shortCode(destination))->path());
    }
    EXPECT_EQ(
        names, (QStringList{"X", "Bluesky", "Threads", "Mastodon", "Reddit", "LinkedIn", "Facebook", "WhatsApp"}));
    EXPECT_EQ(links, (QStringList{"/s/xs", "/s/bs", "/s/ts", "/s/ms", "/s/rs", "/s/ls", "/s/fs", "/s/ws"}));
    EXPECT_EQ(shareLink('a')->toString(), root + "/s/as");
    EXPECT_EQ(iconName(ShareDestination::linkedin), "social-linkedin");
    EXPECT_EQ(shortCode(ShareDestination::linkedin), QChar('l'));
    EXPECT_EQ(fromRawValue<ShareDestination>("x"), ShareDestination::x);
    EXPECT_EQ(fromRawValue<ShareDestination>("X"), std::nullopt);
}

TEST(ShareDestinationTest, EachComposePageCarriesItsItemsInOrder)
{
    const QString message = "Try & see";
    const QString title = "A title";
    const auto parsed = [&](ShareDestination d) {
        const QUrl url = *composerURL(d, message, title);
        EXPECT_EQ(url.scheme(), "https");
        return url.host() + parsedByPython(url);
    };
    const QString link = root + "/s/";
    EXPECT_EQ(parsed(ShareDestination::x), "x.com/intent/post|text=Try & see|url=" + link + "xs#");
    EXPECT_EQ(parsed(ShareDestination::bluesky), "bsky.app/intent/compose|text=Try & see " + link + "bs#");
    EXPECT_EQ(parsed(ShareDestination::threads), "www.threads.net/intent/post|text=Try & see " + link + "ts#");
    EXPECT_EQ(parsed(ShareDestination::mastodon), "mastodon.social/share|text=Try & see " + link + "ms#");
    EXPECT_EQ(parsed(ShareDestination::reddit), "www.reddit.com/submit|url=" + link + "rs|title=A title#");
    EXPECT_EQ(parsed(ShareDestination::linkedin), "www.linkedin.com/sharing/share-offsite/|url=" + link + "ls#");
    EXPECT_EQ(parsed(ShareDestination::facebook), "www.facebook.com/sharer/sharer.php|u=" + link + "fs#");
    EXPECT_EQ(parsed(ShareDestination::whatsapp), "wa.me/|text=Try & see " + link + "ws#");
    EXPECT_EQ(QUrlQuery(*composerURL(ShareDestination::bluesky, "", "")).queryItemValue("text", QUrl::FullyDecoded),
        " " + link + "bs");
}
