#include "Tavro/Controls/SettingBinding.h"

#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Support/TempHome.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QSignalSpy>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

// A switch, segments and a pop-up bound to three settings, with every write counted on its way
// to the store.
class SettingBindingTest : public ::testing::Test
{
protected:
    SettingBindingTest() : defaults(home.filePath(QStringLiteral("defaults.ini"))), store(defaults)
    {
        SettingBinding::bind(&toggle, counted(&AppSettings::invertBypass));
        for (AppAppearance appearance : allCases<AppAppearance>()) {
            auto* segment = new QToolButton(&segmentRow);
            segment->setCheckable(true);
            segments.addButton(segment, int(appearance));
        }
        SettingBinding::bind(&segments, counted(&AppSettings::appearance));
        // Rows that depend on another setting: the private key is none of them.
        SettingBinding::bind(&popUp, counted(&AppSettings::bypassModifier), [this] {
            QList<SettingBinding::Row> rows;
            for (BypassModifier modifier : allCases<BypassModifier>()) {
                if (modifier != store.settings().privateModifier)
                    rows.append({QString::number(int(modifier)), int(modifier)});
            }
            return rows;
        });
    }

    template <typename T> SettingBinding::Value counted(T AppSettings::*field)
    {
        return SettingBinding::setting(
            store, [field](const AppSettings& s) { return s.*field; },
            [this, field](const T& value) {
                ++writes;
                store.edit([&](AppSettings& s) { s.*field = value; });
            });
    }

    test::TempHome home;
    UserDefaults defaults;
    SettingsStore store;
    int writes = 0;
    SwitchToggle toggle;
    QWidget segmentRow;
    QButtonGroup segments;
    QComboBox popUp;
};

} // namespace

TEST_F(SettingBindingTest, AChangeElsewhereReachesEachControlWithoutAWrite)
{
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_TRUE(segments.button(int(AppAppearance::system))->isChecked());
    EXPECT_EQ(popUp.currentData(), QVariant(int(BypassModifier::option)));
    EXPECT_EQ(popUp.findData(int(BypassModifier::shift)), -1);

    store.edit([](AppSettings& s) {
        s.invertBypass = true;
        s.appearance = AppAppearance::dark;
        s.bypassModifier = BypassModifier::command;
        s.privateModifier = BypassModifier::option;
    });
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_TRUE(segments.button(int(AppAppearance::dark))->isChecked());
    EXPECT_EQ(popUp.currentData(), QVariant(int(BypassModifier::command)));
    EXPECT_EQ(popUp.findData(int(BypassModifier::option)), -1);
    EXPECT_NE(popUp.findData(int(BypassModifier::shift)), -1);
    EXPECT_EQ(writes, 0);
}

TEST_F(SettingBindingTest, AUserChangeIsWrittenOnce)
{
    QSignalSpy changes(&store, &SettingsStore::settingsChanged);
    toggle.click();
    EXPECT_EQ(writes, 1);
    EXPECT_TRUE(store.settings().invertBypass);

    segments.button(int(AppAppearance::light))->click();
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(store.settings().appearance, AppAppearance::light);

    popUp.activated(popUp.findData(int(BypassModifier::control)));
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(store.settings().bypassModifier, BypassModifier::control);
    EXPECT_EQ(popUp.currentData(), QVariant(int(BypassModifier::control)));
    EXPECT_EQ(changes.count(), 3);
}
