#include "Tavro/Settings/DestinationList.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/DestinationRow.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

DestinationList::DestinationList(SettingsStore& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(kHorizontalInset, kRowInset, kHorizontalInset, kRowInset);
    m_layout->setSpacing(2 * kRowInset);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    accessibilityContainer(this, AccessibleContainer::list);
}

void DestinationList::setDestinations(const AppSettings& settings)
{
    endDrag();

    // Where the keyboard was, so that a change made from the keyboard leaves it there.
    std::optional<QUuid> focusedId;
    qsizetype focusedControl = -1;
    QWidget* keyboardGoesTo = nullptr;
    if (QWidget* focused = keyboardPlace()) {
        for (DestinationRow* row : std::as_const(m_rows)) {
            if (row->isAncestorOf(focused)) {
                focusedId = row->destination().id;
                focusedControl = row->controls().indexOf(focused);
            }
        }
    }

    // A row whose destination, key and place are unchanged stays as it is, with whatever the user
    // has open in it (the emoji popover, a key recording); the others are built anew.
    QHash<QUuid, DestinationRow*> previous;
    for (DestinationRow* row : std::as_const(m_rows)) {
        m_layout->removeWidget(row);
        previous.insert(row->destination().id, row);
    }
    m_rows.clear();

    QList<BrowserDestination> sorted = settings.destinations;
    std::ranges::stable_sort(sorted, {}, &BrowserDestination::sortOrder);
    const QHash<QUuid, QString> keys = HotkeyAssignment::resolve(settings.visibleDestinations());
    const int count = int(sorted.size());
    for (int index = 0; index < count; ++index) {
        const BrowserDestination& destination = sorted[index];
        const auto found = keys.find(destination.id);
        const std::optional<QString> key = found == keys.end() ? std::nullopt : std::optional<QString>(*found);
        DestinationRow* row = previous.take(destination.id);
        if (!row || row->destination() != destination || row->effectiveKey() != key || row->index() != index
            || row->count() != count) {
            if (row)
                previous.insert(destination.id, row);
            row = new DestinationRow(m_store, destination, key, index, count, this);
            m_layout->addWidget(row);
            if (focusedId == destination.id && focusedControl >= 0)
                keyboardGoesTo = row->controls().at(focusedControl);
        } else {
            m_layout->addWidget(row);
        }
        m_rows.append(row);
    }
    // Later, not now: the control that made the change is still running its signal.
    for (DestinationRow* row : std::as_const(previous)) {
        row->hide();
        row->deleteLater();
    }
    followScreenOrder();
    // Once the old row is out of the way, which would hand the keyboard on as it hides; the new
    // one is shown now rather than on the next turn, so that it can take the keyboard.
    if (keyboardGoesTo) {
        keyboardGoesTo->parentWidget()->show();
        keyboardGoesTo->setFocus(Qt::OtherFocusReason);
    }
    update();
}

QWidget* DestinationList::keyboardPlace() const
{
    // The window's own: while a popover of a row has the keyboard, or another window, this is the
    // control the keyboard comes back to.
    return window()->focusWidget();
}

void DestinationList::followScreenOrder()
{
    // A row built anew comes last among the list's children and in the window's Tab order; both
    // follow the screen again. Kept rows keep their places among the widgets before the list.
    QWidget* previous = nullptr;
    for (QWidget* before = previousInFocusChain(); before != window() && before != this;
         before = before->previousInFocusChain()) {
        if (!isAncestorOf(before) && before->focusPolicy() != Qt::NoFocus) {
            previous = before;
            break;
        }
    }
    for (DestinationRow* row : std::as_const(m_rows)) {
        row->raise();
        for (QWidget* control : row->controls()) {
            if (previous)
                setTabOrder(previous, control);
            previous = control;
        }
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent reordered(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reordered);
    }
}

std::optional<int> DestinationList::rowIndexAt(const QPoint& pos) const
{
    for (int index = 0; index < m_rows.size(); ++index) {
        if (m_rows[index]->geometry().adjusted(0, -kRowInset, 0, kRowInset).contains(pos))
            return index;
    }
    return std::nullopt;
}

int DestinationList::dropOffset(int y) const
{
    int offset = 0;
    for (DestinationRow* row : m_rows) {
        if (y > row->geometry().center().y())
            ++offset;
    }
    return offset;
}

void DestinationList::mousePressEvent(QMouseEvent* event)
{
    // Presses on the rows' controls never get here; the rest of a row is where a drag starts.
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressedRow = rowIndexAt(event->position().toPoint());
    m_pressPosition = event->position().toPoint();
    event->accept();
}

void DestinationList::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressedRow || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint pos = event->position().toPoint();
    if (!m_dragging) {
        if ((pos - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    m_dropOffset = dropOffset(pos.y());
    // Near the edge of the visible part, the scroll area the list sits in (through its holder and
    // the area's viewport) scrolls along.
    QWidget* ancestor = parentWidget();
    while (ancestor && !qobject_cast<QScrollArea*>(ancestor))
        ancestor = ancestor->parentWidget();
    if (auto* area = qobject_cast<QScrollArea*>(ancestor); area && area->widget()) {
        const QPoint inContent = mapTo(area->widget(), pos);
        area->ensureVisible(inContent.x(), inContent.y(), 0, 24);
    }
    update();
}

void DestinationList::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const std::optional<int> moved = m_dragging ? m_pressedRow : std::nullopt;
    const int offset = dropOffset(event->position().toPoint().y());
    endDrag();
    // Dropped on either gap beside itself, the row stays where it is.
    if (moved && offset != *moved && offset != *moved + 1)
        m_store.move({*moved}, offset);
}

void DestinationList::endDrag()
{
    m_pressedRow.reset();
    if (m_dragging) {
        m_dragging = false;
        unsetCursor();
        update();
    }
}

void DestinationList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath card = Drawing::roundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCardRadius);
    painter.fillPath(card, resolve(Brand::frost, this));
    Drawing::stroke(painter, card, resolve(Brand::divider, this), 1);

    const QColor divider = resolve(Brand::divider, this);
    for (int index = 1; index < m_rows.size(); ++index) {
        const double y = m_rows[index]->geometry().top() - kRowInset + 0.5;
        painter.fillRect(QRectF(kHorizontalInset, y - 0.5, width() - 2 * kHorizontalInset, 1), divider);
    }

    if (m_dragging && m_pressedRow && *m_pressedRow < m_rows.size()) {
        const QRect lifted = m_rows[*m_pressedRow]->geometry().adjusted(
            -kHorizontalInset / 2, -kRowInset + 1, kHorizontalInset / 2, kRowInset - 1);
        painter.fillPath(Drawing::roundedRect(lifted, 6), withOpacity(resolve(Brand::ice, this), 0.15));
        // Where the row will land: a line in the gap between two rows.
        double y;
        if (m_dropOffset < m_rows.size())
            y = m_rows[m_dropOffset]->geometry().top() - kRowInset;
        else
            y = m_rows.last()->geometry().bottom() + kRowInset;
        painter.setPen(QPen(resolve(Brand::ice, this), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(kHorizontalInset, y), QPointF(width() - kHorizontalInset, y));
    }
}

} // namespace tavro
