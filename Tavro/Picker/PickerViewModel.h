#pragma once

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/SettingsEnums.h"
#include "Tavro/Picker/EdgeRoom.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace tavro {

// The state of one open picker and the only way a choice leaves it: chosen() or cancelled(). The
// window controller owns one per presentation; the picker view draws from it and the key and mouse
// handling call into it. A receiver may close the picker and release the model (later, never while
// it emits).
class PickerViewModel : public QObject
{
    Q_OBJECT
public:
    enum class MoveDirection { up, down, left, right };
    static QPointF unitVector(MoveDirection direction);

    explicit PickerViewModel(QObject* parent = nullptr);

    QList<BrowserDestination> destinations;
    QUrl url;
    QString bypassSymbol;
    bool reduceAnimations = false;
    EmojiPosition emojiPosition = EmojiPosition::besideIcon;
    std::optional<QString> notice;
    EdgeRoom screenRoom;
    std::optional<QUuid> lastUsedID;

    int selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(int index);
    bool isPrivate() const { return m_isPrivate; }
    void setPrivate(bool isPrivate);

    // False only in private mode for a browser that cannot open private windows.
    bool isChoosable(const BrowserDestination& destination) const;
    static bool canOpenPrivateWindows(const BrowserDestination& destination);

    // A petal was clicked.
    void choose(int index);
    // Return or Enter, or a click on the hub.
    void chooseSelected();
    // A typed key; true when a destination matched, also when private mode then refused it.
    bool chooseByKey(const QString& key);
    // Escape, a click beside the petals, or the application losing the activation.
    void cancel();
    void moveSelection(int delta);
    void moveSelection(MoveDirection direction);

    // The index of the last used destination among those shown.
    std::optional<int> lastUsedIndex() const;
    QString accessibilityTitle() const;

Q_SIGNALS:
    void selectedIndexChanged(int index);
    void isPrivateChanged(bool isPrivate);
    void chosen(const tavro::BrowserDestination& destination, bool privately);
    void cancelled();

private:
    // Beeps and answers false when private mode refuses `destination`.
    bool acceptsPrivately(const BrowserDestination& destination) const;

    int m_selectedIndex = 0;
    bool m_isPrivate = false;
};

} // namespace tavro
