#pragma once

#include <QProxyStyle>

class QAbstractScrollArea;

namespace tavro {

// The scroll bars of Tavro's panes, read as a Mac's: the track is the window's frost and the
// thumb the darker part, a pill in chainDark, in both appearances. Qt's own style draws the thumb
// in the button colour over a darker track, which in light reads upside down.
class ScrollBarStyle : public QProxyStyle
{
    Q_OBJECT
public:
    static ScrollBarStyle* shared();
    // Gives both scroll bars of `area` the style.
    static void apply(QAbstractScrollArea* area);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
        const QWidget* widget) const override;

    // The thumb's distance from the sides of the track.
    static constexpr double kThumbInset = 3;
};

} // namespace tavro
