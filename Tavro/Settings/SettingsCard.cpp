#include "Tavro/Settings/SettingsCard.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/Drawing.h"
#include "Tavro/Settings/AccessibilityTraits.h"
#include "Tavro/Settings/BrandLabel.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace tavro {

SettingsCard::SettingsCard(const QString& title, int spacing, QWidget* parent) : QWidget(parent)
{
    m_column = new QVBoxLayout(this);
    m_column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    m_column->setSpacing(spacing);
    auto* heading = new BrandLabel(title, Brand::navy, Drawing::systemFont(13, QFont::DemiBold), this);
    heading->setObjectName(QStringLiteral("cardTitle"));
    accessibilityHeading(heading);
    m_column->addWidget(heading);
}

void SettingsCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    painter.fillPath(shape, resolve(Brand::frostDeep, this));
}

} // namespace tavro
