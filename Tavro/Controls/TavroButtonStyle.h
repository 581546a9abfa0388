#pragma once

#include "Tavro/Controls/ButtonStyleBase.h"

class QAbstractButton;

namespace tavro {

// The solid button: filled with `Brand.fill` and lettered in `Brand.onFill` when prominent, a quiet
// `Brand.frostDeep` with `Brand.navy` text otherwise. Pressed, it dims to 0.75 and shrinks to 0.98.
class TavroButtonStyle : public ButtonStyleBase
{
    Q_OBJECT
public:
    explicit TavroButtonStyle(bool prominent);

    bool prominent() const { return m_prominent; }

    // Gives `button` the style (one shared instance per variant) and its font.
    static void apply(QAbstractButton* button, bool prominent);
    static TavroButtonStyle* shared(bool prominent);

    static constexpr double cornerRadius = 9;
    static constexpr int horizontalPadding = 16;
    static constexpr int verticalPadding = 8;

protected:
    void drawBackground(
        QPainter& painter, const QRectF& rect, const QStyleOption& option, Appearance appearance) const override;
    QColor labelColor(Appearance appearance) const override;

private:
    bool m_prominent;
};

} // namespace tavro
