#include "Tavro/Controls/SymbolIcon.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/SymbolImage.h"

#include <QPainter>

namespace tavro {

SymbolIcon::SymbolIcon(const QString& name, const ColorPair& color, QSize size, QWidget* parent)
    : QWidget(parent), m_name(name), m_color(color)
{
    setFixedSize(size);
    accessibilityHidden(this);
}

void SymbolIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    SymbolImage::paint(painter, QRectF(rect()), m_name, resolve(m_color, this));
}

} // namespace tavro
