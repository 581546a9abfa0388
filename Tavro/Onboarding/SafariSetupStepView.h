#pragma once
// The onboarding step that lets Tavro read the user's Safari profiles: it leads the user to grant
// Accessibility, runs the detection (which starts Safari quietly when needed) and lists the
// profiles found. It reports nothing to its host; the footer moves on whatever it shows.
//
// Nothing polls: trust and Safari are read again when the step comes on screen, whenever the
// application becomes active while it is shown, and when a detection ends.

#include "Tavro/Discovery/SafariSetup.h"

#include <QCoro/QCoroTask>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QVBoxLayout;

namespace tavro {

class SettingsStore;

class SafariSetupStepView : public QWidget
{
    Q_OBJECT
public:
    explicit SafariSetupStepView(SettingsStore& store, SafariSetup::Timing timing = {}, QWidget* parent = nullptr);
    ~SafariSetupStepView() override;

    // The stored Safari profiles' names joined as the user's language joins a list, or "None yet".
    QString profilesDetail() const;
    // A read of Safari that worked and found no profile besides the current one.
    bool readSucceededWithNoProfiles() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void refreshStatus();
    void detect();
    void openAccessibilitySettings();
    void applicationBecameActive();
    void render();

    QWidget* accessibilityCallout();
    QWidget* checklist();
    QWidget* profilesPanel();
    QWidget* detectActionRow();
    QWidget* instructionRow(int number, const QString& markdown);
    QWidget* statusRow(bool done, const QString& title, const QString& detail);

    static QCoro::Task<> runDetection(
        QPointer<SafariSetupStepView> self, QPointer<SettingsStore> store, SafariSetup::Timing timing);

    SettingsStore& m_store;
    SafariSetup::Timing m_timing;
    bool m_isDetecting = false;
    bool m_hasInitiated = false;
    bool m_accessibilityGranted = false;
    bool m_safariRunning = false;
    bool m_hasAppeared = false;

    QVBoxLayout* m_column = nullptr;
    QPointer<QWidget> m_body;
};

} // namespace tavro
