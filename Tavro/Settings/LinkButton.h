#pragma once

#include <QPushButton>

namespace tavro {

// A button drawn as a link: its text alone, in the link colour, underlined while hovered, with
// the pointing hand. Screen readers hear it as a link.
class LinkButton : public QPushButton
{
    Q_OBJECT
public:
    static constexpr double kFontSize = 11;

    explicit LinkButton(const QString& text, double points = kFontSize, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavro
