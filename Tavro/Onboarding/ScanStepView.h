#pragma once
// The second onboarding step: the destinations the scan found, one card per browser, with the
// button that scans again and the banner for browser data Tavro may not read. The window runs the
// scans and builds the step again when one starts or ends; the step only reports the request.

#include "Tavro/Model/BrowserDestination.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <utility>

namespace tavro {

class SettingsStore;

class ScanStepView : public QWidget
{
    Q_OBJECT
public:
    // Where the window's scans stand.
    struct Progress
    {
        bool isScanning = false;
        bool hasScanned = false;
    };

    ScanStepView(const SettingsStore& store, Progress progress, QWidget* parent = nullptr);

    // Available destinations in stored order, grouped by browser name; the groups ordered by
    // their names' code points, not by the locale.
    using DestinationGroup = std::pair<QString, QList<BrowserDestination>>;
    static QList<DestinationGroup> groupedByBrowser(const QList<BrowserDestination>& destinations);

Q_SIGNALS:
    // The user asked for a scan, with the step's button or the banner's.
    void scanRequested();

private:
    QLayout* titleRow();
    QWidget* placeholder();
    QWidget* destinationList();
    QWidget* destinationGroup(const QString& browser, const QList<BrowserDestination>& destinations);
    void scan();

    const SettingsStore& m_store;
    Progress m_progress;
};

} // namespace tavro
