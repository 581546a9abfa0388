#pragma once

#include "Tavro/Model/ColorPair.h"

#include <QLabel>

namespace tavro {

// A label whose text takes one of the named colour pairs, resolved each time it is drawn, so that
// it follows the window's appearance when that changes after the label was built. Selectable text
// shows its selection.
class BrandLabel : public QLabel
{
    Q_OBJECT
public:
    BrandLabel(const QString& text, const ColorPair& color, const QFont& font, QWidget* parent = nullptr);
    // A label that wraps its text to the width it is given.
    static BrandLabel* wrapping(const QString& text, const ColorPair& color, const QFont& font);

    ColorPair color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorPair m_color;
};

} // namespace tavro
