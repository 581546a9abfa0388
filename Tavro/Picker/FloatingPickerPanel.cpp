#include "Tavro/Picker/FloatingPickerPanel.h"

#include "Tavro/Platform/Compositing.h"
#include "Tavro/Platform/ModifierFlags.h"

#include <QKeyEvent>
#include <QMetaObject>
#include <QRegion>
#include <QVBoxLayout>
#include <QWindow>

namespace tavro {

FloatingPickerPanel::FloatingPickerPanel(const QRect& contentRect, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(contentRect);
}

void FloatingPickerPanel::setContentView(QWidget* view)
{
    delete m_content;
    m_content = view;
    view->setParent(this);
    view->move(0, 0);
    resize(view->size());
    view->show();
}

void FloatingPickerPanel::shapeToContent()
{
    if (!m_content || !contentShape)
        return;
    // Taken from the content's geometry: drawing every frame a second time for its coverage would
    // double the work of each frame.
    const QRegion shape = contentShape().translated(m_content->pos());
    // The window's shape, not the widget's mask: a mask would clip the painting of every frame, and
    // its putting on screen, to the hundreds of rectangles of a flower's outline, where the shape
    // leaves the clipping to the display server. Each shape is a request to it: an unchanged one is
    // not set again.
    QWindow* window = windowHandle();
    if (window && shape != window->mask())
        window->setMask(shape);
}

void FloatingPickerPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (Compositing::isActive() || !m_content)
        return;
    shapeToContent();
    // The flower opens from its hub over many frames, and petals grow under the pointer: the shape
    // follows what the content draws, or it stays the hub alone that the first frame showed.
    m_content->installEventFilter(this);
}

bool FloatingPickerPanel::eventFilter(QObject* watched, QEvent* event)
{
    // After the paint, not during it: the shape is taken from the frame the content now shows.
    if (watched == m_content && event->type() == QEvent::Paint && !m_shapeQueued) {
        m_shapeQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_shapeQueued = false;
                shapeToContent();
            },
            Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

quint64 FloatingPickerPanel::modifierFlag(int key)
{
    switch (key) {
    case Qt::Key_Shift:
        return ModifierFlag::shift;
    case Qt::Key_Control:
        return ModifierFlag::control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return ModifierFlag::option;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return ModifierFlag::command;
    default:
        return 0;
    }
}

bool FloatingPickerPanel::handleModifier(QKeyEvent* event, bool down)
{
    const quint64 flag = modifierFlag(event->key());
    if (!flag)
        return false;
    // X11 reports the modifier state from before the key, so the key's own flag is set or cleared here.
    quint64 flags = ModifierFlag::fromQt(event->modifiers());
    flags = down ? flags | flag : flags & ~flag;
    Q_EMIT flagsChanged(flags);
    return true;
}

void FloatingPickerPanel::keyPressEvent(QKeyEvent* event)
{
    if (handleModifier(event, true)) {
        event->ignore();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FloatingPickerPanel::keyReleaseEvent(QKeyEvent* event)
{
    if (!handleModifier(event, false))
        QWidget::keyReleaseEvent(event);
}

} // namespace tavro
