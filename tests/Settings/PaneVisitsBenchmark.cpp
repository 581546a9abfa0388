// What visits to the Appearance pane cost in memory that stays, beside the same count of visits
// to the Browsers pane: the process's anonymous resident memory (RssAnon) before and after fifty
// visits, each visit drawn, with the C library's free memory given back before each reading.
// Prints figures; asserts nothing about them.

#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Settings/SettingsView.h"
#include "tests/Support/ResidentMemory.h"
#include "tests/Support/TempHome.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

using namespace tavro;

namespace {

using Section = SettingsView::Section;
constexpr int kVisits = 50;
constexpr int kRounds = 5;

double median(QList<double> values)
{
    std::ranges::sort(values);
    return values.at(values.size() / 2);
}

class PaneVisitsBenchmark : public ::testing::Test
{
protected:
    PaneVisitsBenchmark() : defaults(home.filePath(QStringLiteral("defaults.ini"))), store(defaults)
    {
        view.resize(SettingsView::kMinimumSize);
        view.show();
    }

    void show(Section section)
    {
        center.post(Notifications::showSettingsSection, QVariant::fromValue(section));
        // The pane left is deleted later, and the new one is laid out on the next turn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        view.repaint();
    }

    // KiB that stay after `kVisits` visits to `section`, each one followed by a visit to a plain pane.
    double growth(Section section)
    {
        const double before = test::residentAnonymousKiB();
        for (int visit = 0; visit < kVisits; ++visit) {
            show(section);
            show(Section::privacy);
        }
        return test::residentAnonymousKiB() - before;
    }

    test::TempHome home;
    UserDefaults defaults;
    SettingsStore store;
    NotificationCenter center;
    SettingsView view{store, Section::privacy, center};
};

TEST_F(PaneVisitsBenchmark, AppearanceVisitsBesideBrowsersVisits)
{
    // The first visits fill what every later one shares: fonts, styles, the icons of the samples.
    for (int visit = 0; visit < 5; ++visit) {
        show(Section::appearance);
        show(Section::destinations);
    }
    QList<double> appearance;
    QList<double> browsers;
    for (int round = 0; round < kRounds; ++round) {
        appearance.append(growth(Section::appearance));
        browsers.append(growth(Section::destinations));
    }
    const double a = median(appearance);
    const double b = median(browsers);
    std::cout << "[bench] memory kept by " << kVisits << " Appearance visits, median of " << kRounds << ": " << a
              << " KiB (" << a / kVisits << " KiB a visit)\n"
              << "[bench] memory kept by " << kVisits << " Browsers visits, median of " << kRounds << ": " << b
              << " KiB (" << b / kVisits << " KiB a visit)\n"
              << "[bench] Appearance against Browsers: " << a - b << " KiB more over " << kVisits
              << " visits (aim: under 5 KiB), ratio " << (b > 0 ? a / b : 0) << std::endl;
}

} // namespace
