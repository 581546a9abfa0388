#include "Tavro/Settings/SettingsCard.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolIcon.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/LinkButton.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro {

SettingsCard::SettingsCard(int spacing, QWidget* parent) : QWidget(parent), m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    m_column->setSpacing(spacing);
}

SettingsCard::SettingsCard(const QString& title, int spacing, QWidget* parent) : SettingsCard(spacing, parent)
{
    m_column->addWidget(SettingsCard::title(title));
}

BrandLabel* SettingsCard::title(const QString& text)
{
    auto* label = new BrandLabel(text, Brand::navy, Drawing::systemFont(13, QFont::DemiBold));
    label->setObjectName(QStringLiteral("cardTitle"));
    accessibilityHeading(label);
    return label;
}

BrandLabel* SettingsCard::caption(const QString& text, double points)
{
    return BrandLabel::wrapping(text, Brand::textSecondary, Drawing::systemFont(points));
}

LinkButton* SettingsCard::link(const QString& text, std::function<void()> action)
{
    auto* button = new LinkButton(text);
    QObject::connect(button, &QPushButton::clicked, button, [action = std::move(action)] { action(); });
    return button;
}

QPushButton* SettingsCard::prominentButton(const QString& text, std::function<void()> action)
{
    auto* button = new QPushButton(Drawing::buttonTitle(text));
    TavroButtonStyle::apply(button, true);
    QObject::connect(button, &QPushButton::clicked, button, [action = std::move(action)] { action(); });
    return button;
}

namespace {
QWidget* disclosureLine(const QString& icon, const ColorPair& tint, const QString& text)
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    // The symbol stands on the text's first line, however many lines it wraps to.
    layout->addWidget(new SymbolIcon(icon, tint, QSize(12, 12), line), 0, Qt::AlignTop);
    layout->addWidget(SettingsCard::caption(text), 1);
    return line;
}
} // namespace

QWidget* SettingsCard::disclosure(const QString& used, const QString& neverUsed)
{
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(5);
    layout->addWidget(disclosureLine(QStringLiteral("checkmark"), Brand::accent, used));
    layout->addWidget(disclosureLine(QStringLiteral("xmark"), Brand::textSecondary, neverUsed));
    return block;
}

QWidget* SettingsCard::row(const QList<QWidget*>& widgets, int spacing)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    for (QWidget* widget : widgets)
        layout->addWidget(widget, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    return row;
}

void SettingsCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(Drawing::roundedRect(QRectF(rect()), kCornerRadius), resolve(Brand::frostDeep, this));
}

} // namespace tavro
