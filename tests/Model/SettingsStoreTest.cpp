// Loading, repairing and editing the settings record, with the exact count of writes.

#include "tests/Model/StoreFixture.h"

#include "Tavro/Model/Brand.h"
#include "tests/Support/FileSizeLimit.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tavro;
using tavro::test::destination;

class SettingsStoreLoad : public test::StoreFixture
{ };

TEST_F(SettingsStoreLoad, NothingStoredGivesTheDefaultsAndWritesNothing)
{
    SettingsStore& s = open();
    EXPECT_EQ(s.settings(), AppSettings());
    EXPECT_EQ(s.safariHint(), SafariHint::none);
    EXPECT_EQ(s.browserDataHint(), BrowserDataHint::none());
    EXPECT_EQ(writes(), 0);
    EXPECT_FALSE(defaults.contains(SettingsStore::defaultsKey));
}

TEST_F(SettingsStoreLoad, LoadsTheStoredRecord)
{
    AppSettings settings;
    settings.destinations = {destination("com.google.Chrome", QString("Default"))};
    settings.invertBypass = true;
    EXPECT_EQ(open(settings).settings(), settings);
    EXPECT_EQ(writes(), 0);
}

TEST_F(SettingsStoreLoad, UndecodableDataIsKeptAsABackupBeforeTheFirstWrite)
{
    const QByteArray damaged = R"({"destinations":[{"id":"nope"}],"invertBypass":true})";
    EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, damaged));
    SettingsStore& s = open();
    EXPECT_EQ(s.settings(), AppSettings());
    EXPECT_EQ(defaults.data(SettingsStore::defaultsKey), damaged) << "loading must not touch the stored bytes";
    EXPECT_FALSE(QFileInfo::exists(backupPath()));

    s.edit([](AppSettings& a) { a.reduceAnimations = true; });
    EXPECT_EQ(backup(), damaged);
    EXPECT_TRUE(stored().reduceAnimations);

    // A second damaged record later does not overwrite the first backup.
    const QByteArray damagedAgain = "{ truncated";
    EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, damagedAgain));
    open().setVisible(true, QUuid::createUuid()); // no write: unknown id
    EXPECT_EQ(defaults.data(SettingsStore::defaultsKey), damagedAgain);
    store->recordUse(destination("a.A", std::nullopt));
    EXPECT_EQ(backup(), damaged);
    EXPECT_EQ(backup(".2"), damagedAgain);
}

TEST_F(SettingsStoreLoad, ALargeBackupStaysOutOfTheFileEveryWriteRewrites)
{
    const QByteArray damaged = "{" + QByteArray(4 * 1024 * 1024, 'x');
    EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, damaged));
    SettingsStore& s = open();
    for (int i = 0; i < 3; ++i)
        s.edit([](AppSettings& a) { a.reduceAnimations = !a.reduceAnimations; });
    EXPECT_EQ(backup(), damaged);
    EXPECT_LT(QFileInfo(defaults.filePath()).size(), 4096);
    EXPECT_FALSE(QFileInfo::exists(backupPath(".2")));
}

// A record hand-edited in the INI file that older versions kept, as the INI reader gives it back.
struct IniRecordCase
{
    const char* name;
    QByteArray line;
    QByteArray kept; // what the backup holds; empty when the record decodes
};

class SettingsStoreFromIni : public ::testing::TestWithParam<IniRecordCase>
{ };

TEST_P(SettingsStoreFromIni, TheRecordIsReadOrKeptAndTheIniFileStaysAsItWas)
{
    test::TempHome home;
    const QByteArray ini = "[General]\ntavro.settings.v1=" + GetParam().line + "\n";
    const QString iniPath = home.writeFile("Library/Preferences/com.vaskhaldor.Tavro.ini", ini);
    const QString backupPath = home.filePath("Library/Preferences/" + SettingsStore::unreadableBackupFileName());
    {
        UserDefaults defaults(UserDefaults::standardPath());
        SettingsStore store(defaults);
        EXPECT_EQ(store.settings().invertBypass, GetParam().kept.isEmpty());
        store.edit([](AppSettings& a) { a.reduceAnimations = true; });
    }
    QFile backup(backupPath);
    if (GetParam().kept.isEmpty()) {
        EXPECT_FALSE(backup.exists());
    } else {
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
        EXPECT_EQ(backup.readAll(), GetParam().kept);
    }
    QFile iniFile(iniPath);
    ASSERT_TRUE(iniFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(iniFile.readAll(), ini);

    UserDefaults reopened(UserDefaults::standardPath());
    const AppSettings settings = SettingsStore(reopened).settings();
    EXPECT_TRUE(settings.reduceAnimations);
    EXPECT_EQ(settings.invertBypass, GetParam().kept.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Records, SettingsStoreFromIni,
    ::testing::Values(IniRecordCase{"Good", R"x("@ByteArray({\"invertBypass\":true})")x", {}},
        // Unquoted commas make the INI reader split the JSON into a list.
        IniRecordCase{"ReadAsAList", R"({"invertBypass":true,"mode":"alwaysAsk"})",
            R"({"invertBypass":true,"mode":"alwaysAsk"})"},
        IniRecordCase{"BadVariant", R"(@Variant(\0\0\0\x7f\0\0\0\x3zzz))", R"(@Variant(\0\0\0\x7f\0\0\0\x3zzz))"}),
    [](const auto& info) { return std::string(info.param.name); });

class SafariRepair : public test::StoreFixture
{
protected:
    BrowserDestination blankSafari(const QString& name, qint64 sortOrder)
    {
        BrowserDestination d
            = ProfileDiscoveryService::makeSafariDestination(DiscoveredProfile{name, name, {}}, sortOrder);
        d.hotkey = QStringLiteral("s");
        d.profileEmoji = QStringLiteral("🧭");
        d.nodeColorHex = 0xCFE2F0;
        d.isVisible = false;
        d.preferEmojiOverPhoto = true;
        d.profilePhotoPath = QStringLiteral("/tmp/x.png");
        return d;
    }
};

TEST_F(SafariRepair, BlankProfileBecomesTheCurrentProfileWithItsDecoration)
{
    AppSettings settings;
    const BrowserDestination blank = blankSafari(QStringLiteral("\u200D "), 4);
    const BrowserDestination second = blankSafari(QString(), 6);
    settings.destinations = {destination("com.google.Chrome", QString("Default")), blank, second};
    settings.bypassDestinationKey = second.matchKey();

    SettingsStore& s = open(settings);
    ASSERT_EQ(s.settings().destinations.size(), 2);
    const BrowserDestination& repaired = s.settings().destinations[1];
    EXPECT_EQ(repaired.id, blank.id);
    EXPECT_EQ(repaired.launchStrategy, LaunchStrategy::browserCurrentProfile());
    EXPECT_EQ(repaired.profileDisplayName, "Current Profile");
    EXPECT_FALSE(repaired.profileID.has_value());
    EXPECT_EQ(repaired.sortOrder, 4);
    EXPECT_EQ(repaired.hotkey, blank.hotkey);
    EXPECT_EQ(repaired.profileEmoji, blank.profileEmoji);
    EXPECT_EQ(repaired.nodeColorHex, blank.nodeColorHex);
    EXPECT_FALSE(repaired.isVisible);
    EXPECT_TRUE(repaired.preferEmojiOverPhoto);
    EXPECT_FALSE(repaired.profilePhotoPath.has_value());
    EXPECT_EQ(s.settings().bypassDestinationKey, "com.apple.Safari#_current");
    EXPECT_EQ(writes(), 0);
    EXPECT_EQ(stored(), settings) << "the repair reaches the defaults only with the next write";
}

TEST_F(SafariRepair, BlankProfileBesideACurrentSafariIsDropped)
{
    AppSettings settings;
    const BrowserDestination current = ProfileDiscoveryService::makeSafariDestination(std::nullopt, 0);
    const BrowserDestination blank = blankSafari(QStringLiteral(" "), 1);
    settings.destinations = {blank, current};
    settings.bypassDestinationKey = blank.matchKey();
    SettingsStore& s = open(settings);
    EXPECT_EQ(s.settings().destinations, QList<BrowserDestination>{current});
    EXPECT_EQ(s.settings().bypassDestinationKey, current.matchKey());
}

class SettingsStoreEditing : public test::StoreFixture
{
protected:
    void SetUp() override
    {
        AppSettings settings;
        for (int i = 0; i < 5; ++i)
            settings.destinations.append(destination("com.google.Chrome", QString("P%1").arg(i), i));
        open(settings);
    }
    const BrowserDestination& at(int i) const { return store->settings().destinations[i]; }
    QUuid id(int i) const { return at(i).id; }
};

TEST_F(SettingsStoreEditing, EveryAssignmentIsOneWriteAndOneSignal)
{
    store->setVisible(false, id(1));
    store->setVisible(false, id(1));
    EXPECT_EQ(writes(), 1) << "an operation that changes nothing writes nothing";
    EXPECT_FALSE(stored().destinations[1].isVisible);
    EXPECT_EQ(tells.last(), stored()) << "the signal carries the record just written";
    EXPECT_TRUE(centrePosts.isEmpty()) << "the signal is the only way the change is told";

    store->recordUse(at(2));
    store->recordUse(at(2));
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(tells.size(), 2);
    EXPECT_EQ(stored().lastUsedDestinationID, id(2));

    store->setVisible(true, QUuid::createUuid());
    store->setHotkey(QStringLiteral("x"), QUuid::createUuid());
    store->setNodeColor(0xCFE2F0, QUuid::createUuid());
    EXPECT_EQ(writes(), 2) << "unknown ids write nothing";
}

// A full disk (here a file size limit): the file keeps the last whole record and the store says
// the change was not saved; once there is room again, the next change saves everything.
TEST_F(SettingsStoreEditing, AFullDiskKeepsTheLastWholeRecordAndSaysSo)
{
    const auto onDisk = [this] {
        const auto bytes = UserDefaults(defaults.filePath()).data(SettingsStore::defaultsKey);
        return AppSettings::fromJsonBytes(bytes.value_or(QByteArray())).value_or(AppSettings());
    };
    QSignalSpy notSaved(store.get(), &SettingsStore::settingsNotSaved);
    const AppSettings whole = onDisk();
    ASSERT_EQ(whole, store->settings());
    {
        const test::FileSizeLimit fullDisk(16);
        store->setVisible(false, id(1));
    }
    ASSERT_EQ(notSaved.size(), 1);
    EXPECT_EQ(notSaved.first().first().toString(), defaults.filePath());
    EXPECT_EQ(onDisk(), whole);

    store->setVisible(false, id(2));
    EXPECT_EQ(notSaved.size(), 1);
    EXPECT_EQ(onDisk(), store->settings());
    EXPECT_FALSE(onDisk().destinations[1].isVisible);
}

TEST_F(SettingsStoreEditing, SetHotkeyMovesTheKeyInOneWrite)
{
    // Views may write a record in which two destinations share a key.
    store->edit([](AppSettings& s) { s.destinations[0].hotkey = s.destinations[3].hotkey = QStringLiteral("w"); });
    tells.clear();
    storedAtTell.clear();

    store->setHotkey(QStringLiteral("Work"), id(4));
    EXPECT_EQ(writes(), 1);
    ASSERT_EQ(tells.size(), 1) << "no intermediate state is published";
    EXPECT_FALSE(at(0).hotkey.has_value());
    EXPECT_FALSE(at(3).hotkey.has_value());
    EXPECT_EQ(at(4).hotkey, "w");
    EXPECT_EQ(storedAtTell[0], store->settings()) << "the signal comes after the defaults hold the record";
    store->setHotkey(QStringLiteral("w"), id(4));
    EXPECT_EQ(writes(), 1);
}

TEST_F(SettingsStoreEditing, SetHotkeyWithZeroEmptyOrNothingClearsOnlyThisDestination)
{
    store->setHotkey(QStringLiteral("q"), id(1));
    store->setHotkey(QStringLiteral(" x"), id(2));
    EXPECT_EQ(at(2).hotkey, " ");
    for (const std::optional<QString>& key :
        {std::optional<QString>("0"), std::optional<QString>(""), std::optional<QString>()}) {
        store->setHotkey(QStringLiteral("k"), id(0));
        const auto before = writes();
        store->setHotkey(key, id(0));
        store->setHotkey(key, id(0));
        EXPECT_EQ(writes() - before, 1);
        EXPECT_FALSE(at(0).hotkey.has_value());
        EXPECT_EQ(at(1).hotkey, "q");
    }
}

TEST_F(SettingsStoreEditing, ResetHotkeysWritesOnceOrNotAtAll)
{
    store->resetHotkeys();
    EXPECT_EQ(writes(), 0);
    store->setHotkey(QStringLiteral("k"), id(2));
    store->setHotkey(QStringLiteral("j"), id(4));
    store->resetHotkeys();
    EXPECT_EQ(writes(), 2 + 1);
    EXPECT_EQ(tells.size(), 2 + 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(at(i).hotkey.has_value());
}

TEST_F(SettingsStoreEditing, SkippingSettersWriteOnlyOnChange)
{
    store->setProfileEmoji(QStringLiteral("  🚀 word"), id(0));
    EXPECT_EQ(at(0).profileEmoji, "🚀");
    store->setProfileEmoji(QStringLiteral("🚀"), id(0));
    EXPECT_EQ(writes(), 1);
    store->setProfileEmoji(QStringLiteral("plain"), id(0));
    EXPECT_FALSE(at(0).profileEmoji.has_value());
    EXPECT_EQ(writes(), 2);

    store->setNodeColor(0xDFDAEE, id(1));
    store->setNodeColor(0xDFDAEE, id(1));
    EXPECT_EQ(at(1).nodeColorHex, 0xDFDAEEu);
    EXPECT_EQ(writes(), 3);
    store->setNodeColor(0x36304F, id(1)); // a tint's dark value is no tint
    EXPECT_FALSE(at(1).nodeColorHex.has_value());
    store->setNodeColor(0x123456, id(1));
    EXPECT_EQ(writes(), 4);

    store->setPreferEmojiOverPhoto(false, id(2));
    store->setPreferEmojiOverPhoto(true, id(2));
    EXPECT_EQ(writes(), 5);
}

TEST_F(SettingsStoreEditing, MoveCountsHiddenDestinationsAndRenumbers)
{
    store->setVisible(false, id(1));
    store->setVisible(false, id(2));
    const QUuid first = id(0);
    store->move({0}, 4); // P0 goes before P4
    EXPECT_EQ(writes(), 3);
    QList<QString> order;
    QList<qint64> sortOrders;
    for (const auto& d : store->settings().destinations) {
        order.append(*d.profileID);
        sortOrders.append(d.sortOrder);
    }
    EXPECT_EQ(order, (QList<QString>{"P1", "P2", "P3", "P0", "P4"}));
    EXPECT_EQ(sortOrders, (QList<qint64>{0, 1, 2, 3, 4}));
    EXPECT_EQ(at(3).id, first);
    store->move({0, 2}, 5);
    EXPECT_EQ(at(3).profileID, "P1");
    EXPECT_EQ(at(4).profileID, "P3");
    EXPECT_EQ(at(0).profileID, "P2");
}

TEST_F(SettingsStoreEditing, MoveWithOffsetsOutsideTheListDoesNothing)
{
    const AppSettings before = store->settings();
    store->move({7}, 0);
    store->move({-1}, 0);
    store->move({0}, 6);
    EXPECT_EQ(writes(), 0);
    EXPECT_EQ(store->settings(), before);
}

TEST_F(SettingsStoreEditing, EditOfWholeRecordIsOneWrite)
{
    AppSettings next = store->settings();
    next.appearance = AppAppearance::dark;
    next.destinations.removeLast();
    store->setSettings(next);
    store->setSettings(next);
    store->edit([](AppSettings& s) { s.appearance = AppAppearance::dark; });
    EXPECT_EQ(writes(), 1);
    EXPECT_EQ(stored(), next);
}

TEST_F(SettingsStoreEditing, HintsAreToldOnlyWhenTheyChange)
{
    QSignalSpy safari(store.get(), &SettingsStore::safariHintChanged);
    QSignalSpy data(store.get(), &SettingsStore::browserDataHintChanged);
    store->setSafariHint(SafariHint::none);
    store->setBrowserDataHint(BrowserDataHint::none());
    store->setSafariHint(SafariHint::accessibilityNeeded);
    store->setSafariHint(SafariHint::accessibilityNeeded);
    EXPECT_EQ(safari.size(), 1);
    EXPECT_EQ(data.size(), 0);
}
