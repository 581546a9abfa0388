#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

namespace tavro {

class BrandLabel;
class SettingsStore;
class SettingsView;

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
    // Shown only while there is something to warn about.
    BrandLabel* m_warning;
    // The plain-click card and the modifier-click card, each one element for screen readers.
    GestureCard m_clickCard;
    GestureCard m_modifierClickCard;
    BrandLabel* m_privateHelp;
};

} // namespace tavro
