#include "Tavro/Controls/BrandLabel.h"

#include "Tavro/Controls/Appearance.h"

#include <QPainter>

namespace tavro {

BrandLabel::BrandLabel(const QString& text, const ColorPair& color, const QFont& font, QWidget* parent)
    : QLabel(parent), m_color(color)
{
    setFont(font);
    setTextFormat(Qt::PlainText);
    // Set here rather than through QLabel's constructor: a text set there has Qt make the label an
    // accessible interface as a plain QLabel, which a later accessibility mark leaves in Qt's cache
    // for the rest of the program.
    setText(text);
}

BrandLabel* BrandLabel::wrapping(const QString& text, const ColorPair& color, const QFont& font)
{
    auto* label = new BrandLabel(text, color, font);
    label->setWordWrap(true);
    return label;
}

void BrandLabel::paintEvent(QPaintEvent* event)
{
    const QColor colour = resolve(m_color, this);
    if (textInteractionFlags() & Qt::TextSelectableByMouse) {
        // Selectable text is drawn by the label itself, which draws the selection too, in the
        // palette's colour: that colour follows the pair.
        if (palette().color(QPalette::WindowText) != colour || palette().color(QPalette::Text) != colour) {
            QPalette shown = palette();
            shown.setColor(QPalette::WindowText, colour);
            shown.setColor(QPalette::Text, colour);
            setPalette(shown);
        }
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(colour);
    painter.setFont(font());
    painter.drawText(contentsRect(), int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0), text());
}

} // namespace tavro
