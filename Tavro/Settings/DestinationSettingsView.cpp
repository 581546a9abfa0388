#include "Tavro/Settings/DestinationSettingsView.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/BrowserDataHintBanner.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SafariHintBanner.h"
#include "Tavro/Controls/ScrollBarStyle.h"
#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/DestinationHeaderButton.h"
#include "Tavro/Settings/DestinationList.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

namespace {

constexpr int kSpacing = 14;
constexpr int kEmptyTextMargin = 20;

QCoro::Task<void> interactiveScan(SettingsStore& store)
{
    co_await DiscoveryCoordinator::refresh(store, DiscoveryCoordinator::SafariScanMode::interactive);
}

// Takes `widget` out of the pane later: it may be the sender of what led here.
void discard(QWidget* widget)
{
    if (!widget)
        return;
    widget->hide();
    widget->deleteLater();
}

} // namespace

DestinationSettingsView::DestinationSettingsView(SettingsStore& store, QWidget* parent)
    : DestinationSettingsView(store, interactiveScan, parent)
{ }

DestinationSettingsView::DestinationSettingsView(SettingsStore& store, Scan scan, QWidget* parent)
    : QWidget(parent), m_store(store), m_scan(std::move(scan))
{
    m_column = new QVBoxLayout(this);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(kSpacing);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(
        SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::destinations)), 0, Qt::AlignVCenter);
    header->addStretch(1);
    m_resetHotkeys = new DestinationHeaderButton(QStringLiteral("keyboard"),
        //: Button in the Browsers settings pane that clears all custom per-profile hotkeys.
        QCoreApplication::translate("Tavro", "Reset Hotkeys"), this);
    m_resetHotkeys->setObjectName(QStringLiteral("resetHotkeys"));
    connect(m_resetHotkeys, &QPushButton::clicked, this, [this] { m_store.resetHotkeys(); });
    header->addWidget(m_resetHotkeys, 0, Qt::AlignVCenter);
    m_refresh = new DestinationHeaderButton(QStringLiteral("arrow.clockwise"),
        //: Button that rescans installed browsers for profiles.
        QCoreApplication::translate("Tavro", "Refresh Profiles"), this);
    m_refresh->setObjectName(QStringLiteral("refreshProfiles"));
    connect(m_refresh, &QPushButton::clicked, this, [this] { refresh(); });
    header->addWidget(m_refresh, 0, Qt::AlignVCenter);
    m_column->addLayout(header);

    m_column->addWidget(BrandLabel::wrapping(helpText(), Brand::textSecondary, Drawing::systemFont(12)));

    connect(&m_store, &SettingsStore::settingsChanged, this, [this] { rebuild(); });
    connect(&m_store, &SettingsStore::safariHintChanged, this, [this] { rebuild(); });
    connect(&m_store, &SettingsStore::browserDataHintChanged, this, [this] { rebuild(); });
    rebuild();
}

DestinationSettingsView::~DestinationSettingsView() = default;

HintBanner* DestinationSettingsView::banner() const
{
    return m_banner;
}

DestinationList* DestinationSettingsView::list() const
{
    return m_list;
}

QString DestinationSettingsView::helpText()
{
    //: Help text at the top of the Browsers settings pane. A destination is a browser profile links can open in; the
    //: picker is the radial link chooser. Keep 1 to 9, A to Z and 0 as is (they are the actual keys).
    return QCoreApplication::translate("Tavro",
        "Drag to reorder. Uncheck to hide a destination. Click a key to record a custom hotkey. A dashed key is the "
        "auto-assigned default (1 to 9, then A to Z). Click the emoji to tag a profile for quick spotting in the "
        "picker, or use the profile photo when one is available. In the picker, press 0 to open the most recent "
        "destination.");
}

QString DestinationSettingsView::emptyStateText()
{
    //: Empty state in the Browsers settings pane. Refresh Profiles must match that button's label.
    return QCoreApplication::translate("Tavro", "No browsers detected yet. Click Refresh Profiles.");
}

void DestinationSettingsView::rebuild()
{
    const AppSettings& settings = m_store.settings();
    // Hidden and unavailable destinations count; a key set to nothing is still set.
    m_resetHotkeys->setEnabled(std::ranges::any_of(
        settings.destinations, [](const BrowserDestination& destination) { return destination.hotkey.has_value(); }));
    updateRefreshButton();

    // A pending hint takes the place of the list; browser data before Safari.
    discard(m_banner);
    m_banner = nullptr;
    QWidget* shown = nullptr;
    if (m_store.browserDataHint().kind() == BrowserDataHint::Kind::blocked) {
        m_banner = new BrowserDataHintBanner(m_store.browserDataHint(), this);
        shown = m_banner;
    } else if (m_store.safariHint() != SafariHint::none) {
        m_banner = new SafariHintBanner(m_store.safariHint(), this);
        shown = m_banner;
    } else if (settings.destinations.isEmpty()) {
        if (!m_emptyText) {
            m_emptyText = BrandLabel::wrapping(emptyStateText(), Brand::textSecondary, Drawing::systemFont(12));
            m_emptyText->setParent(this);
            m_emptyText->setObjectName(QStringLiteral("emptyText"));
            m_emptyText->setContentsMargins(0, kEmptyTextMargin, 0, kEmptyTextMargin);
        }
        shown = m_emptyText;
    } else {
        if (!m_list) {
            auto* scroll = new QScrollArea(this);
            // Scrolling is no stop for the keyboard: Tab goes to what the area holds.
            scroll->setFocusPolicy(Qt::NoFocus);
            m_listArea = scroll;
            scroll->setFrameShape(QFrame::NoFrame);
            scroll->setWidgetResizable(true);
            scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            ScrollBarStyle::apply(scroll);
            // The list's own card is all that shows; the pane's background runs on behind it.
            scroll->viewport()->setAutoFillBackground(false);
            m_list = new DestinationList(m_store);
            auto* holder = new QWidget;
            auto* holderColumn = new QVBoxLayout(holder);
            holderColumn->setContentsMargins(0, 0, 0, 0);
            holderColumn->addWidget(m_list);
            holderColumn->addStretch(1);
            scroll->setWidget(holder);
            holder->setAutoFillBackground(false);
        }
        m_list->setDestinations(settings);
        shown = m_list;
    }
    if (m_banner) {
        connect(m_banner, &HintBanner::recheckRequested, this, &DestinationSettingsView::refresh);
        LoginItem::connectHintBanner(m_banner);
    }

    if (m_emptyText && shown != m_emptyText) {
        discard(m_emptyText);
        m_emptyText = nullptr;
    }
    if (m_list && shown != m_list) {
        discard(m_listArea);
        m_list = nullptr;
        m_listArea = nullptr;
    }

    // Below the help text: the one thing shown, then room, unless the list fills the height.
    while (m_column->count() > 2) {
        QLayoutItem* item = m_column->takeAt(2);
        delete item;
    }
    if (shown == m_list) {
        m_column->addWidget(m_listArea, 1);
    } else {
        m_column->addWidget(shown);
        m_column->addStretch(1);
    }
    (shown == m_list ? static_cast<QWidget*>(m_listArea) : shown)->show();
}

void DestinationSettingsView::refresh()
{
    ++m_runningScans;
    updateRefreshButton();
    [](QPointer<DestinationSettingsView> pane, QCoro::Task<void> scan) -> QCoro::Task<void> {
        co_await std::move(scan);
        // Overlapping scans (a banner's recheck while one runs) keep the button busy until the last ends.
        if (pane) {
            --pane->m_runningScans;
            pane->updateRefreshButton();
        }
    }(QPointer(this), m_scan(m_store));
}

void DestinationSettingsView::updateRefreshButton()
{
    m_refresh->setBusy(isRefreshing());
    m_refresh->setEnabled(!isRefreshing());
}

} // namespace tavro
