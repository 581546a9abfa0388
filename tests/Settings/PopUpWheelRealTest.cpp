// The real `tavro` under a real X server: the mouse wheel (xdotool's buttons 4 and 5) over every
// pop-up of the Shortcuts and Appearance panes scrolls the pane when it is taller than the window
// and leaves the stored property list byte for byte as it was.

#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Settings/SettingsView.h"
#include "tests/Settings/PreferencesRealFixture.h"
#include "tests/Settings/ShownSection.h"

#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>

using namespace tavro;
using Section = SettingsView::Section;

namespace {

class PopUpWheelRealTest : public test::PreferencesRealTest
{
protected:
    void SetUp() override
    {
        PreferencesRealTest::SetUp();
        environment.insert("QT_LOGGING_RULES", "tavro.controls.debug=true");
        tavroChannels = QProcess::SeparateChannels;
    }

    QByteArray propertyList() const
    {
        QFile file(UserDefaults::standardPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Where things are in a window of the minimum size: the same window built here, on the
    // same fonts, with the pane scrolled to the top.
    struct Layout
    {
        QPoint sidebarRow;
        QList<std::pair<QString, QRect>> popUps;
        int scrollRange = 0;
    };
    static Layout layout(Section section)
    {
        test::TempHome twinHome;
        UserDefaults defaults(twinHome.filePath("defaults.plist"));
        SettingsStore store(defaults);
        NotificationCenter center;
        SettingsView view(store, section, center);
        view.resize(SettingsView::kMinimumSize);
        view.show();
        QCoreApplication::processEvents();
        Layout found;
        QWidget* row = view.findChild<QWidget*>(SettingsView::rawValue(section));
        found.sidebarRow = row->mapTo(&view, row->rect().center());
        for (QComboBox* popUp : test::shownPane(view)->findChildren<QComboBox*>())
            found.popUps.append({popUp->accessibleName(), QRect(popUp->mapTo(&view, QPoint()), popUp->size())});
        if (auto* area = view.findChild<QScrollArea*>())
            found.scrollRange = area->verticalScrollBar()->maximum();
        return found;
    }

    int pointer(const QString& window, const QPoint& at, const QStringList& then)
    {
        return xvfb.run("xdotool",
            QStringList{"mousemove", "--sync", "--window", window, QString::number(at.x()), QString::number(at.y())}
                + then);
    }

    QImage shot(const QString& window, const QString& name)
    {
        const QString path = QStringLiteral(TAVRO_ARTIFACTS_DIR "/popup-wheel-%1-%2.png").arg(name, appearanceName());
        return photograph(window, path) ? QImage(path) : QImage();
    }

    QByteArray log;
};

} // namespace

TEST_P(PopUpWheelRealTest, TheWheelOverAPopUpScrollsThePaneAndChangesNoSetting)
{
    const QString window = openPreferences();
    ASSERT_FALSE(window.isEmpty()) << "no Preferences window appeared";
    ASSERT_TRUE(QTest::qWaitFor([&] { return windowSize(window) == SettingsView::kMinimumSize; }, 5000));
    const QByteArray stored = propertyList();
    ASSERT_FALSE(stored.isEmpty());
    // Beside the pane, left of its padding: nothing there takes the wheel.
    const int margin = SettingsView::kSidebarWidth + 1 + SettingsView::kPanePadding / 2;

    for (const Section section : {Section::shortcuts, Section::appearance}) {
        const Layout where = layout(section);
        ASSERT_FALSE(where.popUps.isEmpty());
        ASSERT_EQ(pointer(window, where.sidebarRow, {"click", "1"}), 0);
        const int height = SettingsView::kMinimumSize.height();
        for (const auto& [name, rect] : where.popUps) {
            // Below the window at first: the pane is scrolled to its end over the margin.
            const bool below = rect.bottom() >= height;
            const int scrolled = below ? where.scrollRange : 0;
            QStringList toTheEnd;
            for (int notch = 0; notch < 12; ++notch)
                toTheEnd << "click" << (below ? "5" : "4");
            pointer(window, {margin, height / 2}, toTheEnd);
            const QImage before = shot(window, "before");
            const QPoint centre = rect.center() - QPoint(0, scrolled);
            ASSERT_EQ(pointer(window, centre, {"click", below ? "4" : "5"}), 0);
            EXPECT_TRUE(QTest::qWaitFor(
                [&] {
                    log += tavro.readAllStandardError();
                    return log.contains("pop-up \"" + name.toUtf8() + "\" passes a wheel on");
                },
                5000))
                << name.toStdString() << " at " << centre.x() << "," << centre.y() << " got no wheel";
            if (where.scrollRange > 0) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return shot(window, "after") != before; }, 5000))
                    << "the pane did not scroll under " << name.toStdString();
            }
            // The pointer is there already: a synchronous move to where it stands would wait for
            // a motion that never comes.
            ASSERT_EQ(xvfb.run("xdotool", {"click", "5", "click", "4", "click", "4", "click", "5"}), 0);
            EXPECT_EQ(propertyList(), stored) << "the wheel over " << name.toStdString() << " changed a setting";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Appearances, PopUpWheelRealTest, ::testing::Values(AppAppearance::light, AppAppearance::dark),
    [](const auto& info) { return info.param == AppAppearance::dark ? "dark" : "light"; });
