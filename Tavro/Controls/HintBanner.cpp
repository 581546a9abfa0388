#include "Tavro/Controls/HintBanner.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Model/Brand.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro {

namespace {

// The banner's symbol, 18 points in the accent colour; not read by screen readers.
class SymbolView : public QWidget
{
public:
    SymbolView(const QString& name, QWidget* parent) : QWidget(parent), m_name(name) { setFixedSize(20, 20); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        SymbolImage::paint(painter, QRectF(1, 1, 18, 18), m_name, resolve(Brand::accent, this));
    }

private:
    QString m_name;
};

void setColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace

HintBanner::HintBanner(const QString& symbol, const QString& title, const QString& message, QWidget* parent)
    : QWidget(parent), m_symbol(symbol)
{
    followAppearance(this, [this] { refreshColours(); });
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(13, 13, 13, 13);
    row->setSpacing(11);
    row->setAlignment(Qt::AlignTop);
    auto* icon = new SymbolView(symbol, this);
    row->addWidget(icon, 0, Qt::AlignTop);

    m_column = new QVBoxLayout;
    m_column->setSpacing(6);
    m_title = new QLabel(title, this);
    m_title->setFont(Drawing::systemFont(12.5, QFont::DemiBold));
    accessibilityHeading(m_title);
    m_message = new QLabel(message, this);
    m_message->setFont(Drawing::systemFont(11));
    m_message->setWordWrap(true);
    addSecondaryLabel(m_message);
    m_column->addWidget(m_title);
    m_column->addWidget(m_message);
    row->addLayout(m_column, 1);
    refreshColours();
}

QString HintBanner::recheckText()
{
    //: Link button that checks again: in a permission banner it rescans for browser profiles after the user grants
    //: access; in Settings it re-checks a permission or the default-browser status.
    return QCoreApplication::translate("Tavro", "Re-check");
}

QString HintBanner::title() const
{
    return m_title->text();
}

QString HintBanner::message() const
{
    return m_message->text();
}

QString HintBanner::primaryLabel() const
{
    return m_primary ? m_primary->text().replace(QStringLiteral("&&"), QStringLiteral("&")) : QString();
}

void HintBanner::addButtons(const QString& primaryLabel, std::function<void()> primary)
{
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    if (!primaryLabel.isEmpty()) {
        m_primary = new QPushButton(Drawing::buttonTitle(primaryLabel), this);
        TavroButtonStyle::apply(m_primary, true);
        connect(m_primary, &QPushButton::clicked, this, [primary = std::move(primary)] { primary(); });
        buttons->addWidget(m_primary);
    }
    m_recheck = new QPushButton(recheckText(), this);
    m_recheck->setFlat(true);
    m_recheck->setFont(Drawing::systemFont(11.5));
    // Underlined like the "Re-check" of the status cards, and read as the same link.
    accessibilityLink(m_recheck);
    m_recheck->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; text-decoration: underline; }"));
    pointingHandCursor(m_recheck);
    connect(m_recheck, &QPushButton::clicked, this, &HintBanner::recheckRequested);
    buttons->addWidget(m_recheck);
    buttons->addStretch(1);
    m_column->addLayout(buttons);
}

void HintBanner::refreshColours()
{
    setColour(m_title, resolve(Brand::navy, this));
    for (const auto& label : std::as_const(m_secondary)) {
        if (label)
            setColour(label, resolve(Brand::textSecondary, this));
    }
    if (m_recheck)
        setColour(m_recheck, resolve(Brand::navy, this));
}

void HintBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent = resolve(Brand::accent, this);
    const QPainterPath card = Drawing::roundedRect(QRectF(rect()), 9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(accent, 0.1));
    painter.drawPath(card);
    Drawing::strokeInside(painter, card, withOpacity(accent, 0.35), 1);
}

} // namespace tavro
