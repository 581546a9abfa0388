#pragma once
// The ring a control draws while it has the keyboard focus, as a Mac draws it: only when the
// focus came there by the keyboard (Tab, a shortcut), not by a click.

#include "Tavro/Model/ColorPair.h"

#include <QProxyStyle>

class QPainter;
class QPainterPath;
class QWidget;

namespace tavro::FocusRing {

inline constexpr double kWidth = 2.5;
// The ice, one step deeper in light, where the ice itself is too faint on frost: the ring keeps at
// least 3:1 against frost, frostDeep and iceSoft (what controls sit on) in both appearances, and in
// light against what lies inside it on a chosen sidebar row (its navy tint) and on a switch that is
// on (navy), which leave it little room either way.
inline constexpr ColorPair kColour{0x437FB4, 0x7FB2DA};

// True while `widget` has the focus and the last move of its window's focus was by the keyboard;
// a click that moves the focus takes the ring away until the keyboard moves it again.
bool isShown(const QWidget* widget);
// Strokes the ring just inside the edge of `shape` (the control's outline), in the ring's colour
// of the window's appearance.
void paint(QPainter& painter, const QPainterPath& shape, const QWidget* widget);

// Qt's own controls (check boxes, pop-ups, plain and tool buttons, the buttons of alerts) drawn
// with the ring around them in place of the faint frame or darker border Qt's style gives their
// focus: `widget->setStyle(FocusRing::ControlStyle::shared())`.
class ControlStyle : public QProxyStyle
{
public:
    static ControlStyle* shared();

    void drawPrimitive(
        PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
        const QWidget* widget) const override;
    // A check box's ring goes round all of it, so all of it takes a click and is what a screen
    // reader outlines (Qt reports the click area as the check box's place).
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;

    static constexpr double kCornerRadius = 5;
};

} // namespace tavro::FocusRing
