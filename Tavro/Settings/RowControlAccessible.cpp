#include "Tavro/Settings/RowControlAccessible.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace tavro {

namespace {

constexpr char headingProperty[] = "tavroAccessibleHeading";

class ValueButtonAccessible : public QAccessibleWidget
{
public:
    explicit ValueButtonAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) { }

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return button()->property(RowControlAccessible::valueProperty).toString();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const QVariant selected = button()->property(RowControlAccessible::selectedProperty);
        if (selected.isValid()) {
            s.selectable = true;
            s.selected = selected.toBool();
        }
        return s;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} << QAccessibleWidget::actionNames(); }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

class HeadingAccessible : public QAccessibleWidget
{
public:
    explicit HeadingAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::Heading) { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (object->property(headingProperty).toBool())
        return new HeadingAccessible(static_cast<QWidget*>(object));
    if (auto* button = qobject_cast<QAbstractButton*>(object);
        button && button->property(RowControlAccessible::valueProperty).isValid())
        return new ValueButtonAccessible(button);
    return nullptr;
}

} // namespace

void RowControlAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void RowControlAccessible::markHeading(QWidget* label)
{
    install();
    label->setProperty(headingProperty, true);
    // An interface made before this (a label announces its text as soon as it has one, when a
    // screen reader listens) keeps the role it was made with: drop it so the next one is a heading.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
        made && made->role() != QAccessible::Heading)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace tavro
