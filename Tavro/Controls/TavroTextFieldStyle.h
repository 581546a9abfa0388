#pragma once

#include <QProxyStyle>

class QLineEdit;

namespace tavro {

// The framed text field: `Brand.navy` text on `Brand.frost` in a `Brand.chain` border, with no
// focus ring of its own.
class TavroTextFieldStyle : public QProxyStyle
{
    Q_OBJECT
public:
    TavroTextFieldStyle() = default;

    static void apply(QLineEdit* field);
    static TavroTextFieldStyle* shared();

    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    void drawPrimitive(
        PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    static constexpr double cornerRadius = 7;
    static constexpr int horizontalPadding = 9;
    static constexpr int verticalPadding = 7;

private:
    static void updateTextColour(QWidget* field);
};

} // namespace tavro
