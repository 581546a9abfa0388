#include "Tavro/Onboarding/ScanStepView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/BrowserDataHintBanner.h"
#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Onboarding/ActivityIndicator.h"
#include "Tavro/Onboarding/OnboardingParts.h"
#include "Tavro/Onboarding/RoundedCard.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

ScanStepView::ScanStepView(const SettingsStore& store, Progress progress, QWidget* parent)
    : QWidget(parent), m_store(store), m_progress(progress)
{
    setObjectName(QStringLiteral("scan"));
    auto* column = OnboardingParts::column(this, 14);
    column->addLayout(titleRow());

    const BrowserDataHint hint = m_store.browserDataHint();
    if (hint.kind() != BrowserDataHint::Kind::none) {
        auto* banner = new BrowserDataHintBanner(hint);
        connect(banner, &HintBanner::recheckRequested, this, &ScanStepView::scan);
        LoginItem::connectHintBanner(banner);
        column->addWidget(banner);
    }

    if (m_store.settings().destinations.isEmpty()) {
        column->addWidget(placeholder());
        column->addStretch(1);
        return;
    }
    column->addWidget(destinationList(), 1);
}

QList<ScanStepView::DestinationGroup> ScanStepView::groupedByBrowser(const QList<BrowserDestination>& destinations)
{
    QList<DestinationGroup> groups;
    for (const BrowserDestination& destination : destinations) {
        if (!destination.isAvailable)
            continue;
        auto group = std::find_if(groups.begin(), groups.end(),
            [&](const DestinationGroup& g) { return g.first == destination.browserDisplayName; });
        if (group == groups.end())
            groups.append({destination.browserDisplayName, {destination}});
        else
            group->second.append(destination);
    }
    // QString's operator< compares UTF-16 code units, which orders like code points everywhere but
    // between the private-use block and characters beyond the basic plane; browser names hold
    // neither.
    std::stable_sort(groups.begin(), groups.end(),
        [](const DestinationGroup& a, const DestinationGroup& b) { return a.first < b.first; });
    return groups;
}

QLayout* ScanStepView::titleRow()
{
    auto* row = new QHBoxLayout;
    //: Onboarding step 2 title: the browser profiles Tavro found. A destination is a browser profile links can open
    //: in.
    // The title takes the row's spare width itself: a wrapping label left at its size hint beside
    // a stretch breaks onto two lines however much room there is.
    row->addWidget(
        OnboardingParts::title(QCoreApplication::translate("Tavro", "Detected destinations")), 1, Qt::AlignVCenter);
    QString scanText;
    if (m_progress.hasScanned) {
        //: Onboarding button that scans browsers for profiles again.
        scanText = QCoreApplication::translate("Tavro", "Rescan");
    } else {
        //: Onboarding button that scans installed browsers for profiles.
        scanText = QCoreApplication::translate("Tavro", "Scan");
    }
    auto* button = OnboardingParts::button(scanText, false);
    button->setObjectName(QStringLiteral("scanButton"));
    button->setEnabled(!m_progress.isScanning);
    connect(button, &QPushButton::clicked, this, &ScanStepView::scan);
    if (m_progress.isScanning) {
        OnboardingParts::placeBeforeLabel(
            button, new ActivityIndicator(12, Brand::navy, button), TavroButtonStyle::horizontalPadding - 4);
        // The spaces make room for the spinner; screen readers hear the label alone.
        button->setAccessibleName(button->text());
        button->setText(QStringLiteral("    ") + button->text());
    }
    row->addWidget(button, 0, Qt::AlignVCenter);
    return row;
}

QWidget* ScanStepView::placeholder()
{
    auto* place = new QWidget;
    place->setObjectName(QStringLiteral("placeholder"));
    place->setMinimumHeight(200);
    auto* column = new QVBoxLayout(place);
    column->setSpacing(8);
    column->setAlignment(Qt::AlignCenter);
    if (m_progress.isScanning) {
        column->addWidget(new ActivityIndicator(24, Brand::navy, place), 0, Qt::AlignHCenter);
        //: Progress label while Tavro scans installed browsers for profiles.
        column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "Scanning browsers…"), Brand::navy,
                              Drawing::systemFont(13)),
            0, Qt::AlignHCenter);
    } else {
        //: Onboarding empty state when no browsers were found.
        column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "No browsers detected yet."),
                              Brand::textSecondary, Drawing::systemFont(13)),
            0, Qt::AlignHCenter);
    }
    return place;
}

QWidget* ScanStepView::destinationList()
{
    auto* list = new QWidget;
    auto* cards = new QVBoxLayout(list);
    cards->setContentsMargins(0, 0, 0, 0);
    cards->setSpacing(6);
    for (const DestinationGroup& group : groupedByBrowser(m_store.settings().destinations))
        cards->addWidget(destinationGroup(group.first, group.second));
    cards->addStretch(1);
    QScrollArea* scroll = OnboardingParts::scrollArea(list);
    scroll->setObjectName(QStringLiteral("destinations"));
    return scroll;
}

QWidget* ScanStepView::destinationGroup(const QString& browser, const QList<BrowserDestination>& destinations)
{
    auto* card = new RoundedCard(Brand::frostDeep);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(4);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(8);
    const QString iconBundle = destinations.isEmpty() ? QString() : destinations.first().browserBundleIdentifier;
    auto* icon = new BrowserIcon(iconBundle, 18, card);
    accessibilityHidden(icon);
    heading->addWidget(icon, 0, Qt::AlignVCenter);
    auto* name = new BrandLabel(browser, Brand::navy, Drawing::systemFont(13, QFont::Bold), card);
    accessibilityHeading(name);
    heading->addWidget(name, 1, Qt::AlignVCenter);
    column->addLayout(heading);

    for (const BrowserDestination& destination : destinations) {
        auto* row = new QWidget(card);
        row->setObjectName(destination.id.toString(QUuid::WithoutBraces));
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(20, 0, 0, 0);
        line->setSpacing(6);
        auto* dot = new RoundedCard(Brand::accent, 1, std::nullopt, row);
        dot->setFixedSize(4, 4);
        line->addWidget(dot, 0, Qt::AlignVCenter);
        auto* profile = new BrandLabel(Drawing::elidedName(destination.profileDisplayName, Drawing::systemFont(12)),
            Brand::textSecondary, Drawing::systemFont(12), row);
        accessibilityHidden(profile);
        line->addWidget(profile, 0, Qt::AlignVCenter);
        QString spoken = destination.profileDisplayName;
        const std::optional<BrowserDefinition> known
            = BrowserDefinition::definition(destination.browserBundleIdentifier);
        // A browser without profiles has one destination, which is not "current" of anything.
        if (destination.launchStrategy.kind() == LaunchStrategy::Kind::browserCurrentProfile
            && (!known || !known->noProfilesLabel())) {
            //: Small lowercase tag next to a profile in onboarding: it opens whatever profile the browser currently has
            //: active.
            const QString tagText = QCoreApplication::translate("Tavro", "current profile");
            auto* tag = new BrandLabel(tagText, Brand::chainDark, Drawing::systemFont(10), row);
            tag->setObjectName(QStringLiteral("currentProfileTag"));
            accessibilityHidden(tag);
            line->addWidget(tag, 0, Qt::AlignVCenter);
            spoken += QStringLiteral(", ") + tagText;
        }
        line->addStretch(1);
        // One element for screen readers: the profile and its tag.
        row->setAccessibleName(spoken);
        column->addWidget(row);
    }
    return card;
}

void ScanStepView::scan()
{
    Q_EMIT scanRequested();
}

} // namespace tavro
