#include "Tavro/Controls/FocusRing.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace tavro::FocusRing {

namespace {

// Qt marks a window once the keyboard moved its focus and never clears the mark. This keeps the
// mark to the reason of the last focus change: set by Tab, Shift-Tab or a shortcut, cleared by a
// click; other moves (a window coming forward, a pop-up closing) leave it as it was.
class FocusReasonWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn || !watched->isWidgetType())
            return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            window->setAttribute(Qt::WA_KeyboardFocusChange, true);
            break;
        case Qt::MouseFocusReason:
            window->setAttribute(Qt::WA_KeyboardFocusChange, false);
            break;
        default:
            break;
        }
        return false;
    }
};

// Installed with the first question: before any control asked, no ring was drawn that a click
// would have to take away.
void watchFocusReasons()
{
    static FocusReasonWatch* const watch = [] {
        auto* filter = new FocusReasonWatch;
        qApp->installEventFilter(filter);
        return filter;
    }();
    Q_UNUSED(watch);
}

QPainterPath controlShape(const QRect& rect)
{
    return Drawing::roundedRect(QRectF(rect), ControlStyle::kCornerRadius);
}

} // namespace

bool isShown(const QWidget* widget)
{
    watchFocusReasons();
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void paint(QPainter& painter, const QPainterPath& shape, const QWidget* widget)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Drawing::strokeInside(painter, shape, resolve(kColour, widget), kWidth);
    painter.restore();
}

ControlStyle* ControlStyle::shared()
{
    static ControlStyle* const style = new ControlStyle;
    return style;
}

void ControlStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    // The ring stands in for the stock frame.
    if (element == PE_FrameFocusRect && widget)
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ControlStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    const bool whole = element == CE_CheckBox || element == CE_RadioButton || element == CE_PushButton;
    if (whole && widget && isShown(widget))
        paint(*painter, controlShape(option->rect), widget);
}

void ControlStyle::drawComplexControl(
    ComplexControl control, const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    const bool whole = control == CC_ComboBox || control == CC_ToolButton;
    if (whole && widget && isShown(widget))
        paint(*painter, controlShape(option->rect), widget);
}

QRect ControlStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    if (element == SE_CheckBoxClickRect)
        return option->rect;
    return QProxyStyle::subElementRect(element, option, widget);
}

} // namespace tavro::FocusRing
