// Folding discovery scans into the stored destinations, and the queries the shell asks of them.

#include "tests/Model/StoreFixture.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tavro;
using tavro::test::destination;

namespace {

const QString chrome = QStringLiteral("com.google.Chrome");
const QString firefox = QStringLiteral("org.mozilla.firefox");

// What a scan reports for an already stored profile: fresh id, default decoration.
BrowserDestination rescanned(const BrowserDestination& stored)
{
    BrowserDestination d = destination(stored.browserBundleIdentifier, stored.profileID);
    d.profileDisplayName = stored.profileDisplayName;
    d.browserID = stored.browserID;
    d.browserDisplayName = stored.browserDisplayName;
    d.launchStrategy = stored.launchStrategy;
    d.profilePhotoPath = stored.profilePhotoPath;
    d.browserExecutablePath = stored.browserExecutablePath;
    return d;
}

QStringList profiles(const QList<BrowserDestination>& list)
{
    QStringList names;
    for (const auto& d : list)
        names.append(d.profileID.value_or("_current") + "@" + QString::number(d.sortOrder));
    return names;
}

} // namespace

class Merge : public test::StoreFixture
{
protected:
    void SetUp() override
    {
        AppSettings settings;
        work = destination(chrome, QString("Work"), 0);
        work.hotkey = "w";
        work.profileEmoji = "💼";
        work.nodeColorHex = 0xCFE2F0;
        work.isVisible = false;
        work.preferEmojiOverPhoto = true;
        home = destination(chrome, QString("Home"), 1);
        fox = destination(firefox, QString("default"), 5);
        settings.destinations = {work, home, fox};
        open(settings);
    }
    const QList<BrowserDestination>& list() const { return store->settings().destinations; }

    BrowserDestination work, home, fox;
};

TEST_F(Merge, SameProfilesAgainWriteNothing)
{
    store->mergeDiscovered({rescanned(work), rescanned(home), rescanned(fox)}, {});
    EXPECT_EQ(writes(), 0);
}

TEST_F(Merge, RediscoveredProfileKeepsIdentityAndDecorationButTakesNewNames)
{
    BrowserDestination renamed = rescanned(work);
    renamed.profileDisplayName = "Office";
    renamed.profilePhotoPath = "/new.png";
    store->mergeDiscovered({renamed, rescanned(home), rescanned(fox)}, {});
    EXPECT_EQ(writes(), 1);
    const BrowserDestination& merged = list()[0];
    EXPECT_EQ(merged.id, work.id);
    EXPECT_EQ(merged.profileDisplayName, "Office");
    EXPECT_EQ(merged.profilePhotoPath, "/new.png");
    EXPECT_EQ(merged.hotkey, "w");
    EXPECT_EQ(merged.profileEmoji, "💼");
    EXPECT_EQ(merged.nodeColorHex, 0xCFE2F0u);
    EXPECT_FALSE(merged.isVisible);
    EXPECT_TRUE(merged.preferEmojiOverPhoto);
    EXPECT_EQ(merged.sortOrder, 0);
}

TEST_F(Merge, UnavailableDestinationFoundAgainBecomesAvailable)
{
    store->mergeDiscovered({rescanned(work), rescanned(home)}, {}); // Firefox uninstalled
    EXPECT_EQ(writes(), 1);
    EXPECT_FALSE(list()[2].isAvailable);
    EXPECT_EQ(list()[2].id, fox.id);
    store->mergeDiscovered({rescanned(work), rescanned(home), rescanned(fox)}, {});
    EXPECT_EQ(writes(), 2);
    EXPECT_TRUE(list()[2].isAvailable);
}

TEST_F(Merge, DeletedProfileOfAScannedBrowserIsDropped)
{
    store->recordUse(home);
    store->mergeDiscovered({rescanned(work), rescanned(fox)}, {});
    EXPECT_EQ(profiles(list()), QStringList({"Work@0", "default@5"}));
    EXPECT_EQ(store->settings().lastUsedDestinationID, home.id) << "a profile recipe leaves last-used alone";
    EXPECT_EQ(writes(), 2);
}

TEST_F(Merge, UnreliableBrowserKeepsItsDestinationsUntouched)
{
    store->mergeDiscovered({rescanned(fox)}, {chrome});
    EXPECT_EQ(writes(), 0);
    EXPECT_EQ(list()[0], work);
    EXPECT_EQ(list()[1], home);
}

TEST_F(Merge, EmptyScanDropsNothing)
{
    store->mergeDiscovered({}, {});
    EXPECT_EQ(list().size(), 3);
    for (const auto& d : list())
        EXPECT_FALSE(d.isAvailable);
}

TEST_F(Merge, NewProfilesAreNumberedAfterTheLargestSoFar)
{
    BrowserDestination a = destination(chrome, QString("A")), b = destination(chrome, QString("B"));
    store->mergeDiscovered({rescanned(work), rescanned(home), rescanned(fox), a, b}, {});
    EXPECT_EQ(profiles(list()), QStringList({"Work@0", "Home@1", "default@5", "A@6", "B@7"}));
}

TEST_F(Merge, NewProfileFirstInTheScanCountsFromTheStoredList)
{
    BrowserDestination a = destination(chrome, QString("A")), b = destination(chrome, QString("B"));
    store->mergeDiscovered({a, b, rescanned(work), rescanned(home), rescanned(fox)}, {});
    // 3 stored + 1 = 4, then 5 beside Firefox's 5: the scan order decides between them.
    EXPECT_EQ(profiles(list()), QStringList({"Work@0", "Home@1", "A@4", "B@5", "default@5"}));
}

TEST_F(Merge, CurrentProfileReplacedByRealProfilesMovesLastUsed)
{
    AppSettings settings;
    BrowserDestination current = destination(chrome, std::nullopt, 0);
    settings.destinations = {current};
    settings.lastUsedDestinationID = current.id;
    open(settings);
    BrowserDestination first = destination(chrome, QString("Default")), second = destination(chrome, QString("P1"));
    store->mergeDiscovered({first, second}, {});
    EXPECT_EQ(writes(), 1) << "the new list and the moved last-used destination are one write";
    EXPECT_EQ(store->settings().lastUsedDestinationID, first.id);
    EXPECT_EQ(storedAtTell[0].lastUsedDestinationID, first.id);
}

TEST_F(Merge, ScanReportingOneProfileTwiceKeepsOneDestination)
{
    BrowserDestination twice = rescanned(home);
    twice.profileDisplayName = "Second copy";
    store->mergeDiscovered({rescanned(work), rescanned(home), twice, rescanned(fox)}, {});
    EXPECT_EQ(list().size(), 3);
    EXPECT_EQ(list()[1].id, home.id);
    EXPECT_EQ(list()[1].profileDisplayName, home.profileDisplayName);
}

TEST_F(Merge, ScanReportingOneNewProfileTwiceKeepsTheFirstReport)
{
    BrowserDestination fresh = destination(chrome, QString("New")), again = destination(chrome, QString("New"));
    again.profileDisplayName = "Second copy";
    store->mergeDiscovered({rescanned(work), fresh, again, rescanned(home), rescanned(fox)}, {});
    EXPECT_EQ(profiles(list()), QStringList({"Work@0", "New@1", "Home@1", "default@5"}));
    EXPECT_EQ(list()[1].id, fresh.id);

    // The next scan finds one destination per key, so the first report keeps its decoration.
    store->setHotkey(QStringLiteral("n"), fresh.id);
    store->mergeDiscovered({rescanned(work), destination(chrome, QString("New")), rescanned(home), rescanned(fox)}, {});
    ASSERT_EQ(list().size(), 4);
    EXPECT_EQ(list()[1].id, fresh.id);
    EXPECT_EQ(list()[1].hotkey, "n");
}

TEST_F(Merge, StoredDuplicatesCollapseIntoTheLaterOnesDecoration)
{
    AppSettings settings;
    BrowserDestination a = destination(chrome, QString("X"), 0), b = destination(chrome, QString("X"), 3);
    b.profileEmoji = "🅱️";
    settings.destinations = {a, b};
    open(settings);
    store->mergeDiscovered({destination(chrome, QString("X"))}, {});
    ASSERT_EQ(list().size(), 1);
    EXPECT_EQ(list()[0].id, b.id);
    EXPECT_EQ(list()[0].profileEmoji, "🅱️");
}

TEST_F(Merge, SortOrderSaturatesInsteadOfOverflowing)
{
    AppSettings settings;
    settings.destinations = {destination(chrome, QString("X"), std::numeric_limits<qint64>::max())};
    open(settings);
    store->mergeDiscovered({rescanned(settings.destinations[0]), destination(chrome, QString("Y"))}, {});
    ASSERT_EQ(list().size(), 2);
    EXPECT_EQ(list()[1].sortOrder, std::numeric_limits<qint64>::max());
    EXPECT_EQ(list()[1].profileID, "Y");
}

// --- Bypass and hot-key queries

class Bypass : public test::StoreFixture
{
protected:
    void SetUp() override
    {
        AppSettings settings;
        work = destination(chrome, QString("Work"), 0);
        work.browserDisplayName = "Chrome";
        work.profileDisplayName = "Work";
        arc = destination("company.thebrowser.Browser", std::nullopt, 1);
        arc.browserDisplayName = "Arc";
        settings.destinations = {work, arc};
        open(settings);
    }
    void setKey(const std::optional<QString>& key)
    {
        store->edit([&](AppSettings& s) { s.bypassDestinationKey = key; });
    }
    void setAvailable(int index, bool available)
    {
        store->edit([&](AppSettings& s) { s.destinations[index].isAvailable = available; });
    }

    BrowserDestination work, arc;
};

TEST_F(Bypass, ToTheLastUsed)
{
    EXPECT_EQ(store->bypassTarget(), BypassTarget::picker());
    store->recordUse(work);
    EXPECT_EQ(store->bypassTarget(), BypassTarget::destination(store->settings().destinations[0]));
    setAvailable(0, false);
    EXPECT_EQ(store->bypassTarget(), BypassTarget::picker());
    store->recordUse(destination(chrome, QString("gone")));
    EXPECT_FALSE(store->lastUsedDestination().has_value());
    EXPECT_EQ(store->bypassTarget(), BypassTarget::picker());
}

TEST_F(Bypass, ToAStoredKey)
{
    store->setVisible(false, work.id);
    setKey(work.matchKey());
    EXPECT_EQ(store->bypassTarget().kind(), BypassTarget::Kind::destination) << "hidden but available still counts";
    EXPECT_EQ(store->bypassDestinationLabel(), "Chrome (Work)");

    setAvailable(0, false);
    EXPECT_EQ(store->bypassTarget(), BypassTarget::picker(QStringLiteral("Chrome (Work) isn’t available right now")));
    setKey(arc.matchKey());
    setAvailable(1, false);
    EXPECT_EQ(store->bypassTarget(), BypassTarget::picker(QStringLiteral("Arc isn’t available right now")));
    setKey(QStringLiteral("com.vivaldi.Vivaldi#Profile 2"));
    EXPECT_EQ(
        store->bypassTarget(), BypassTarget::picker(QStringLiteral("Vivaldi (Profile 2) isn’t available right now")));
    setKey(std::nullopt);
    EXPECT_FALSE(store->bypassDestinationLabel().has_value());
}

TEST_F(Bypass, HotkeyBindingsFollowPickerKeysThenZero)
{
    EXPECT_EQ(store->globalHotkeyBindings(),
        (QList<GlobalHotkeyBinding>{
            {"1", GlobalHotkeyTarget::destination(work.id)}, {"2", GlobalHotkeyTarget::destination(arc.id)}}));
    store->setHotkey(QStringLiteral("A"), arc.id);
    store->recordUse(destination(chrome, QString("deleted")));
    EXPECT_EQ(store->globalHotkeyBindings(),
        (QList<GlobalHotkeyBinding>{{"1", GlobalHotkeyTarget::destination(work.id)},
            {"a", GlobalHotkeyTarget::destination(arc.id)}, {"0", GlobalHotkeyTarget::mostRecent()}}));
}

TEST_F(Bypass, FortyDestinationsGetThirtyFiveBindings)
{
    AppSettings settings;
    for (int i = 0; i < 40; ++i)
        settings.destinations.append(destination(chrome, QString::number(i), i));
    settings.lastUsedDestinationID = settings.destinations[0].id;
    open(settings);
    const auto bindings = store->globalHotkeyBindings();
    ASSERT_EQ(bindings.size(), 36);
    EXPECT_EQ(bindings[34].key, "z");
    EXPECT_EQ(bindings[34].target, GlobalHotkeyTarget::destination(settings.destinations[34].id));
    EXPECT_EQ(bindings[35].key, "0");
}
