#include "Tavro/Controls/PopUpButton.h"

#include "Tavro/Controls/ControlsLog.h"
#include "Tavro/Controls/FocusRing.h"

#include <QKeyEvent>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

namespace tavro {

namespace {

// Qt's own style keeps the pictures of a pop-up's bezel in the pixmap cache under names that
// hold the palette's cache key, and every palette a widget is given has a key of its own: each
// pane built anew, its pop-ups tinted anew, would add names, and Qt keeps a name even after its
// picture made room for others. Pop-ups draw with one shared palette for each set of colours
// instead, so the names repeat and the pictures are found again. The keyboard's focus shows as the
// ring of every control.
class PopUpButtonStyle : public FocusRing::ControlStyle
{
public:
    static PopUpButtonStyle* shared()
    {
        static PopUpButtonStyle* const style = new PopUpButtonStyle;
        return style;
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
        const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (control != CC_ComboBox || !box) {
            ControlStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionComboBox withSharedPalette = *box;
        withSharedPalette.palette = sharedPalette(box->palette);
        ControlStyle::drawComplexControl(control, &withSharedPalette, painter, widget);
    }

private:
    // Light and dark tints and the untinted palette; a few more are kept in case.
    static constexpr qsizetype kKeptPalettes = 8;

    QPalette sharedPalette(const QPalette& palette) const
    {
        for (const QPalette& kept : m_palettes) {
            if (kept == palette) {
                // The colour group says the pop-up's state (enabled, active window); it stays the
                // pop-up's own and leaves the shared colours, and their key, as they are.
                QPalette shared = kept;
                shared.setCurrentColorGroup(palette.currentColorGroup());
                return shared;
            }
        }
        if (m_palettes.size() == kKeptPalettes)
            m_palettes.removeFirst();
        m_palettes.append(palette);
        return palette;
    }

    mutable QList<QPalette> m_palettes;
};

} // namespace

PopUpButton::PopUpButton(QWidget* parent) : QComboBox(parent)
{
    setStyle(PopUpButtonStyle::shared());
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
