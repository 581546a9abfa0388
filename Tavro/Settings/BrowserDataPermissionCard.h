#pragma once

#include "Tavro/Settings/StatusCard.h"

namespace tavro {

class BrandLabel;
class BrowserDataHint;
class SettingsView;

// What Tavro reads of other browsers' data folders and whether the system lets it. The status is
// the store's browser-data hint, which every discovery refresh sets; every activation of the
// application while the card is shown, and every "Re-check", starts an interactive refresh.
class BrowserDataPermissionCard : public StatusCard
{
    Q_OBJECT
public:
    explicit BrowserDataPermissionCard(SettingsView& view, QWidget* parent = nullptr);

    // Starts a refresh and returns at once; refreshes may overlap, the last to finish wins.
    void recheck() override;

private:
    void showStatus(const BrowserDataHint& hint);
    QWidget* blockedStatus(const BrowserDataHint& hint);

    SettingsView& m_view;
    // The status line, named "status": "Tavro can read your browser profiles" or "Blocked for …".
    BrandLabel* m_statusLabel = nullptr;
};

} // namespace tavro
