#pragma once
// While the status menu is open, holding the private-window key turns the "Open New Tab in…" item
// and its submenu into their private forms; releasing it turns them back. The menu actions read
// `isPrivate` to decide whether to open privately.

#include "Tavro/Shell/MenuTitle.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace tavro {

class PrivateMenuTracker : public QObject
{
    Q_OBJECT
public:
    // The modifier poll while the menu is open.
    static constexpr std::chrono::milliseconds kPollInterval{50};

    struct Entry
    {
        QPointer<QAction> item;
        MenuTitle normalTitle;
        MenuTitle privateTitle;
        bool enabledWhenPrivate = false;
        // An item that sends nothing (the submenu's hint) is shown disabled in both modes.
        bool sendsAction = true;
    };

    explicit PrivateMenuTracker(QObject* parent = nullptr);

    // Stops the poll, forgets every entry and leaves private mode; the items keep their titles.
    void reset();
    void addEntry(const Entry& entry);
    const QList<Entry>& entries() const { return m_entries; }
    // The private-window key as platform modifier flags.
    quint64 modifier() const { return m_modifier; }
    void setModifier(quint64 modifier) { m_modifier = modifier; }
    bool isPrivate() const { return m_isPrivate; }
    bool isTracking() const { return m_timer != nullptr; }

    // Makes the tracker the delegate of `menu`: it tracks from the menu's opening to its closing.
    void track(QMenu& menu);
    void menuWillOpen();
    void menuDidClose();

    // A 32-point drawing of `image` with the private badge in its bottom-right corner.
    static QImage privateBadged(const std::optional<QImage>& image);

private:
    bool isHeld() const;
    void apply(bool isPrivate);

    QPointer<QMenu> m_menu;
    QList<Entry> m_entries;
    std::unique_ptr<QTimer> m_timer;
    bool m_isPrivate = false;
    quint64 m_modifier = 0x20000;
};

} // namespace tavro
