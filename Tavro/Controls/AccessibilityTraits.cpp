#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/ReturnPress.h"
#include "Tavro/Platform/AccessibilityNotifications.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

namespace tavro {

namespace {

constexpr auto hiddenProperty = "tavroAccessibilityHidden";
constexpr auto headingProperty = "tavroAccessibilityHeading";
constexpr auto linkProperty = "tavroAccessibilityLink";
constexpr auto expandableProperty = "tavroAccessibilityExpandable";
constexpr auto expandedProperty = "tavroAccessibilityExpanded";
constexpr auto radioButtonProperty = "tavroAccessibilityRadioButton";
constexpr auto containerProperty = "tavroAccessibilityContainer";
constexpr auto labelledProperty = "tavroAccessibilityLabelled";
constexpr auto announcedValueProperty = "tavroAccessibilityAnnouncedValue";

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

// A container that Qt would read as a plain panel or filler.
class ContainerAccessible : public QAccessibleWidget
{
public:
    ContainerAccessible(QWidget* widget, AccessibleContainer kind) : QAccessibleWidget(widget, role(kind)) { }

private:
    static QAccessible::Role role(AccessibleContainer kind)
    {
        switch (kind) {
        case AccessibleContainer::list:
            return QAccessible::List;
        case AccessibleContainer::pageTabList:
            return QAccessible::PageTabList;
        case AccessibleContainer::radioGroup:
            break;
        }
        return QAccessible::Grouping;
    }
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

// An element whose value is a text: given as the value, and as the element's read-only text,
// which is how it reaches AT-SPI.
class ValueAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    ValueAccessible(QWidget* widget, QAccessible::Role role, bool hasValue)
        : QAccessibleWidget(widget, role), m_hasValue(hasValue)
    { }

    virtual QString value() const = 0;

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return m_hasValue ? value() : QString();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return ownName();
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && m_hasValue)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return int(value().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

protected:
    virtual QString ownName() const { return {}; }

private:
    bool m_hasValue;
};

// A push button as screen readers know it, or a link, a disclosure or a pop-up button, with the
// value and selected state the button keeps.
class ButtonAccessible : public ValueAccessible
{
public:
    ButtonAccessible(QAbstractButton* button, QAccessible::Role role, bool hasValue)
        : ValueAccessible(button, role, hasValue)
    { }

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QString value() const override
    {
        const QVariant value = button()->property(accessibilityValueProperty);
        return value.isValid() ? value.toString() : button()->text();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const QVariant selected = button()->property(accessibilitySelectedProperty);
        if (selected.isValid()) {
            s.selectable = true;
            s.selected = selected.toBool();
        }
        if (button()->property(expandableProperty).toBool()) {
            s.expandable = true;
            s.expanded = isAccessibilityExpanded(button());
            s.collapsed = !s.expanded;
        }
        if (button()->property(radioButtonProperty).toBool()) {
            s.checkable = true;
            s.checked = button()->isChecked();
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

protected:
    QString ownName() const override { return button()->text(); }
};

// A combo box named by its row: Qt's own names it after the shown choice on Linux and relies on
// a labelled-by relation that nothing here makes.
class PopUpAccessible : public ValueAccessible
{
public:
    explicit PopUpAccessible(QComboBox* box) : ValueAccessible(box, QAccessible::ComboBox, true) { }

    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }

    QString value() const override { return box()->currentText(); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = true;
        return s;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& name) override
    {
        if ((name == showMenuAction() || name == pressAction()) && box()->isEnabled())
            box()->showPopup();
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
    if (const QVariant container = widget->property(containerProperty); container.isValid())
        return new ContainerAccessible(widget, container.value<AccessibleContainer>());
    const bool labelled = widget->property(labelledProperty).toBool();
    if (auto* box = qobject_cast<QComboBox*>(widget); box && labelled)
        return new PopUpAccessible(box);
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button)
        return nullptr;
    auto* pushButton = qobject_cast<QPushButton*>(button);
    if (labelled && pushButton && pushButton->menu())
        return new ButtonAccessible(button, QAccessible::ComboBox, true);
    if (button->property(linkProperty).toBool())
        return new ButtonAccessible(button, QAccessible::Link, false);
    if (button->property(radioButtonProperty).toBool())
        return new ButtonAccessible(button, QAccessible::RadioButton, false);
    const bool hasValue = button->property(accessibilityValueProperty).isValid();
    if (hasValue || button->property(accessibilitySelectedProperty).isValid()
        || button->property(expandableProperty).toBool())
        return new ButtonAccessible(button, QAccessible::Button, hasValue);
    return nullptr;
}

template <typename Widget> Widget* mark(Widget* widget, const char* property, const QVariant& value = true)
{
    installAccessibilityTraits();
    widget->setProperty(property, value);
    // The interface Qt made before the mark would otherwise be kept for the widget's lifetime.
    // Deleting it makes Qt's cache forget every interface of the widget, so one Qt made while a
    // base class was still being built (for a text handed to QLabel's or QPushButton's
    // constructor) would stay until the program ends: a marked widget sets such a text itself.
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

QAbstractButton* accessibilityLink(QAbstractButton* button)
{
    pressOnReturn(button);
    return mark(button, linkProperty);
}

QAbstractButton* accessibilityExpandable(QAbstractButton* button)
{
    return mark(button, expandableProperty);
}

bool isAccessibilityExpanded(const QAbstractButton* button)
{
    return button->property(expandedProperty).toBool();
}

void setAccessibilityExpanded(QAbstractButton* button, bool expanded)
{
    if (expanded == isAccessibilityExpanded(button))
        return;
    button->setProperty(expandedProperty, expanded);
    if (QAccessible::isActive())
        AccessibilityNotifications::stateChanged(
            QAccessible::queryAccessibleInterface(button), AccessibilityNotifications::State::expanded, expanded);
}

QAbstractButton* accessibilityRadioButton(QAbstractButton* button)
{
    return mark(button, radioButtonProperty);
}

QWidget* accessibilityContainer(QWidget* widget, AccessibleContainer kind)
{
    return mark(widget, containerProperty, QVariant::fromValue(kind));
}

QWidget* accessibilityLabelled(QWidget* control, const QString& label)
{
    mark(control, labelledProperty);
    control->setAccessibleName(label);
    return control;
}

void accessibilityValueMayHaveChanged(QWidget* widget)
{
    const QString now = widget->property(accessibilityValueProperty).toString();
    const QVariant last = widget->property(announcedValueProperty);
    widget->setProperty(announcedValueProperty, now);
    if (!last.isValid() || last.toString() == now || !QAccessible::isActive())
        return;
    // A text change reaches AT-SPI clients as one and the macOS bridge as a change of the value.
    QAccessibleTextUpdateEvent changed(widget, 0, last.toString(), now);
    QAccessible::updateAccessibility(&changed);
}

} // namespace tavro
