// The Permissions pane of the real `tavro`, run as a user who is not root (root reads any folder)
// under a real X server: with Chromium's data folder at mode 000 the pane says the browser is
// blocked; with the mode restored, "Re-check" brings back the all-clear. What the pane shows is
// read from Tavro's own debug log, and photographed into build/artifacts/.
//
// Where to click comes from the same view built here, off screen, at the window's size.

#include "Tavro/Model/DiscoveryHints.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Settings/BrowserDataPermissionCard.h"
#include "Tavro/Settings/PermissionsSettingsView.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Settings/SidebarRow.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Settings/PreferencesRealFixture.h"
#include "tests/Settings/ShownSection.h"

#include <QPushButton>

using namespace tavro;

namespace {

// The account that owns nothing: Debian's "nobody".
const QString kUnprivilegedId = QStringLiteral("65534");

class PermissionsRealTest : public test::PreferencesRealTest
{
protected:
    void SetUp() override
    {
        PreferencesRealTest::SetUp();
        if (HasFatalFailure())
            return;
        test::installApp(home, "Chromium", "org.chromium.Chromium");
        test::writeLocalState(home, "Chromium", {{"Default", "Person 1"}});
        ASSERT_EQ(
            QProcess::execute("chown", {"-R", kUnprivilegedId + ":" + kUnprivilegedId, home.path(), runtime.path()}),
            0);
        ASSERT_TRUE(QFile::setPermissions(dataFolder(), {}));
        environment.insert("QT_LOGGING_RULES", "tavro.settings.debug=true");
        tavroChannels = QProcess::SeparateChannels;
    }

    QStringList command() const override
    {
        return {"setpriv", "--reuid=" + kUnprivilegedId, "--regid=" + kUnprivilegedId, "--clear-groups", "--",
            QStringLiteral(TAVRO_EXECUTABLE)};
    }

    QString dataFolder() const { return home.filePath(test::chromiumSupport + QStringLiteral("Chromium")); }

    // The status the browser data card showed last, from Tavro's log.
    QString shownStatus()
    {
        m_log += tavro.readAllStandardError();
        const QByteArray marker = "browser data status: ";
        const qsizetype at = m_log.lastIndexOf(marker);
        if (at < 0)
            return {};
        const qsizetype end = m_log.indexOf('\n', at);
        return QString::fromUtf8(m_log.mid(at + marker.size(), end < 0 ? -1 : end - at - marker.size()));
    }

    bool click(const QString& window, QPoint at)
    {
        return xvfb.run("xdotool",
                   {"mousemove", "--sync", "--window", window, QString::number(at.x()), QString::number(at.y())})
            == 0
            && xvfb.run("xdotool", {"click", "1"}) == 0;
    }

    QByteArray m_log;
};

// Where the Permissions row and the blocked card's "Re-check" sit in a Preferences window of
// `size`, found in the same view laid out here.
struct Places
{
    QPoint permissionsRow;
    QPoint recheck;
    bool recheckInView = false;
};

Places placesIn(QSize size)
{
    QTemporaryDir folder;
    UserDefaults defaults(folder.filePath(QStringLiteral("twin.plist")));
    SettingsStore store(defaults);
    store.setBrowserDataHint(BrowserDataHint::blocked({"Chromium"}));
    // Laid out as Tavro finds this desktop: no System Settings page to send the user to.
    UrlOpenerHost::setSystemSettingsOpen(false);
    NotificationCenter center;
    SettingsView view(store, SettingsView::Section::destinations, center);
    view.resize(size);
    view.show();
    QCoreApplication::processEvents();
    Places places;
    SidebarRow* row = test::sidebarRow(view, SettingsView::Section::permissions);
    places.permissionsRow = row->mapTo(&view, row->rect().center());
    row->click();
    QCoreApplication::processEvents();
    const auto* pane = qobject_cast<PermissionsSettingsView*>(test::shownPane(view));
    if (!pane)
        return places;
    for (QPushButton* button : pane->findChild<BrowserDataPermissionCard*>()->findChildren<QPushButton*>()) {
        if (button->text() == "Re-check" && button->isVisibleTo(&view)) {
            places.recheck = button->mapTo(&view, button->rect().center());
            places.recheckInView = button->visibleRegion().contains(button->rect().center());
        }
    }
    return places;
}

} // namespace

TEST_P(PermissionsRealTest, BlockedChromiumDataIsShownAndReCheckClearsIt)
{
    const QString window = openPreferences();
    ASSERT_FALSE(window.isEmpty()) << "no Preferences window appeared";
    const Places places = placesIn(windowSize(window));
    ASSERT_TRUE(places.recheckInView) << "Re-check lies outside the window";

    ASSERT_TRUE(click(window, places.permissionsRow));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownStatus() == "Blocked for Chromium"; }, 20000))
        << shownStatus().toStdString();
    EXPECT_TRUE(photograph(
        window, QStringLiteral(TAVRO_ARTIFACTS_DIR "/permissions-real-blocked-%1.png").arg(appearanceName())));

    ASSERT_TRUE(
        QFile::setPermissions(dataFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    ASSERT_TRUE(click(window, places.recheck));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownStatus() == "Tavro can read your browser profiles"; }, 20000))
        << shownStatus().toStdString();
    EXPECT_TRUE(photograph(
        window, QStringLiteral(TAVRO_ARTIFACTS_DIR "/permissions-real-allowed-%1.png").arg(appearanceName())));
}

INSTANTIATE_TEST_SUITE_P(Appearances, PermissionsRealTest, ::testing::Values(AppAppearance::light, AppAppearance::dark),
    [](const auto& info) { return info.param == AppAppearance::dark ? "dark" : "light"; });
