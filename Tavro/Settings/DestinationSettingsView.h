#pragma once

#include <QCoro/QCoroTask>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QScrollArea;
class QVBoxLayout;

namespace tavro {

class BrandLabel;
class DestinationHeaderButton;
class DestinationList;
class HintBanner;
class SettingsStore;

// The Browsers pane of Preferences: every stored destination as a row in picker order, with the
// header's "Reset Hotkeys" and "Refresh Profiles". It keeps no copy of the settings: whatever the
// store publishes rebuilds what shows, and every edit is one store call by destination id.
class DestinationSettingsView : public QWidget
{
    Q_OBJECT
public:
    // A discovery scan into the store; the pane only awaits it and learns its outcome from the store.
    using Scan = std::function<QCoro::Task<void>(SettingsStore&)>;

    // Scans with the interactive discovery refresh.
    explicit DestinationSettingsView(SettingsStore& store, QWidget* parent = nullptr);
    DestinationSettingsView(SettingsStore& store, Scan scan, QWidget* parent = nullptr);
    ~DestinationSettingsView() override;

    // True from the start of a rescan until no rescan is running any more.
    bool isRefreshing() const { return m_runningScans > 0; }

    // What shows below the help text: a hint banner, the empty text (named "emptyText") or the
    // list (one at a time).
    HintBanner* banner() const;
    DestinationList* list() const;

    static QString helpText();
    static QString emptyStateText();

private:
    void rebuild();
    void refresh();
    void updateRefreshButton();

    SettingsStore& m_store;
    Scan m_scan;
    int m_runningScans = 0;
    DestinationHeaderButton* m_resetHotkeys = nullptr;
    DestinationHeaderButton* m_refresh = nullptr;
    QVBoxLayout* m_column = nullptr;
    QPointer<HintBanner> m_banner;
    QPointer<BrandLabel> m_emptyText;
    QPointer<DestinationList> m_list;
    QPointer<QScrollArea> m_listArea; // scrolls the list
};

} // namespace tavro
