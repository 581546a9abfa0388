// What visits to the Appearance and Shortcuts panes cost in memory that stays, beside the same
// count of visits to the Browsers pane, and what one visit to Other Projects (its cards' pictures)
// keeps once every other pane was visited: the process's anonymous resident memory (RssAnon) before
// and after, each visit drawn, with the C library's free memory given back before each reading.
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

    // A visit to `section`, then to a plain pane.
    void visit(Section section)
    {
        show(section);
        show(Section::privacy);
    }

    // KiB that stay after `kVisits` visits to `section`, counted from a visit already made: what
    // one visit leaves for the next of its kind (the style's pictures of its controls) is reused,
    // not gained.
    double growth(Section section)
    {
        visit(section);
        const double before = test::residentAnonymousKiB();
        for (int count = 0; count < kVisits; ++count)
            visit(section);
        return test::residentAnonymousKiB() - before;
    }

    test::TempHome home;
    UserDefaults defaults;
    SettingsStore store;
    NotificationCenter center;
    SettingsView view{store, Section::privacy, center};
};

TEST_F(PaneVisitsBenchmark, AppearanceAndShortcutsVisitsBesideBrowsersVisits)
{
    const QList<std::pair<Section, const char*>> panes{
        {Section::destinations, "Browsers"}, {Section::appearance, "Appearance"}, {Section::shortcuts, "Shortcuts"}};
    // A first round, not counted, fills what every later visit shares: fonts and their glyphs,
    // styles, the icons of the samples.
    for (const auto& [section, name] : panes)
        growth(section);
    QList<QList<double>> kept(panes.size());
    for (int round = 0; round < kRounds; ++round) {
        for (qsizetype pane = 0; pane < panes.size(); ++pane)
            kept[pane].append(growth(panes.at(pane).first));
    }
    const double browsers = median(kept.first());
    for (qsizetype pane = 0; pane < panes.size(); ++pane) {
        const double kiB = median(kept.at(pane));
        std::cout << "[bench] memory kept by " << kVisits << ' ' << panes.at(pane).second << " visits, median of "
                  << kRounds << ": " << kiB << " KiB (" << kiB / kVisits << " KiB a visit)\n";
        if (pane > 0)
            std::cout << "[bench] " << panes.at(pane).second << " against Browsers: " << kiB - browsers
                      << " KiB more over " << kVisits << " visits (aim: under 5 KiB)\n";
    }
    std::cout << std::flush;
}

TEST_F(PaneVisitsBenchmark, AFirstVisitToOtherProjectsAfterEveryOtherPane)
{
    for (const Section section : SettingsView::allCases()) {
        if (section != Section::otherProjects)
            visit(section);
    }
    const double before = test::residentAnonymousKiB();
    visit(Section::otherProjects);
    const double kept = test::residentAnonymousKiB() - before;
    std::cout << "[bench] memory kept by a first visit to Other Projects: " << kept << " KiB (aim: under 1024 KiB)"
              << std::endl;
}

} // namespace
