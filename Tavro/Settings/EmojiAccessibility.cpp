#include "Tavro/Settings/EmojiAccessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>

namespace tavro {

namespace {

const char* const valueProperty = "tavroAccessibleValue";
const char* const selectedProperty = "tavroAccessibleSelected";

// A push button as screen readers know it, plus the value and selected state kept on the widget.
class EmojiButtonAccessible : public QAccessibleWidget
{
public:
    explicit EmojiButtonAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) { }

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(object()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return button()->property(valueProperty).toString();
        if (t == QAccessible::Name && button()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (button()->property(selectedProperty).isValid()) {
            s.selectable = true;
            s.selected = button()->property(selectedProperty).toBool();
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
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (button && (button->property(valueProperty).isValid() || button->property(selectedProperty).isValid()))
        return new EmojiButtonAccessible(button);
    return nullptr;
}

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

void EmojiAccessibility::setValue(QAbstractButton* button, const QString& value)
{
    install();
    button->setProperty(valueProperty, value);
}

void EmojiAccessibility::setSelected(QAbstractButton* button, bool selected)
{
    install();
    button->setProperty(selectedProperty, selected);
}

} // namespace tavro
