#pragma once

#include "Tavro/Settings/SettingsCard.h"

#include <QDateTime>

namespace tavro {

class BrandLabel;
class SwitchToggle;
class UpdateController;

// The update framework's two automatic-update preferences, the time of the last check and a check
// now. System and About each show one; both follow the controller, so a change in one shows in
// the other at once. Nothing here goes into Tavro's settings record.
class UpdatesCard : public SettingsCard
{
    Q_OBJECT
public:
    explicit UpdatesCard(UpdateController& updates, QWidget* parent = nullptr);

    // "Last checked Oct 16, 2026 at 3:12 PM", in the user's locale: a medium date and a short time.
    static QString lastCheckedText(const QDateTime& date);

private:
    // Whether automatic installs can be chosen, and the last check.
    void showState();

    UpdateController& m_updates;
    SwitchToggle* m_downloads;
    // The last-check line; hidden while the updater knows of no check.
    BrandLabel* m_lastChecked;
};

} // namespace tavro
