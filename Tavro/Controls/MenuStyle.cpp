#include "Tavro/Controls/MenuStyle.h"

#include <QIcon>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <cstdlib>
#include <optional>

namespace tavro {

namespace {

// A symbol is drawn in one colour, its edges only less opaque; a browser's icon has many.
bool isOneColour(const QImage& image)
{
    constexpr int kVisible = 96;
    constexpr int kTolerance = 12;
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    std::optional<QRgb> first;
    for (int y = 0; y < straight.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            if (qAlpha(line[x]) < kVisible)
                continue;
            if (!first) {
                first = line[x];
                continue;
            }
            if (std::abs(qRed(line[x]) - qRed(*first)) > kTolerance
                || std::abs(qGreen(line[x]) - qGreen(*first)) > kTolerance
                || std::abs(qBlue(line[x]) - qBlue(*first)) > kTolerance)
                return false;
        }
    }
    return first.has_value();
}

// `pixmap`'s shape in `colour`.
QPixmap inColour(QPixmap pixmap, const QColor& colour)
{
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(), pixmap.deviceIndependentSize().toSize()), colour);
    return pixmap;
}

} // namespace

MenuStyle* MenuStyle::shared()
{
    static MenuStyle* const style = new MenuStyle;
    return style;
}

void MenuStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || !(item->state & State_Selected) || item->icon.isNull()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const int side = pixelMetric(PM_SmallIconSize, option, widget);
    const QPixmap icon = item->icon.pixmap(QSize(side, side), painter->device()->devicePixelRatioF());
    if (!isOneColour(icon.toImage())) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionMenuItem highlighted = *item;
    highlighted.icon = QIcon(inColour(icon, item->palette.color(QPalette::HighlightedText)));
    QProxyStyle::drawControl(element, &highlighted, painter, widget);
}

} // namespace tavro
