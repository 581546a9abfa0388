// The scan step against profiles the real browsers wrote: Debian's Chromium (under Xvfb) makes
// two, firefox-esr one, in the temporary HOME; the step itself is drawn offscreen.

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Onboarding/RoundedCard.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Discovery/RealBrowserProfiles.h"
#include "tests/Onboarding/OnboardingFixture.h"

#include <QScrollArea>
#include <QTest>

using namespace tavro;
using namespace tavro::test;

namespace {

class OnboardingScanRealTest : public OnboardingFixture
{
protected:
    // Each card of the scan step: the browser's name and its profiles' names, as shown.
    QList<std::pair<QString, QStringList>> shownGroups() const
    {
        QList<std::pair<QString, QStringList>> groups;
        auto* scroll = shownStep()->findChild<QScrollArea*>("destinations");
        if (!scroll)
            return groups;
        for (auto* card : scroll->widget()->findChildren<RoundedCard*>(QString(), Qt::FindDirectChildrenOnly)) {
            auto* heading = card->findChild<BrandLabel*>(QString(), Qt::FindDirectChildrenOnly);
            // The rows, in the order they were laid out, are named after their destinations' ids.
            QStringList profiles;
            for (auto* row : card->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (!QUuid::fromString(row->objectName()).isNull())
                    profiles.append(row->findChild<BrandLabel*>()->text());
            }
            groups.append({heading ? heading->text() : QString(), profiles});
        }
        return groups;
    }

    Xvfb xvfb;
    // Last: its browsers stop before the display goes away.
    RealChromiumProfiles chromium{xvfb, home.path(), home.filePath(chromiumSupport + QStringLiteral("Chromium"))};
};

TEST_F(OnboardingScanRealTest, ProfilesTheBrowsersWroteShowAsCardsPerBrowserWithTheBrowsersOwnNames)
{
    installApp(home, "Chromium", "org.chromium.Chromium");
    ASSERT_NO_FATAL_FAILURE(chromium.makeTwo());
    // Firefox's own folder, found where a Mac keeps it, as the bundle installed here says.
    installApp(home, "Firefox", "org.mozilla.firefox");
    const QString firefoxRoot = createFirefoxProfile(home.path(), QStringLiteral("Work"));
    ASSERT_FALSE(firefoxRoot.isEmpty());
    QDir().mkpath(home.filePath(chromiumSupport));
    ASSERT_TRUE(QFile::link(firefoxRoot, home.filePath(chromiumSupport + QStringLiteral("Firefox"))));
    const QHash<QString, QString> chromiumNames = chromium.names();
    ASSERT_EQ(chromiumNames.size(), 2);

    build();
    pressPrimary();
    ASSERT_EQ(shownStepName(), "scan");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            auto* button = shownStep()->findChild<QPushButton*>("scanButton");
            return button->text() == "Rescan" && button->isEnabled();
        },
        30000));

    const QList<std::pair<QString, QStringList>> expected{
        {QStringLiteral("Chromium"), {chromiumNames.value("Default"), chromiumNames.value("Profile 1")}},
        {QStringLiteral("Firefox"), {QStringLiteral("Work")}}};
    EXPECT_EQ(shownGroups(), expected);
    // The names are Chromium's own, not its folders'.
    for (const QString& name : chromiumNames)
        EXPECT_FALSE(name.isEmpty() || name == "Default" || name.startsWith("Profile ")) << name.toStdString();
    photograph(*view, QStringLiteral("scan-real-browsers"));
}

} // namespace
