#include "Tavro/Controls/TavroMark.h"

#include "Tavro/Controls/ChainGlyph.h"
#include "Tavro/Controls/ResourceBundle.h"

#include <QPainter>

#include <cmath>

namespace tavro {

TavroMark::TavroMark(std::optional<double> size, QWidget* parent) : QWidget(parent), m_size(size)
{
    if (m_size)
        setFixedSize(sizeHint());
}

QSize TavroMark::sizeHint() const
{
    const int side = m_size ? int(std::ceil(*m_size)) : 64;
    return {side, side};
}

void TavroMark::paint(QPainter& painter, const QRectF& rect, Appearance appearance)
{
    const double side = std::min(rect.width(), rect.height());
    const QRectF square(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    const auto logo = ResourceBundle::drawnImage(
        QStringLiteral("logo"), QStringLiteral("png"), PicturePlace::drawnBy(painter, square.size()));
    if (!logo) {
        ChainGlyph::paint(painter, square, appearance);
        return;
    }
    const QSizeF fitted = QSizeF(logo->size()).scaled(square.size(), Qt::KeepAspectRatio);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(square.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted), *logo);
    painter.restore();
}

void TavroMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, rect(), effectiveAppearance(this));
}

} // namespace tavro
