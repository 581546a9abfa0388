#pragma once

#include "Tavro/Model/BrowserDestination.h"

#include <QString>
#include <QWidget>

#include <optional>

class QAbstractButton;
class QLabel;

namespace tavro {

class EmojiPickerButton;
class HotkeyCaptureButton;
class NodeColorPickerButton;
class SettingsStore;

// One destination in the Browsers pane: the visibility checkbox, the key cap, the emoji and colour
// buttons, the browser's icon and name, an "unavailable" badge when it is gone and the drag handle.
// It works on the copy of the destination it was built with; every control writes to the store by
// that copy's id, and the pane builds the row anew once the store publishes a change to it.
class DestinationRow : public QWidget
{
    Q_OBJECT
public:
    // `index` is the row's place among `count` rows; `effectiveKey` the key the picker gives it.
    DestinationRow(SettingsStore& store, const BrowserDestination& destination,
        const std::optional<QString>& effectiveKey, int index, int count, QWidget* parent = nullptr);

    const BrowserDestination& destination() const { return m_destination; }
    const std::optional<QString>& effectiveKey() const { return m_effectiveKey; }
    int index() const { return m_index; }
    int count() const { return m_count; }

    QLabel* nameLabel() const { return m_name; }
    // The controls a keyboard reaches, left to right: "visibility", "keyCap", "emoji" and
    // "petalColor". The row's other named parts: "unavailable" (a badge, only while the
    // destination is unavailable) and "dragHandle".
    QList<QWidget*> controls() const;

    // "Chrome: Work", or the browser's name alone for a browser that has no profiles.
    static QString displayName(const BrowserDestination& destination);
    static QString moveUpText();
    static QString moveDownText();

    // The screen reader's reordering: one place earlier or later, through the store's move.
    bool canMoveUp() const { return m_index > 0; }
    bool canMoveDown() const { return m_index < m_count - 1; }
    void moveUp();
    void moveDown();

    static constexpr int kSpacing = 11;
    static constexpr int kVerticalPadding = 4;
    static constexpr double kUnavailableOpacity = 0.55;

private:
    SettingsStore& m_store;
    const BrowserDestination m_destination;
    const std::optional<QString> m_effectiveKey;
    const int m_index;
    const int m_count;
    QAbstractButton* m_visibility = nullptr;
    HotkeyCaptureButton* m_keyCap = nullptr;
    EmojiPickerButton* m_emoji = nullptr;
    NodeColorPickerButton* m_color = nullptr;
    QLabel* m_name = nullptr;
};

} // namespace tavro
