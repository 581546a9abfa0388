#include "Tavro/Settings/DestinationHeaderButton.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Model/Brand.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QVariantAnimation>

namespace tavro {

namespace {

constexpr int kSpinMilliseconds = 900;
constexpr int kIndicatorSpokes = 8;

} // namespace

DestinationHeaderButton::DestinationHeaderButton(const QString& symbol, const QString& text, QWidget* parent)
    : QPushButton(parent), m_symbol(symbol), m_label(text), m_spin(new QVariantAnimation(this))
{
    TavroButtonStyle::apply(this, false);
    setAccessibleName(text);
    setCursor(Qt::ArrowCursor);
    m_spin->setStartValue(0);
    m_spin->setEndValue(kIndicatorSpokes);
    m_spin->setDuration(kSpinMilliseconds);
    m_spin->setLoopCount(-1);
    connect(m_spin, &QVariantAnimation::valueChanged, this, [this] { update(); });
}

void DestinationHeaderButton::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        m_spin->start();
    else
        m_spin->stop();
    updateGeometry();
    update();
}

QSize DestinationHeaderButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = kSymbolSize + kSpacing + metrics.horizontalAdvance(m_label);
    if (m_busy)
        width += kIndicatorSize + kSpacing;
    const int height = std::max(metrics.height(), kSymbolSize);
    return {width + 2 * TavroButtonStyle::horizontalPadding, height + 2 * TavroButtonStyle::verticalPadding};
}

void DestinationHeaderButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(kDisabledOpacity);

    // The style draws the background (and the pressed look, which then applies to the label too).
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.save();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    painter.restore();
    if (isDown()) {
        painter.setOpacity(painter.opacity() * 0.75);
        const QPointF centre = QRectF(rect()).center();
        painter.translate(centre);
        painter.scale(0.98, 0.98);
        painter.translate(-centre);
    }

    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = resolve(Brand::navy, this);
    const QRectF content
        = QRectF(rect()).adjusted(TavroButtonStyle::horizontalPadding, 0, -TavroButtonStyle::horizontalPadding, 0);
    const QSize hint = sizeHint();
    double x = content.left() + (content.width() - (hint.width() - 2 * TavroButtonStyle::horizontalPadding)) / 2;
    const double middle = content.center().y();

    if (m_busy) {
        // A small activity indicator: spokes fading behind the one in front, turning step by step.
        const QPointF centre(x + kIndicatorSize / 2.0, middle);
        const int front = m_spin->currentValue().toInt();
        for (int spoke = 0; spoke < kIndicatorSpokes; ++spoke) {
            const int age = (front - spoke + kIndicatorSpokes) % kIndicatorSpokes;
            QColor shade = colour;
            shade.setAlphaF(1.0 - 0.8 * age / double(kIndicatorSpokes - 1));
            painter.save();
            painter.translate(centre);
            painter.rotate(360.0 * spoke / kIndicatorSpokes);
            painter.setPen(QPen(shade, 1.6, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(0, -kIndicatorSize * 0.22), QPointF(0, -kIndicatorSize * 0.45));
            painter.restore();
        }
        x += kIndicatorSize + kSpacing;
    }

    SymbolImage::paint(painter, QRectF(x, middle - kSymbolSize / 2.0, kSymbolSize, kSymbolSize), m_symbol, colour);
    x += kSymbolSize + kSpacing;

    painter.setPen(colour);
    painter.setFont(font());
    painter.drawText(
        QRectF(x, rect().top(), content.right() - x + 1, rect().height()), Qt::AlignLeft | Qt::AlignVCenter, m_label);
}

} // namespace tavro
