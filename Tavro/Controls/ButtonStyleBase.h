#pragma once

#include "Tavro/Controls/Appearance.h"

#include <QProxyStyle>

class QAbstractButton;

namespace tavro {

// What the button styles share: no hover look, the label padded on each side, and the push
// button drawn as a background of the style's own under its centred label.
class ButtonStyleBase : public QProxyStyle
{
    Q_OBJECT
public:
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    QSize sizeFromContents(
        ContentsType type, const QStyleOption* option, const QSize& contents, const QWidget* widget) const override;
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;

    // A button whose property "symbol" names a symbol shows it before its title, in the title's
    // colour; with "symbolLeading" set the two start at the leading edge instead of the centre.
    static constexpr auto kSymbolProperty = "symbol";
    static constexpr auto kSymbolLeadingProperty = "symbolLeading";
    static constexpr int kSymbolSize = 14;
    static constexpr int kSymbolSpacing = 6;

protected:
    ButtonStyleBase(int horizontalPadding, int verticalPadding, double cornerRadius);

    // Paints the background with `painter` saved and antialiased; state it leaves (opacity,
    // transform) applies to the label too.
    virtual void drawBackground(
        QPainter& painter, const QRectF& rect, const QStyleOption& option, Appearance appearance) const = 0;
    virtual QColor labelColor(Appearance appearance) const = 0;

private:
    static QString symbolName(const QWidget* widget);

    int m_horizontalPadding;
    int m_verticalPadding;
    double m_cornerRadius;
};

} // namespace tavro
