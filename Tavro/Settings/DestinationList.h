#pragma once

#include "Tavro/Model/AppSettings.h"

#include <QList>
#include <QPoint>
#include <QWidget>

#include <optional>

class QVBoxLayout;

namespace tavro {

class DestinationRow;
class SettingsStore;

// The rows of the Browsers pane on one inset card, every stored destination in sort order, hidden
// and unavailable ones too. A row dragged by any place that is not one of its controls moves to
// the gap it is dropped on, through the store's move. Screen readers meet it as a list of its rows.
class DestinationList : public QWidget
{
    Q_OBJECT
public:
    explicit DestinationList(SettingsStore& store, QWidget* parent = nullptr);

    // Builds the rows afresh from `settings`; the keyboard focus stays on the same control of the
    // same destination. A drag under way ends.
    void setDestinations(const AppSettings& settings);

    const QList<DestinationRow*>& rows() const { return m_rows; }
    bool isDragging() const { return m_dragging; }
    // The offset a row dropped at `y` (in this widget) moves to: the gap nearest the pointer,
    // counted before the dragged row is taken out.
    int dropOffset(int y) const;

    static constexpr int kCardRadius = 10;
    static constexpr int kHorizontalInset = 12;
    static constexpr int kRowInset = 4;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<int> rowIndexAt(const QPoint& pos) const;
    // Where the keyboard is in this window, or comes back to when the window has it again.
    QWidget* keyboardPlace() const;
    // Puts the rows in screen order among the children and in the Tab order.
    void followScreenOrder();
    void endDrag();

    SettingsStore& m_store;
    QVBoxLayout* m_layout;
    QList<DestinationRow*> m_rows;
    std::optional<int> m_pressedRow;
    QPoint m_pressPosition;
    bool m_dragging = false;
    int m_dropOffset = 0;
};

} // namespace tavro
