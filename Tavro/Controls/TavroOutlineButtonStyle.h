#pragma once

#include "Tavro/Controls/ButtonStyleBase.h"

class QAbstractButton;

namespace tavro {

// The light outlined button: `Brand.frost` (`Brand.iceSoft` while pressed) inside a `Brand.chain`
// border. A disabled button dims only its text.
class TavroOutlineButtonStyle : public ButtonStyleBase
{
    Q_OBJECT
public:
    TavroOutlineButtonStyle();

    static void apply(QAbstractButton* button);
    static TavroOutlineButtonStyle* shared();

    static constexpr double cornerRadius = 9;
    static constexpr int horizontalPadding = 12;
    static constexpr int verticalPadding = 7;
    static constexpr double disabledTextOpacity = 0.45;

protected:
    void drawBackground(
        QPainter& painter, const QRectF& rect, const QStyleOption& option, Appearance appearance) const override;
    QColor labelColor(Appearance appearance) const override;
};

} // namespace tavro
