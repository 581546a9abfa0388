#pragma once

#include "Tavro/Settings/StatusCard.h"

#include <QPointer>

#include <chrono>

namespace tavro {

class BrandLabel;
class SettingsView;

// Whether Tavro is the default web browser, with the way to make it so. The answer lives in the
// view (`isDefaultBrowser`); the card re-reads it off the GUI thread when it comes on screen, on
// every activation of the application while it is shown, and on "Re-check". No read is cancelled:
// the view keeps the answer of the read made last, whichever lands last.
class DefaultHandlerCard : public StatusCard
{
    Q_OBJECT
public:
    // After "Set Tavro as Default Browser": the checks after the first, and the pause between them.
    struct Timing
    {
        int waitAttempts = 10;
        std::chrono::milliseconds waitInterval = std::chrono::seconds(1);
    };

    explicit DefaultHandlerCard(SettingsView& view, QWidget* parent = nullptr);
    DefaultHandlerCard(SettingsView& view, Timing timing, QWidget* parent = nullptr);

    void recheck() override;

private:
    void showStatus(bool isDefault);
    // "Set Tavro as Default Browser", pressed.
    void setAsDefault();
    // Below the button: why the last request failed, else why the desktop cannot start the Tavro it
    // names, else nothing.
    void showFailure(const QString& requestFailure);

    QPointer<SettingsView> m_view;
    Timing m_timing;
    // Below the button while it is offered: why links do not reach Tavro, hidden when nothing is known.
    QPointer<BrandLabel> m_failure;
};

} // namespace tavro
