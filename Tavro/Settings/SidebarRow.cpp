#include "Tavro/Settings/SidebarRow.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/AccessibilityNotifications.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QPainter>

#include <cmath>

namespace tavro {

namespace {

class SidebarRowAccessible : public QAccessibleWidget
{
public:
    explicit SidebarRowAccessible(SidebarRow* row) : QAccessibleWidget(row, QAccessible::PageTab) { }

    SidebarRow* row() const { return static_cast<SidebarRow*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && row()->accessibleName().isEmpty())
            return row()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = row()->isSelected();
        return s;
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            row()->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* row = qobject_cast<SidebarRow*>(object))
        return new SidebarRowAccessible(row);
    return nullptr;
}

QFont titleFont()
{
    return Drawing::systemFont(13, QFont::Medium);
}

} // namespace

SidebarRow::SidebarRow(const QString& title, const QString& icon, QWidget* parent)
    : QAbstractButton(parent), m_icon(icon)
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
    setText(title);
    setFont(titleFont());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SidebarRow::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    update();
    if (QAccessible::isActive())
        AccessibilityNotifications::stateChanged(
            QAccessible::queryAccessibleInterface(this), AccessibilityNotifications::State::selected, selected);
}

QSize SidebarRow::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const double width = 2 * kHorizontalPadding + kIconFrame + kSpacing + metrics.horizontalAdvance(text());
    const double height = 2 * kVerticalPadding + std::max(kIconSize, metrics.height());
    return {int(std::ceil(width)), int(std::ceil(height))};
}

void SidebarRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect());
    if (m_selected)
        painter.fillPath(Drawing::roundedRect(area, kCornerRadius), withOpacity(resolve(Brand::navy, this), 0.1));

    const QColor foreground = resolve(m_selected ? Brand::navy : Brand::textSecondary, this);
    const QRectF iconFrame(kHorizontalPadding, 0, kIconFrame, area.height());
    const QRectF iconRect(iconFrame.center() - QPointF(kIconSize / 2, kIconSize / 2), QSizeF(kIconSize, kIconSize));
    SymbolImage::paint(painter, iconRect, m_icon, foreground);

    const double textLeft = iconFrame.right() + kSpacing;
    painter.setPen(foreground);
    painter.setFont(font());
    Drawing::drawElidedText(painter, QRectF(textLeft, 0, area.width() - textLeft - kHorizontalPadding, area.height()),
        text(), Qt::AlignLeft | Qt::AlignVCenter);

    if (FocusRing::isShown(this))
        FocusRing::paint(painter, Drawing::roundedRect(area, kCornerRadius), this);
}

} // namespace tavro
