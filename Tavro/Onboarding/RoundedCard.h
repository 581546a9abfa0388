#pragma once

#include "Tavro/Model/ColorPair.h"

#include <QWidget>

#include <optional>

namespace tavro {

// The rounded panel the steps set their groups on: a continuous-cornered rectangle filled with a
// named colour (at an opacity), optionally stroked 1 point wide with another.
class RoundedCard : public QWidget
{
    Q_OBJECT
public:
    static constexpr double kCornerRadius = 9;

    struct Stroke
    {
        ColorPair color;
        double opacity = 1;
    };

    RoundedCard(const ColorPair& fill, double fillOpacity = 1, std::optional<Stroke> stroke = std::nullopt,
        QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorPair m_fill;
    double m_fillOpacity;
    std::optional<Stroke> m_stroke;
};

} // namespace tavro
