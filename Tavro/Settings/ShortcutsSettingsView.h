#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

class QComboBox;

namespace tavro {

class BrandLabel;
class GlobalHotkeysGroup;
class SettingsStore;
class SettingsView;
class SwitchToggle;

// The bypass gesture, where a skipped link goes, the private-window key, two cards saying what a
// click and a modifier-click do now, and the global hot keys. Holds no state: every control shows
// the store's record and writes straight through it.
class ShortcutsSettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit ShortcutsSettingsView(SettingsView& view, QWidget* parent = nullptr);

    // The label of a stored bypass destination that cannot be used now; absent when all is well.
    static std::optional<QString> unavailableBypassDestinationLabel(const SettingsStore& store);

    QComboBox* modifierPicker() const { return m_modifier; }
    SwitchToggle* invertSwitch() const { return m_invert; }
    QComboBox* destinationPicker() const { return m_destination; }
    // Shown only while there is something to warn about.
    BrandLabel* unavailableWarning() const { return m_warning; }
    QComboBox* privateModifierPicker() const { return m_privateModifier; }
    BrandLabel* privateHelp() const { return m_privateHelp; }
    // The plain-click card and the modifier-click card, each one element for screen readers.
    QWidget* clickCard() const { return m_clickCard.card; }
    QWidget* modifierClickCard() const { return m_modifierClickCard.card; }
    GlobalHotkeysGroup* globalHotkeys() const { return m_hotkeys; }

private:
    struct GestureCard
    {
        QWidget* card = nullptr;
        BrandLabel* gesture = nullptr;
        BrandLabel* action = nullptr;
    };
    static GestureCard gestureCard();
    // The pane's first two blocks; the bypass block holds the two cards.
    QWidget* buildBypass();
    QWidget* buildGestureCards();
    QWidget* buildPrivateWindows();
    // The texts that follow the settings: the warning, the two cards and the private-window help.
    void describe();

    SettingsStore& m_store;
    QComboBox* m_modifier;
    SwitchToggle* m_invert;
    QComboBox* m_destination;
    BrandLabel* m_warning;
    GestureCard m_clickCard;
    GestureCard m_modifierClickCard;
    QComboBox* m_privateModifier;
    BrandLabel* m_privateHelp;
    GlobalHotkeysGroup* m_hotkeys;
};

} // namespace tavro
