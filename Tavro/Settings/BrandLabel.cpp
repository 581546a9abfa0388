#include "Tavro/Settings/BrandLabel.h"

#include "Tavro/Picker/Appearance.h"

#include <QPainter>

namespace tavro {

BrandLabel::BrandLabel(const QString& text, const ColorPair& color, const QFont& font, QWidget* parent)
    : QLabel(text, parent), m_color(color)
{
    setFont(font);
    setTextFormat(Qt::PlainText);
}

void BrandLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(resolve(m_color, this));
    painter.setFont(font());
    painter.drawText(contentsRect(), int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0), text());
}

} // namespace tavro
