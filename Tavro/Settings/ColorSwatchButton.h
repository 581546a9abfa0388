#pragma once

#include "Tavro/Model/PetalTint.h"

#include <QAbstractButton>

#include <optional>

namespace tavro {

// One choice in the petal colour popover: a tint, or the default colour when it has none.
class ColorSwatchButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QString accessibilityValue READ accessibilityValue)
    Q_PROPERTY(bool accessibilitySelected READ isSelected)
public:
    ColorSwatchButton(std::optional<PetalTint> tint, bool selected, QWidget* parent = nullptr);

    const std::optional<PetalTint>& tint() const { return m_tint; }
    bool isSelected() const { return m_selected; }
    // A swatch's name says all; it carries no value.
    QString accessibilityValue() const { return {}; }

    // The default colour's name.
    static QString defaultName();

    static constexpr int side = 34;
    QSize sizeHint() const override { return {side, side}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<PetalTint> m_tint;
    bool m_selected;
};

} // namespace tavro
