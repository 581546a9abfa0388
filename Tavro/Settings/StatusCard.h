#pragma once

#include "Tavro/Settings/SettingsCard.h"

#include <QMetaObject>

namespace tavro {

// A card that ends in a status it re-checks: on its "Re-check" link, on every activation of the
// application while the card is shown, and, where a check is cheap, each time the card comes on
// screen. Each card says how it checks and what each status shows; a new status row takes the
// place of the old one.
class StatusCard : public SettingsCard
{
    Q_OBJECT
public:
    // Whether coming on screen checks too, or waits for an activation or the link.
    enum class CheckOnShow : bool { no, yes };

    // The status row shown now.
    QWidget* statusArea() const { return m_status; }
    // Starts a check; its answer comes back as a new status row.
    virtual void recheck() = 0;

protected:
    explicit StatusCard(CheckOnShow checkOnShow, QWidget* parent = nullptr);

    // Puts `status` at the end of the card, in place of the row shown until now.
    void setStatusArea(QWidget* status);
    // Shows what a satisfied state shows: the accent seal, `status` in 12 pt semibold navy (a label
    // named "status"), then "Re-check" pushed to the far edge.
    void showSatisfied(const QString& status);
    // The "Re-check" link, which calls recheck().
    LinkButton* recheckLink();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CheckOnShow m_checkOnShow;
    QWidget* m_status = nullptr;
    QMetaObject::Connection m_activation;
};

} // namespace tavro
