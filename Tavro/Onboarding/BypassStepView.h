#pragma once
// The last onboarding step: which modifier skips the picker and what a bypassed link opens, and
// the opt-in to update checks. Every choice goes to the store or the updater the moment it is
// made.

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLayout;

namespace tavro {

struct AppSettings;
class SettingsStore;
class UpdateController;

class BypassStepView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPickerWidth = 320;

    BypassStepView(SettingsStore& store, UpdateController& updates, QWidget* parent = nullptr);

    // Whether the menus list the rows the store holds now; when they do, a change in the store
    // (the user's own choices among them) needs no new step, and a menu the user has open stays open.
    bool showsCurrentChoices() const;

private:
    QComboBox* modifierMenu();
    QComboBox* destinationMenu();
    QLayout* updatesRow();
    // The menu under its caption, which names it for screen readers.
    static QLayout* captioned(const QString& caption, QComboBox* menu);
    // What the menus list, to tell whether a change in the store touches them.
    static QStringList choices(const AppSettings& settings);

    SettingsStore& m_store;
    UpdateController& m_updates;
    QStringList m_shownChoices;
};

} // namespace tavro
