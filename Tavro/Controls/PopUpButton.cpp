#include "Tavro/Controls/PopUpButton.h"

#include "Tavro/Controls/ControlsLog.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace tavro {

PopUpButton::PopUpButton(QWidget* parent) : QComboBox(parent)
{
    // A wheel passing over it must not take the keyboard either.
    setFocusPolicy(Qt::StrongFocus);
}

void PopUpButton::wheelEvent(QWheelEvent* event)
{
    // Ignored, the event goes on to the scroll area the pop-up sits in.
    qCDebug(lcControls) << "pop-up" << accessibleName() << "passes a wheel on";
    event->ignore();
}

void PopUpButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        showPopup();
        event->accept();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

} // namespace tavro
