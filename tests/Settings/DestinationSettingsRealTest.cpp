// The Browsers pane of the real `tavro` under a real X server: a row dragged by its handle with
// the pointer lands in its new place, and the stored settings, read back by Python from the
// defaults file, number the destinations in that order. Screenshots of the pane and of the emoji
// popover in light and dark land in build/artifacts/.

#include "Tavro/Settings/DestinationList.h"
#include "Tavro/Settings/DestinationRow.h"
#include "Tavro/Settings/SettingsView.h"
#include "tests/Settings/PreferencesRealFixture.h"

#include <QColor>
#include <QUuid>

using namespace tavro;

namespace {

const QStringList profiles{"Alpha", "Bravo", "Charlie"};

class DestinationSettingsRealTest : public test::PreferencesRealTest
{
protected:
    void seed(AppSettings& settings) override
    {
        for (qsizetype i = 0; i < profiles.size(); ++i) {
            BrowserDestination d;
            d.id = QUuid::createUuid();
            d.browserID = "chrome";
            d.browserDisplayName = "Google Chrome";
            d.browserBundleIdentifier = "com.google.Chrome";
            d.profileID = profiles[i];
            d.profileDisplayName = profiles[i];
            d.sortOrder = i;
            // Chrome is not installed in the temporary home: the launch scan finds these gone
            // already and leaves the stored list as it is, so no rebuild cuts into the drag.
            d.isAvailable = false;
            settings.destinations << d;
        }
    }

    // The profile names in stored sort order, as Python reads them from the defaults file, with
    // "!" appended when the sort orders do not run 0..n-1.
    QString storedOrder()
    {
        QProcess python;
        python.start("python3",
            {"-c",
                "import json, plistlib, sys\n"
                "data = plistlib.load(open(sys.argv[1], 'rb'))[sys.argv[2]]\n"
                "ds = sorted(json.loads(data)['destinations'], key=lambda d: d['sortOrder'])\n"
                "ok = [d['sortOrder'] for d in ds] == list(range(len(ds)))\n"
                "print(','.join(d['profileDisplayName'] for d in ds) + ('' if ok else '!'))\n",
                UserDefaults::standardPath(), SettingsStore::defaultsKey});
        if (!python.waitForFinished(10000) || python.exitCode() != 0)
            return {};
        return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    }

    // The vertical centres of the rows' drag handles, top to bottom, found in a picture of the
    // window: the handles are the only marks in a narrow band along the list's right edge (below
    // the header, whose button text also reaches into it, so the last clusters are the rows').
    QList<int> handleCentres(const QImage& shot)
    {
        const int right = shot.width() - SettingsView::kPanePadding - DestinationList::kHorizontalInset;
        const QColor background = shot.pixelColor(right - 8, shot.height() - 4);
        QList<int> marked;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = right - 14; x < right - 2; ++x) {
                const QColor c = shot.pixelColor(x, y);
                const int difference = std::abs(c.red() - background.red()) + std::abs(c.green() - background.green())
                    + std::abs(c.blue() - background.blue());
                if (difference > 100) {
                    marked << y;
                    break;
                }
            }
        }
        QList<int> centres;
        int first = -1;
        for (qsizetype i = 0; i < marked.size(); ++i) {
            if (first < 0)
                first = marked[i];
            if (i + 1 == marked.size() || marked[i + 1] - marked[i] > 10) {
                centres << (first + marked[i]) / 2;
                first = -1;
            }
        }
        return centres.mid(std::max<qsizetype>(0, centres.size() - profiles.size()));
    }

    // The top-level windows the X server shows now.
    QStringList viewableWindows()
    {
        QByteArray tree;
        xvfb.run("xwininfo", {"-root", "-children"}, &tree);
        QStringList ids;
        for (const auto& match : QRegularExpression(R"(^\s+(0x[0-9a-f]+) )", QRegularExpression::MultilineOption)
                                     .globalMatch(QString::fromLatin1(tree))) {
            QByteArray info;
            xvfb.run("xwininfo", {"-id", match.captured(1)}, &info);
            if (info.contains("Map State: IsViewable"))
                ids << match.captured(1);
        }
        return ids;
    }
};

} // namespace

TEST_P(DestinationSettingsRealTest, ARowDraggedByItsHandleIsStoredInItsNewPlace)
{
    const QString window = openPreferences();
    ASSERT_FALSE(window.isEmpty()) << "no Preferences window appeared";
    ASSERT_EQ(storedOrder(), "Alpha,Bravo,Charlie");

    const QString shot = QStringLiteral(TAVRO_ARTIFACTS_DIR "/browsers-real-before-%1.png").arg(appearanceName());
    QList<int> rows;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            rows = photograph(window, shot) ? handleCentres(QImage(shot)) : QList<int>{};
            return rows.size() == profiles.size() && rows[1] - rows[0] > 20
                && std::abs((rows[2] - rows[1]) - (rows[1] - rows[0])) <= 2;
        },
        10000))
        << "handles at " << ::testing::PrintToString(std::vector<int>(rows.begin(), rows.end()));

    // Alpha, by its handle, to the gap between Bravo and Charlie, in steps as a hand would.
    const int x = windowSize(window).width() - SettingsView::kPanePadding - DestinationList::kHorizontalInset - 8;
    const int target = (rows[1] + rows[2]) / 2;
    const auto pointer = [&](const QStringList& arguments) { return xvfb.run("xdotool", arguments); };
    ASSERT_EQ(pointer({"mousemove", "--sync", "--window", window, QString::number(x), QString::number(rows[0])}), 0);
    ASSERT_EQ(pointer({"mousedown", "1"}), 0);
    for (int y = rows[0] + 4; y < target; y += 6)
        pointer({"mousemove", "--window", window, QString::number(x), QString::number(y)});
    pointer({"mousemove", "--sync", "--window", window, QString::number(x), QString::number(target)});
    ASSERT_EQ(pointer({"mouseup", "1"}), 0);

    QString order;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (order = storedOrder()) == "Bravo,Alpha,Charlie"; }, 10000))
        << order.toStdString();
    EXPECT_TRUE(photograph(window, QStringLiteral(TAVRO_ARTIFACTS_DIR "/browsers-real-%1.png").arg(appearanceName())));
}

TEST_P(DestinationSettingsRealTest, TheEmojiButtonOpensItsPopover)
{
    const QString window = openPreferences();
    ASSERT_FALSE(window.isEmpty()) << "no Preferences window appeared";
    const QString shot = QStringLiteral(TAVRO_ARTIFACTS_DIR "/browsers-real-rows-%1.png").arg(appearanceName());
    QList<int> rows;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            rows = photograph(window, shot) ? handleCentres(QImage(shot)) : QList<int>{};
            return rows.size() == profiles.size();
        },
        10000));
    const QStringList before = viewableWindows();

    // The emoji button is the third control of a row: after the checkbox (20 wide) and the key cap (30 wide).
    const int x = SettingsView::kSidebarWidth + 1 + SettingsView::kPanePadding + DestinationList::kHorizontalInset + 20
        + DestinationRow::kSpacing + 30 + DestinationRow::kSpacing + 15;
    xvfb.run("xdotool", {"mousemove", "--sync", "--window", window, QString::number(x), QString::number(rows[0])});
    xvfb.run("xdotool", {"click", "1"});

    QString popover;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList now = viewableWindows();
            for (const QString& id : now) {
                if (!before.contains(id))
                    popover = id;
            }
            return !popover.isEmpty();
        },
        10000))
        << "no popover appeared";
    EXPECT_TRUE(
        photograph(popover, QStringLiteral(TAVRO_ARTIFACTS_DIR "/emoji-popover-real-%1.png").arg(appearanceName())));
    xvfb.run("xdotool", {"key", "Escape"});
}

INSTANTIATE_TEST_SUITE_P(Appearances, DestinationSettingsRealTest,
    ::testing::Values(AppAppearance::light, AppAppearance::dark),
    [](const auto& info) { return info.param == AppAppearance::dark ? "dark" : "light"; });
