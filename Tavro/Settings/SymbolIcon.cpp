#include "Tavro/Settings/SymbolIcon.h"

#include "Tavro/Picker/AccessibilityTraits.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/SymbolImage.h"

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
