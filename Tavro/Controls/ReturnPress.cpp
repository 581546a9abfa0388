#include "Tavro/Controls/ReturnPress.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace tavro {

namespace {

constexpr auto pressedOnReturnProperty = "tavroPressedOnReturn";

class ReturnKeys : public QObject
{
public:
    explicit ReturnKeys(QAbstractButton* button) : QObject(button), m_button(button) { }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (!key->isAutoRepeat())
            m_button->click();
        return true;
    }

private:
    QAbstractButton* m_button;
};

} // namespace

void pressOnReturn(QAbstractButton* button)
{
    if (button->property(pressedOnReturnProperty).toBool())
        return;
    button->setProperty(pressedOnReturnProperty, true);
    button->installEventFilter(new ReturnKeys(button));
}

} // namespace tavro
