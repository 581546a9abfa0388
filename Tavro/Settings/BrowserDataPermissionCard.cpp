#include "Tavro/Settings/BrowserDataPermissionCard.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/BrowserDataHintBanner.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolIcon.h"
#include "Tavro/Discovery/BrowserDataPermission.h"
#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsLog.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

namespace tavro {

namespace {

// The platform's standard orange, the same warning colour in both appearances' own shade.
constexpr ColorPair kSystemOrange{0xFF9500, 0xFF9F0A};

// Started and not awaited; the store outlives every Preferences window.
QCoro::Task<> refreshInteractively(QPointer<SettingsStore> store)
{
    if (store)
        co_await DiscoveryCoordinator::refresh(*store, DiscoveryCoordinator::SafariScanMode::interactive);
}

} // namespace

BrowserDataPermissionCard::BrowserDataPermissionCard(SettingsView& view, QWidget* parent)
    // No check on appearing: the hint is the last refresh's, and a refresh scans every browser.
    : StatusCard(CheckOnShow::no, parent), m_view(view)
{
    //: Card title in the Permissions settings pane for permission to read other browsers' profile data.
    column()->addWidget(title(QCoreApplication::translate("Tavro", "Browser data access")));
    //: Permissions pane explanation. Browser names are not translated. Use Apple's localized name for the
    //: Accessibility privacy setting.
    column()->addWidget(caption(QCoreApplication::translate("Tavro",
        "Since macOS 27, apps are blocked from reading other applications’ data. Tavro reads each browser’s "
        "profile list from its data folder, so Chrome, Edge, Brave, and Firefox need access here. Safari is the "
        "exception: it uses Accessibility instead.")));
    column()->addWidget(disclosure(
        //: Permissions pane: what Tavro uses browser data access for.
        QCoreApplication::translate("Tavro",
            "Reads only each browser’s list of profiles (their names and folders), and notices when you add or "
            "rename one."),
        //: Permissions pane: what Tavro never does with browser data access.
        QCoreApplication::translate("Tavro",
            "It never reads your history, bookmarks, passwords, or cookies, and never sends anything anywhere.")));
    connect(&view.store(), &SettingsStore::browserDataHintChanged, this, &BrowserDataPermissionCard::showStatus);
    showStatus(view.store().browserDataHint());
}

void BrowserDataPermissionCard::showStatus(const BrowserDataHint& hint)
{
    if (hint.kind() == BrowserDataHint::Kind::none) {
        //: Status line when browser data access is granted.
        showSatisfied(QCoreApplication::translate("Tavro", "Tavro can read your browser profiles"));
        m_statusLabel = statusArea()->findChild<BrandLabel*>(QStringLiteral("status"));
    } else {
        setStatusArea(blockedStatus(hint));
    }
    qCDebug(lcSettings).noquote() << "browser data status:" << m_statusLabel->text();
}

QWidget* BrowserDataPermissionCard::blockedStatus(const BrowserDataHint& hint)
{
    auto* status = new QWidget;
    auto* block = new QVBoxLayout(status);
    block->setContentsMargins(0, 0, 0, 0);
    block->setSpacing(6);
    m_statusLabel = BrandLabel::wrapping(
        //: Status line when macOS blocks reading some browsers' data. %1 is a list of browser names, e.g.
        //: Chrome and Edge.
        QCoreApplication::translate("Tavro", "Blocked for %1").arg(BrowserDataHintBanner::browserList(hint.browsers())),
        Brand::navy, Drawing::systemFont(12, QFont::DemiBold));
    m_statusLabel->setObjectName(QStringLiteral("status"));
    block->addWidget(row(
        {new SymbolIcon(QStringLiteral("exclamationmark.triangle.fill"), kSystemOrange, QSize(15, 15)), m_statusLabel},
        6));
    if (LoginItem::systemSettingsOpen()) {
        block->addWidget(row({prominentButton(
                                  //: Button that opens the Files & Folders privacy pane in System Settings. Use
                                  //: Apple's localized name for Files & Folders.
                                  QCoreApplication::translate("Tavro", "Allow in Files & Folders…"),
                                  [] {
                                      // Tried first, so the system lists Tavro under Files & Folders.
                                      BrowserDataPermission::probe();
                                      LoginItem::openFilesAndFoldersSettings();
                                  }),
                                 recheckLink()},
            10));
        //: Hint below the Allow in Files & Folders button. Use Apple's localized name for System Settings.
        block->addWidget(caption(QCoreApplication::translate("Tavro",
                                     "In System Settings, Tavro shows a switch for each browser. Turn on the ones "
                                     "whose profiles you want Tavro to read."),
            11));
    } else {
        block->addWidget(row({recheckLink()}, 10));
        //: Permissions pane, in place of the Allow in Files & Folders button on a desktop that has no such setting.
        block->addWidget(caption(QCoreApplication::translate("Tavro",
                                     "Let your user read those browsers’ profile folders, then click Re-check."),
            11));
    }
    return status;
}

void BrowserDataPermissionCard::recheck()
{
    refreshInteractively(&m_view.store());
}

} // namespace tavro
