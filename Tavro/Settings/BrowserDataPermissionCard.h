#pragma once

#include "Tavro/Settings/SettingsCard.h"

#include <QMetaObject>

namespace tavro {

class BrandLabel;
class BrowserDataHint;
class SettingsView;

// What Tavro reads of other browsers' data folders and whether the system lets it. The status is
// the store's browser-data hint, which every discovery refresh sets; every activation of the
// application while the card is shown, and every "Re-check", starts an interactive refresh.
class BrowserDataPermissionCard : public SettingsCard
{
    Q_OBJECT
public:
    explicit BrowserDataPermissionCard(SettingsView& view, QWidget* parent = nullptr);

    // The status line: "Tavro can read your browser profiles" or "Blocked for …".
    BrandLabel* statusLabel() const { return m_statusLabel; }
    QWidget* statusArea() const { return m_status; }
    // Starts a refresh and returns at once; refreshes may overlap, the last to finish wins.
    void recheckBrowserData();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showStatus(const BrowserDataHint& hint);

    SettingsView& m_view;
    QWidget* m_status = nullptr;
    BrandLabel* m_statusLabel = nullptr;
    QMetaObject::Connection m_activation;
};

} // namespace tavro
