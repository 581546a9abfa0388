#include "Tavro/Settings/AccessibilityTraits.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QVariant>

namespace tavro {

namespace {

constexpr auto hiddenProperty = "tavroAccessibilityHidden";
constexpr auto headingProperty = "tavroAccessibilityHeading";

class HiddenAccessible : public QAccessibleWidget
{
public:
    explicit HiddenAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) { }

    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = true;
        return s;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
};

class HeadingAccessible : public QAccessibleWidget
{
public:
    explicit HeadingAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Heading) { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
        }
        return QAccessibleWidget::text(t);
    }
};

// A push button as screen readers know it, plus the value and selected state the button keeps.
class ValueButtonAccessible : public QAccessibleWidget
{
public:
    explicit ValueButtonAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) { }

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return button()->property(accessibilityValueProperty).toString();
        if (t == QAccessible::Name && button()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const QVariant selected = button()->property(accessibilitySelectedProperty);
        if (selected.isValid()) {
            s.selectable = true;
            s.selected = selected.toBool();
        }
        return s;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name == pressAction() && button()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (widget->property(hiddenProperty).toBool())
        return new HiddenAccessible(widget);
    if (widget->property(headingProperty).toBool())
        return new HeadingAccessible(widget);
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button
        && (button->property(accessibilityValueProperty).isValid()
            || button->property(accessibilitySelectedProperty).isValid()))
        return new ValueButtonAccessible(button);
    return nullptr;
}

QWidget* mark(QWidget* widget, const char* property)
{
    installAccessibilityTraits();
    widget->setProperty(property, true);
    // The interface Qt made before the mark would otherwise be kept for the widget's lifetime.
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    return widget;
}

} // namespace

void installAccessibilityTraits()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

QWidget* accessibilityHidden(QWidget* widget)
{
    return mark(widget, hiddenProperty);
}

bool isAccessibilityHidden(const QWidget* widget)
{
    return widget->property(hiddenProperty).toBool();
}

QWidget* accessibilityHeading(QWidget* widget)
{
    return mark(widget, headingProperty);
}

} // namespace tavro
