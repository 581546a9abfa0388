#include "Tavro/Settings/DestinationSettingsView.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/BrowserDataHintBanner.h"
#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/SafariHintBanner.h"
#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Settings/DestinationHeaderButton.h"
#include "Tavro/Settings/DestinationList.h"
#include "Tavro/Settings/DestinationRow.h"
#include "Tavro/Settings/EmojiPickerButton.h"
#include "Tavro/Settings/EmojiPopover.h"
#include "Tavro/Settings/HotkeyCaptureButton.h"
#include "Tavro/Settings/NodeColorPickerButton.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "tests/Settings/ControlsFixtures.h"
#include "tests/Support/Pixels.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/QueueHold.h"
#include "tests/Support/TempHome.h"

#include <QAccessible>
#include <QApplication>
#include <QCoro/QCoroFuture>
#include <QDir>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPromise>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

// The part of a row or of the pane that it names `name`.
template <typename T = QWidget> T* part(const auto& parent, const char* name)
{
    return parent->template findChild<T*>(QString::fromLatin1(name));
}

// The empty-state text the pane shows, once one it replaced is gone.
QLabel* emptyText(const DestinationSettingsView& pane)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return pane.findChild<QLabel*>(QStringLiteral("emptyText"));
}

BrowserDestination chrome(const QString& profile, qint64 sortOrder)
{
    BrowserDestination d;
    d.id = QUuid::createUuid();
    d.browserID = QStringLiteral("chrome");
    d.browserDisplayName = QStringLiteral("Google Chrome");
    d.browserBundleIdentifier = QStringLiteral("com.google.Chrome");
    d.profileID = profile;
    d.profileDisplayName = profile;
    d.sortOrder = sortOrder;
    return d;
}

class DestinationSettingsViewTest : public ::testing::Test
{
protected:
    DestinationSettingsViewTest() : defaults(home.filePath(QStringLiteral("defaults.plist"))), store(defaults) { }

    void store_(const QList<BrowserDestination>& destinations)
    {
        AppSettings settings = store.settings();
        settings.destinations = destinations;
        store.setSettings(settings);
    }

    std::unique_ptr<DestinationSettingsView> open(DestinationSettingsView::Scan scan = {})
    {
        auto pane = scan ? std::make_unique<DestinationSettingsView>(store, std::move(scan))
                         : std::make_unique<DestinationSettingsView>(store);
        pane->resize(680, 600);
        pane->show();
        settle();
        return pane;
    }

    // Lays out what the last change built.
    static void settle() { QCoreApplication::processEvents(); }

    static QStringList names(const DestinationSettingsView& pane)
    {
        QStringList names;
        for (const DestinationRow* row : pane.list()->rows())
            names << row->nameLabel()->text();
        return names;
    }

    static DestinationRow* rowNamed(const DestinationSettingsView& pane, const QString& name)
    {
        for (DestinationRow* row : pane.list()->rows()) {
            if (row->nameLabel()->text() == name)
                return row;
        }
        return nullptr;
    }

    // The profile names in the order the stored JSON numbers them, and whether the numbers run 0..n-1.
    QStringList storedOrder(bool* numberedFromZero)
    {
        UserDefaults reread(defaults.filePath());
        const auto bytes = reread.data(SettingsStore::defaultsKey);
        const QJsonArray stored
            = QJsonDocument::fromJson(bytes.value_or(QByteArray())).object()["destinations"].toArray();
        QMap<qint64, QString> bySortOrder;
        for (const QJsonValue& d : stored)
            bySortOrder.insert(d["sortOrder"].toInteger(), d["profileDisplayName"].toString());
        *numberedFromZero = bySortOrder.keys() == QList<qint64>{0, 1, 2, 3, 4}.first(bySortOrder.size());
        return bySortOrder.values();
    }

    static QStringList actions(DestinationRow* row)
    {
        return QAccessible::queryAccessibleInterface(row)->actionInterface()->actionNames();
    }

    static void doAction(DestinationRow* row, const QString& name)
    {
        QAccessible::queryAccessibleInterface(row)->actionInterface()->doAction(name);
    }

    test::TempHome home;
    UserDefaults defaults;
    SettingsStore store;
};

} // namespace

TEST_F(DestinationSettingsViewTest, ListsEveryDestinationBySortOrderWithItsNameAndControlsInOrder)
{
    BrowserDestination hidden = chrome("Home", 1);
    hidden.isVisible = false;
    BrowserDestination tor = chrome("ignored", 0);
    tor.browserDisplayName = "Tor Browser";
    tor.browserBundleIdentifier = "org.torproject.torbrowser";
    BrowserDestination gone = chrome("Old", 1); // ties keep their stored order
    gone.isAvailable = false;
    store_({chrome("Work", 5), hidden, tor, gone});
    const auto pane = open();

    ASSERT_TRUE(pane->list());
    EXPECT_EQ(
        names(*pane), QStringList({"Tor Browser", "Google Chrome: Home", "Google Chrome: Old", "Google Chrome: Work"}));

    DestinationRow* work = rowNamed(*pane, "Google Chrome: Work");
    auto* layout = qobject_cast<QHBoxLayout*>(work->layout());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->spacing(), 11);
    EXPECT_EQ(layout->itemAt(0)->widget(), part<QAbstractButton>(work, "visibility"));
    EXPECT_EQ(layout->itemAt(1)->widget(), part<HotkeyCaptureButton>(work, "keyCap"));
    EXPECT_EQ(layout->itemAt(2)->widget(), part<EmojiPickerButton>(work, "emoji"));
    EXPECT_EQ(layout->itemAt(3)->widget(), part<NodeColorPickerButton>(work, "petalColor"));
    ASSERT_TRUE(qobject_cast<BrowserIcon*>(layout->itemAt(4)->widget()));
    EXPECT_EQ(qobject_cast<BrowserIcon*>(layout->itemAt(4)->widget())->iconSize(), 20);
    EXPECT_EQ(layout->itemAt(5)->widget(), work->nameLabel());
    EXPECT_EQ(layout->itemAt(6)->widget(), part(work, "dragHandle"));
    EXPECT_EQ(part<QAbstractButton>(work, "visibility")->accessibleName(), "Show Google Chrome (Work) in picker");
    EXPECT_TRUE(part<QAbstractButton>(work, "visibility")->isChecked());
    EXPECT_FALSE(part<QAbstractButton>(rowNamed(*pane, "Google Chrome: Home"), "visibility")->isChecked());

    // Gone: dimmed and badged before the handle, yet still editable.
    DestinationRow* old = rowNamed(*pane, "Google Chrome: Old");
    ASSERT_TRUE(part<QLabel>(old, "unavailable"));
    EXPECT_EQ(part<QLabel>(old, "unavailable")->text(), "unavailable");
    EXPECT_EQ(old->layout()->indexOf(part<QLabel>(old, "unavailable")), 6);
    auto* dim = qobject_cast<QGraphicsOpacityEffect*>(old->graphicsEffect());
    ASSERT_TRUE(dim);
    EXPECT_DOUBLE_EQ(dim->opacity(), 0.55);
    EXPECT_FALSE(part<QLabel>(work, "unavailable"));
    EXPECT_FALSE(work->graphicsEffect());
    part<QAbstractButton>(old, "visibility")->click();
    EXPECT_FALSE(store.settings().destinations[3].isVisible);
}

TEST_F(DestinationSettingsViewTest, OnlyVisibleAvailableDestinationsGetAnEffectiveKeyAndOnlyThirtyFiveOfThem)
{
    QList<BrowserDestination> destinations;
    for (int i = 0; i < 37; ++i)
        destinations << chrome(QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')), i);
    destinations[0].isVisible = false;
    destinations[1].isAvailable = false;
    destinations[2].hotkey = "x";
    store_(destinations);
    const auto pane = open();

    const auto& rows = pane->list()->rows();
    ASSERT_EQ(rows.size(), 37);
    EXPECT_EQ(part<HotkeyCaptureButton>(rows[0], "keyCap")->effective(), std::nullopt);
    EXPECT_EQ(part<HotkeyCaptureButton>(rows[1], "keyCap")->effective(), std::nullopt);
    EXPECT_EQ(part<HotkeyCaptureButton>(rows[2], "keyCap")->custom(), std::optional<QString>("x"));
    EXPECT_EQ(part<HotkeyCaptureButton>(rows[2], "keyCap")->effective(), std::optional<QString>("x"));
    EXPECT_EQ(part<HotkeyCaptureButton>(rows[3], "keyCap")->effective(), std::optional<QString>("1"));
    EXPECT_TRUE(part<HotkeyCaptureButton>(rows[36], "keyCap")->effective().has_value());
    // 35 visible and available destinations have keys; the 36th does not.
    int withKeys = 0;
    for (const DestinationRow* row : rows)
        withKeys += part<HotkeyCaptureButton>(row, "keyCap")->effective().has_value();
    EXPECT_EQ(withKeys, 35);
}

TEST_F(DestinationSettingsViewTest, EachControlWritesOnceToItsOwnDestination)
{
    store_({chrome("Work", 0), chrome("Home", 1)});
    const QUuid home = store.settings().destinations[1].id;
    const auto pane = open();
    QSignalSpy writes(&store, &SettingsStore::settingsChanged);
    const auto homeRow = [&] { return rowNamed(*pane, "Google Chrome: Home"); };
    const auto stored = [&] { return store.settings().destinations[1]; };

    part<QAbstractButton>(homeRow(), "visibility")->click();
    EXPECT_EQ(writes.size(), 1);
    EXPECT_FALSE(stored().isVisible);
    EXPECT_TRUE(store.settings().destinations[0].isVisible);

    Q_EMIT part<HotkeyCaptureButton>(homeRow(), "keyCap")->assigned(QStringLiteral("h"));
    EXPECT_EQ(writes.size(), 2);
    EXPECT_EQ(stored().hotkey, std::optional<QString>("h"));

    const quint32 tint = Brand::petalTints().at(2).hex;
    Q_EMIT part<NodeColorPickerButton>(homeRow(), "petalColor")->selected(tint);
    EXPECT_EQ(writes.size(), 3);
    EXPECT_EQ(stored().nodeColorHex, std::optional<quint32>(tint));

    // The emoji and "prefer emoji" together, two writes.
    part<EmojiPickerButton>(homeRow(), "emoji")->choose(QStringLiteral("🔥"));
    EXPECT_EQ(writes.size(), 5);
    EXPECT_EQ(stored().profileEmoji, std::optional<QString>("🔥"));
    EXPECT_TRUE(stored().preferEmojiOverPhoto);

    part<EmojiPickerButton>(homeRow(), "emoji")->usePhoto();
    EXPECT_EQ(writes.size(), 6);
    EXPECT_FALSE(stored().preferEmojiOverPhoto);
    EXPECT_EQ(stored().profileEmoji, std::optional<QString>("🔥"));

    part<EmojiPickerButton>(homeRow(), "emoji")->choose(QStringLiteral("🔥"));
    part<EmojiPickerButton>(homeRow(), "emoji")->choose(std::nullopt);
    EXPECT_EQ(stored().profileEmoji, std::nullopt);
    EXPECT_FALSE(stored().preferEmojiOverPhoto);

    // Text that is no emoji is stored as none, and must not hide the photo behind nothing.
    part<EmojiPickerButton>(homeRow(), "emoji")->choose(QStringLiteral("abc"));
    EXPECT_EQ(stored().profileEmoji, std::nullopt);
    EXPECT_FALSE(stored().preferEmojiOverPhoto);

    // Every write rebuilt the rows from the store, and only Home changed.
    EXPECT_EQ(homeRow()->destination().id, home);
    EXPECT_FALSE(part<QAbstractButton>(homeRow(), "visibility")->isChecked());
    EXPECT_EQ(part<HotkeyCaptureButton>(homeRow(), "keyCap")->custom(), std::optional<QString>("h"));
    EXPECT_EQ(store.settings().destinations[0].hotkey, std::nullopt);
}

TEST_F(DestinationSettingsViewTest, TheKeyboardStaysOnTheControlItUsedWhenTheRowsAreBuiltAgain)
{
    store_({chrome("Work", 0), chrome("Home", 1)});
    const auto pane = open();
    pane->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pane.get()));
    part<QAbstractButton>(rowNamed(*pane, "Google Chrome: Home"), "visibility")->setFocus();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_FALSE(store.settings().destinations[1].isVisible);
    DestinationRow* rebuilt = rowNamed(*pane, "Google Chrome: Home");
    EXPECT_TRUE(part<QAbstractButton>(rebuilt, "visibility")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(store.settings().destinations[1].isVisible);
}

// Choosing from a row's popover with the keyboard builds the row anew: the keyboard stays on the
// control that opened the popover, with its ring, and the rows stay in screen order in the Tab
// order and among the elements a screen reader lists.
TEST_F(DestinationSettingsViewTest, ARowBuiltAgainKeepsTheKeyboardAndItsPlaceInTheTabOrder)
{
    for (const char* control : {"emoji", "petalColor"}) {
        SCOPED_TRACE(control);
        store_({chrome("Work", 0), chrome("Home", 1), chrome("Research", 2)});
        const auto pane = open();
        pane->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pane.get()));
        part<QAbstractButton>(rowNamed(*pane, "Google Chrome: Home"), control)->setFocus(Qt::TabFocusReason);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget(); }, 5000));
        // An emoji is found by its name and taken with Return; a colour is the next swatch, taken
        // with Space.
        const BrowserDestination before = rowNamed(*pane, "Google Chrome: Home")->destination();
        if (QString::fromLatin1(control) == "emoji") {
            ASSERT_TRUE(QTest::qWaitFor([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }, 5000));
            QTest::keyClicks(QApplication::focusWidget(), "briefcase");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !QApplication::activePopupWidget(); }, 5000));
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The offscreen platform leaves no window active once the popover is gone; a desktop gives
        // the window back.
        pane->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pane.get()));

        const QList<DestinationRow*> rows = pane->list()->rows();
        ASSERT_EQ(rows.size(), 3);
        ASSERT_NE(rows[1]->destination(), before) << "the choice changed nothing";
        QWidget* used = part<QWidget>(rows[1], control);
        EXPECT_TRUE(used->hasFocus()) << QApplication::focusWidget();
        EXPECT_TRUE(FocusRing::isShown(used));
        QList<QWidget*> screenOrder;
        for (DestinationRow* row : rows)
            screenOrder += row->controls();
        QList<QWidget*> tabOrder{screenOrder.first()};
        for (QWidget* next = tabOrder.last()->nextInFocusChain(); tabOrder.size() < screenOrder.size();
             next = next->nextInFocusChain()) {
            if (next->focusPolicy() & Qt::TabFocus && next->isVisibleTo(pane.get()))
                tabOrder.append(next);
        }
        EXPECT_EQ(tabOrder, screenOrder);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(pane->list());
        EXPECT_EQ(list->role(), QAccessible::List);
        QStringList readOrder;
        for (int i = 0; i < list->childCount(); ++i)
            readOrder << list->child(i)->text(QAccessible::Name);
        EXPECT_EQ(readOrder, names(*pane));
    }
}

TEST_F(DestinationSettingsViewTest, WhatTheUserHasOpenInARowOutlivesChangesElsewhere)
{
    store_({chrome("Work", 0), chrome("Home", 1)});
    const auto pane = open();
    DestinationRow* work = rowNamed(*pane, "Google Chrome: Work");
    const auto changeHome = [&](bool visible) {
        // A refresh that finds what is stored tells nothing; then a change to the other row.
        store.setSafariHint(SafariHint::none);
        store.setBrowserDataHint(BrowserDataHint::none());
        DestinationRow* home = rowNamed(*pane, "Google Chrome: Home");
        store.setVisible(visible, home->destination().id);
        settle();
        EXPECT_NE(rowNamed(*pane, "Google Chrome: Home"), home) << "the changed row is built anew";
        EXPECT_EQ(rowNamed(*pane, "Google Chrome: Work"), work);
    };

    part<EmojiPickerButton>(work, "emoji")->setPopoverShown(true);
    ASSERT_TRUE(part<EmojiPickerButton>(work, "emoji")->popover());
    QTest::keyClicks(
        part<EmojiPickerButton>(work, "emoji")->popover()->findChild<QLineEdit*>(QStringLiteral("search")), "fir");
    changeHome(false);
    ASSERT_TRUE(part<EmojiPickerButton>(work, "emoji")->popover());
    EXPECT_EQ(
        part<EmojiPickerButton>(work, "emoji")->popover()->findChild<QLineEdit*>(QStringLiteral("search"))->text(),
        "fir");
    part<EmojiPickerButton>(work, "emoji")->setPopoverShown(false);

    QTest::mouseClick(part<HotkeyCaptureButton>(work, "keyCap"), Qt::LeftButton);
    ASSERT_TRUE(tavro::testing::recording(part<HotkeyCaptureButton>(work, "keyCap")));
    changeHome(true);
    EXPECT_TRUE(tavro::testing::recording(part<HotkeyCaptureButton>(work, "keyCap")));
}

TEST_F(DestinationSettingsViewTest, ResetHotkeysIsEnabledByAnyCustomKeyEvenHiddenOrEmpty)
{
    const auto pane = open();
    EXPECT_FALSE(part<DestinationHeaderButton>(pane, "resetHotkeys")->isEnabled());

    BrowserDestination hidden = chrome("Home", 1);
    hidden.isVisible = false;
    hidden.isAvailable = false;
    hidden.hotkey = QString();
    store_({chrome("Work", 0), hidden});
    EXPECT_TRUE(part<DestinationHeaderButton>(pane, "resetHotkeys")->isEnabled());

    part<DestinationHeaderButton>(pane, "resetHotkeys")->click();
    EXPECT_EQ(store.settings().destinations[1].hotkey, std::nullopt);
    EXPECT_FALSE(part<DestinationHeaderButton>(pane, "resetHotkeys")->isEnabled());
    EXPECT_EQ(part<DestinationHeaderButton>(pane, "resetHotkeys")->label(), "Reset Hotkeys");
    EXPECT_EQ(part<DestinationHeaderButton>(pane, "resetHotkeys")->symbol(), "keyboard");
}

TEST_F(DestinationSettingsViewTest, AHintBannerTakesThePlaceOfTheListAndBrowserDataWins)
{
    const auto pane = open();
    EXPECT_FALSE(pane->list());
    EXPECT_FALSE(pane->banner());
    ASSERT_TRUE(emptyText(*pane));
    EXPECT_TRUE(emptyText(*pane)->isVisible());
    EXPECT_EQ(emptyText(*pane)->text(), "No browsers detected yet. Click Refresh Profiles.");

    store_({chrome("Work", 0)});
    ASSERT_TRUE(pane->list());
    EXPECT_TRUE(pane->list()->isVisible());
    EXPECT_FALSE(emptyText(*pane));

    store.setSafariHint(SafariHint::accessibilityNeeded);
    EXPECT_FALSE(pane->list());
    ASSERT_TRUE(qobject_cast<SafariHintBanner*>(pane->banner()));
    EXPECT_TRUE(pane->banner()->isVisible());

    store.setBrowserDataHint(BrowserDataHint::blocked({"Google Chrome"}));
    ASSERT_TRUE(qobject_cast<BrowserDataHintBanner*>(pane->banner()));
    EXPECT_EQ(
        qobject_cast<BrowserDataHintBanner*>(pane->banner())->hint(), BrowserDataHint::blocked({"Google Chrome"}));

    store.setBrowserDataHint(BrowserDataHint::none());
    EXPECT_TRUE(qobject_cast<SafariHintBanner*>(pane->banner()));
    store.setSafariHint(SafariHint::none);
    EXPECT_FALSE(pane->banner());
    ASSERT_TRUE(pane->list());
    EXPECT_TRUE(pane->list()->isVisible());
    EXPECT_EQ(names(*pane), QStringList{"Google Chrome: Work"});
}

TEST_F(DestinationSettingsViewTest, TheBannersPrimaryButtonsListTavroAndOpenTheirSystemSettings)
{
    const auto pane = open();
    store.setSafariHint(SafariHint::accessibilityNeeded);
    // "Re-check" reads as the link it looks like, as in Permissions.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(pane->banner()->recheckButton())->role(), QAccessible::Link);
    QTest::mouseClick(pane->banner()->primaryButton(), Qt::LeftButton);
    EXPECT_EQ(AccessibilityHost::systemWideReads(), 1) << "Tavro is put into the Accessibility list first";

    store.setBrowserDataHint(BrowserDataHint::blocked({"Google Chrome"}));
    QTest::mouseClick(pane->banner()->primaryButton(), Qt::LeftButton);
    const QList<QUrl> opened = UrlOpenerHost::openedUrls();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].toString().endsWith("Privacy_Accessibility"));
    EXPECT_TRUE(opened[1].toString().endsWith("Privacy_FilesAndFolders"));
}

TEST_F(DestinationSettingsViewTest, MoveUpAndMoveDownAreOfferedWhereTheRowCanGoAndMoveItOnePlace)
{
    store_({chrome("A", 0), chrome("B", 1), chrome("C", 2), chrome("D", 3), chrome("E", 4)});
    const auto pane = open();
    const auto row = [&](int index) { return pane->list()->rows().at(index); };

    EXPECT_EQ(actions(row(0)).filter("Move"), QStringList{"Move Down"});
    EXPECT_EQ(actions(row(4)).filter("Move"), QStringList{"Move Up"});
    EXPECT_EQ(actions(row(2)).filter("Move"), QStringList({"Move Up", "Move Down"}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(row(2))->role(), QAccessible::ListItem);

    bool numbered = false;
    doAction(row(2), "Move Down"); // move([2], 4)
    EXPECT_EQ(storedOrder(&numbered), QStringList({"A", "B", "D", "C", "E"}));
    EXPECT_TRUE(numbered);
    doAction(row(2), "Move Up"); // move([2], 1)
    EXPECT_EQ(storedOrder(&numbered), QStringList({"A", "D", "B", "C", "E"}));
    EXPECT_TRUE(numbered);
    EXPECT_EQ(names(*pane).first(3), QStringList({"Google Chrome: A", "Google Chrome: D", "Google Chrome: B"}));

    store_({chrome("Alone", 0)});
    EXPECT_TRUE(actions(row(0)).filter("Move").isEmpty());
}

TEST_F(DestinationSettingsViewTest, ADragByTheHandleRenumbersTheStoredOrder)
{
    store_({chrome("A", 10), chrome("B", 20), chrome("C", 30), chrome("D", 40)});
    const auto pane = open();
    DestinationList* list = pane->list();
    DestinationRow* first = list->rows().at(0);
    const QPoint grip = part(first, "dragHandle")->mapTo(list, part(first, "dragHandle")->rect().center());
    const QRect third = list->rows().at(2)->geometry();

    QTest::mousePress(part(first, "dragHandle"), Qt::LeftButton, {}, part(first, "dragHandle")->rect().center());
    QTest::mouseMove(list, grip + QPoint(0, 10));
    EXPECT_TRUE(list->isDragging());
    // Dropped below the middle of C: A lands between C and D.
    const QPoint drop(grip.x(), third.center().y() + 4);
    QTest::mouseMove(list, drop);
    EXPECT_EQ(list->dropOffset(drop.y()), 3);
    QTest::mouseRelease(list, Qt::LeftButton, {}, drop);
    EXPECT_FALSE(list->isDragging());
    settle();

    bool numbered = false;
    EXPECT_EQ(storedOrder(&numbered), QStringList({"B", "C", "A", "D"}));
    EXPECT_TRUE(numbered);
    EXPECT_EQ(
        names(*pane), QStringList({"Google Chrome: B", "Google Chrome: C", "Google Chrome: A", "Google Chrome: D"}));

    // A drop next to where it started, or a click on the row, changes nothing.
    QSignalSpy writes(&store, &SettingsStore::settingsChanged);
    DestinationRow* second = list->rows().at(1);
    QTest::mousePress(second->nameLabel(), Qt::LeftButton, {}, {2, 2});
    const QPoint start = second->nameLabel()->mapTo(list, QPoint(2, 2));
    QTest::mouseMove(list, start + QPoint(0, 12));
    QTest::mouseRelease(list, Qt::LeftButton, {}, start + QPoint(0, 12));
    QTest::mouseClick(list->rows().at(0)->nameLabel(), Qt::LeftButton);
    EXPECT_EQ(writes.size(), 0);
}

TEST_F(DestinationSettingsViewTest, RefreshStaysBusyUntilTheLastOverlappingScanEnds)
{
    QList<std::shared_ptr<QPromise<void>>> scans;
    const auto pane = open([&](SettingsStore&) -> QCoro::Task<void> {
        auto promise = std::make_shared<QPromise<void>>();
        promise->start();
        scans << promise;
        co_await promise->future();
    });
    DestinationHeaderButton* refresh = part<DestinationHeaderButton>(pane, "refreshProfiles");
    EXPECT_EQ(refresh->label(), "Refresh Profiles");
    EXPECT_EQ(refresh->symbol(), "arrow.clockwise");
    EXPECT_FALSE(refresh->isBusy());

    refresh->click();
    EXPECT_TRUE(pane->isRefreshing());
    EXPECT_TRUE(refresh->isBusy());
    EXPECT_FALSE(refresh->isEnabled());
    refresh->click();
    EXPECT_EQ(scans.size(), 1);

    // A banner's recheck is never disabled, so a second scan may start while one runs.
    store.setSafariHint(SafariHint::safariNotRunning);
    ASSERT_TRUE(pane->banner());
    ASSERT_TRUE(pane->banner()->recheckButton());
    pane->banner()->recheckButton()->click();
    ASSERT_EQ(scans.size(), 2);

    scans[0]->finish();
    QTest::qWait(0);
    // The first scan ends while the second still runs: the button stays busy and disabled.
    ASSERT_FALSE(QTest::qWaitFor([&] { return !pane->isRefreshing(); }, 50));
    EXPECT_FALSE(refresh->isEnabled());
    scans[1]->finish();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pane->isRefreshing(); }, 5000));
    EXPECT_TRUE(refresh->isEnabled());
    EXPECT_FALSE(refresh->isBusy());
}

TEST_F(DestinationSettingsViewTest, RefreshProfilesScansTheInstalledBrowsersIntoTheStore)
{
    // A Chrome with one profile in the temporary home.
    home.writeFile("Library/Application Support/Google/Chrome/Local State",
        R"({"profile":{"info_cache":{"Profile 1":{"name":"Work"}},"profiles_order":["Profile 1"]}})");
    QDir().mkpath(home.filePath("Library/Application Support/Google/Chrome/Profile 1"));
    home.writeFile("Applications/Google Chrome.app/Contents/Info.plist",
        R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>)"
        R"(<key>CFBundleIdentifier</key><string>com.google.Chrome</string>)"
        R"(<key>CFBundleExecutable</key><string>Google Chrome</string></dict></plist>)");
    const QString executable
        = home.writeFile("Applications/Google Chrome.app/Contents/MacOS/Google Chrome", "#!/bin/sh\n");
    QFile::setPermissions(executable, QFile::permissions(executable) | QFile::ExeOwner);
    const auto pane = open();
    // Held, a scan of one profile cannot be over on its worker before the test looks.
    test::QueueHold hold(DiscoveryCoordinator::scanQueue());
    part<DestinationHeaderButton>(pane, "refreshProfiles")->click();
    EXPECT_TRUE(pane->isRefreshing());
    hold.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pane->isRefreshing(); }, 20000));
    ASSERT_TRUE(pane->list());
    EXPECT_TRUE(names(*pane).contains("Google Chrome: Work")) << names(*pane).join(", ").toStdString();
}

TEST_F(DestinationSettingsViewTest, SavesThePaneInBothAppearances)
{
    BrowserDestination work = chrome("Work", 0);
    work.hotkey = "w";
    work.profileEmoji = "🔥";
    work.preferEmojiOverPhoto = true;
    work.nodeColorHex = Brand::petalTints().at(2).hex;
    BrowserDestination hidden = chrome("Home", 1);
    hidden.isVisible = false;
    BrowserDestination gone = chrome("Old profile with a rather long name that goes on", 2);
    gone.isAvailable = false;
    BrowserDestination tor = chrome("", 3);
    tor.browserDisplayName = "Tor Browser";
    tor.browserBundleIdentifier = "org.torproject.torbrowser";
    store_({work, hidden, gone, tor, chrome("Personal", 4)});

    QDir().mkpath(TAVRO_ARTIFACTS_DIR);
    for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
        const auto pane = open();
        setExplicitAppearance(pane.get(), appearance);
        pane->setAutoFillBackground(true);
        QPalette palette = pane->palette();
        palette.setColor(QPalette::Window, resolve(Brand::frost, appearance));
        pane->setPalette(palette);
        pane->resize(490, 620);
        QTest::qWait(0);
        const QString name = appearance == Appearance::dark ? "dark" : "light";
        const QImage shown = pane->grab().toImage();
        EXPECT_TRUE(shown.save(QStringLiteral(TAVRO_ARTIFACTS_DIR "/browsers-pane-%1.png").arg(name)));
        // The pane's background, and each row's name in navy on the list's card, dimmed when gone.
        EXPECT_EQ(shown.pixelColor(shown.width() - 1, shown.height() - 1), resolve(Brand::frost, appearance));
        for (const DestinationRow* row : pane->list()->rows()) {
            const QRect label(row->nameLabel()->mapTo(pane.get(), QPoint()), row->nameLabel()->size());
            EXPECT_EQ(
                test::hasColourNear(shown, label, resolve(Brand::navy, appearance), 40), row->destination().isAvailable)
                << row->nameLabel()->text().toStdString() << " in " << name.toStdString();
        }

        store.setBrowserDataHint(BrowserDataHint::blocked({"Google Chrome"}));
        QTest::qWait(0);
        const QImage banner = pane->grab().toImage();
        EXPECT_TRUE(banner.save(QStringLiteral(TAVRO_ARTIFACTS_DIR "/browsers-pane-banner-%1.png").arg(name)));
        const QRect title(pane->banner()->mapTo(pane.get(), QPoint()), pane->banner()->size());
        EXPECT_TRUE(test::hasColourNear(banner, title, resolve(Brand::navy, appearance), 40)) << name.toStdString();
        store.setBrowserDataHint(BrowserDataHint::none());
    }
}
