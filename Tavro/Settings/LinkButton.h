#pragma once

#include <QPushButton>

namespace tavro {

// A button drawn as a link: its text alone, in the link colour, underlined while hovered, with
// the pointing hand.
class LinkButton : public QPushButton
{
    Q_OBJECT
public:
    static constexpr double kFontSize = 11;

    explicit LinkButton(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavro
