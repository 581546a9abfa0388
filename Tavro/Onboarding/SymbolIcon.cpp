#include "Tavro/Onboarding/SymbolIcon.h"

#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/SymbolImage.h"
#include "Tavro/Settings/AccessibilityTraits.h"

#include <QPainter>

#include <cmath>

namespace tavro {

SymbolIcon::SymbolIcon(const QString& name, double size, const ColorPair& color, QWidget* parent)
    : QWidget(parent), m_name(name), m_color(color)
{
    const int side = int(std::ceil(size));
    setFixedSize(side, side);
    accessibilityHidden(this);
}

void SymbolIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    SymbolImage::paint(painter, QRectF(rect()), m_name, resolve(m_color, this));
}

} // namespace tavro
