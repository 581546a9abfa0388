#pragma once

#include <QProxyStyle>

class QAbstractButton;

namespace tavro {

// The light outlined button: `Brand.frost` (`Brand.iceSoft` while pressed) inside a `Brand.chain`
// border. A disabled button dims only its text.
class TavroOutlineButtonStyle : public QProxyStyle
{
    Q_OBJECT
public:
    TavroOutlineButtonStyle() = default;

    static void apply(QAbstractButton* button);
    static TavroOutlineButtonStyle* shared();

    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    QSize sizeFromContents(
        ContentsType type, const QStyleOption* option, const QSize& contents, const QWidget* widget) const override;
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;

    static constexpr double cornerRadius = 9;
    static constexpr int horizontalPadding = 12;
    static constexpr int verticalPadding = 7;
    static constexpr double disabledTextOpacity = 0.45;
};

} // namespace tavro
