#include "Tavro/Settings/PrivacySettingsView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/UrlOpener.h"
#include "Tavro/Settings/AboutLinks.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsCard.h"
#include "Tavro/Settings/SettingsView.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QUrl>
#include <QVBoxLayout>

namespace tavro {

QList<NetworkSurface::Endpoint> PrivacySettingsView::networkSurface()
{
    // The same address the support-policy check fetches, set when Tavro is built.
    const QString host = QUrl(QStringLiteral(TAVRO_SUPPORT_POLICY_URL)).host();
    //: Explains the update-check network connections in the Privacy settings pane. Notify me when there is an update
    //: and Check for Updates are names of controls; use the same translations as those controls.
    const QString purpose = QCoreApplication::translate("Tavro",
        "Checks for new versions of Tavro and downloads them, only when “Notify me when there is an update” is on or "
        "you choose Check for Updates. Separately, once a day Tavro always fetches a small file naming the oldest "
        "supported version, so it can tell you if yours is too old. That request sends nothing about you or your "
        "Mac.");
    return {{host, purpose}};
}

PrivacySettingsView::PrivacySettingsView(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::privacy)));
    //: Privacy statement in the Privacy settings pane.
    auto* statement
        = BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                   "All routing happens on your Mac. Tavro never sends your links or browsing data "
                                   "anywhere: no accounts, no analytics. Apart from update checks, Tavro makes no "
                                   "network calls."),
            Brand::navy, Drawing::systemFont(13));
    statement->setObjectName(QStringLiteral("statement"));
    column->addWidget(statement);

    //: Card title in the Privacy settings pane listing everything Tavro connects to.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "Network activity"), 8);
    //: Caption in the Privacy settings pane's Network activity card.
    card->column()->addWidget(
        BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                 "Everything Tavro ever connects to on its own. Links you open go straight "
                                 "to your browser, never through Tavro’s servers."),
            Brand::textSecondary, Drawing::systemFont(11.5)));
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(12);
    for (const NetworkSurface::Endpoint& endpoint : networkSurface()) {
        auto* entry = new QWidget;
        entry->setObjectName(QStringLiteral("endpoint"));
        auto* lines = new QVBoxLayout(entry);
        lines->setContentsMargins(0, 2, 0, 0);
        lines->setSpacing(2);
        auto* host = new BrandLabel(endpoint.host, Brand::navy, mono);
        host->setObjectName(QStringLiteral("host"));
        auto* purpose = BrandLabel::wrapping(endpoint.purpose, Brand::textSecondary, Drawing::systemFont(11.5));
        purpose->setObjectName(QStringLiteral("purpose"));
        lines->addWidget(host);
        lines->addWidget(purpose);
        // Read as one element: the host, then why.
        accessibilityHidden(host);
        accessibilityHidden(purpose);
        entry->setAccessibleName(endpoint.host + QStringLiteral(", ") + endpoint.purpose);
        card->column()->addWidget(entry);
    }
    column->addWidget(card);

    //: Link in the Privacy settings pane to the privacy policy on Tavro's website.
    column->addWidget(siteLink(QCoreApplication::translate("Tavro", "Read the full privacy policy"),
        QStringLiteral("/privacy"), QStringLiteral("privacy")));
}

QWidget* PrivacySettingsView::siteLink(const QString& title, const QString& path, const QString& content)
{
    auto* link = new LinkButton(title, 12);
    link->setObjectName(QStringLiteral("siteLink"));
    connect(link, &LinkButton::clicked, this, [path, content] {
        if (const auto url = AboutLinks::url(path, content))
            UrlOpener::open(*url);
    });
    return link;
}

} // namespace tavro
