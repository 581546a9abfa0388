#include "Tavro/Controls/BrowserIcon.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/Workspace.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace tavro {

namespace {

// Icons are drawn at up to 34 points; twice that keeps them sharp on high-density screens.
constexpr int iconPixels = 128;

// What stands for an application that brings no icon of its own: a filled tile holding a small
// window, which no one takes for an empty check box or any other control.
QImage genericApplicationIcon()
{
    QImage image(iconPixels, iconPixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(8, 8, iconPixels - 16, iconPixels - 16);
    QLinearGradient shade(tile.topLeft(), tile.bottomLeft());
    shade.setColorAt(0, QColor(0x9A, 0xA8, 0xB5));
    shade.setColorAt(1, QColor(0x5F, 0x6F, 0x7E));
    painter.fillPath(Drawing::roundedRect(tile, 26), shade);
    const QRectF window = tile.adjusted(22, 28, -22, -24);
    const QPainterPath frame = Drawing::roundedRect(window, 6);
    painter.fillPath(frame, QColor(0xF4, 0xF8, 0xFB));
    painter.fillRect(QRectF(window.left(), window.top() + 14, window.width(), 3), QColor(0x5F, 0x6F, 0x7E));
    return image;
}

QHash<QString, QImage>& iconCache()
{
    static QHash<QString, QImage> cache;
    return cache;
}

} // namespace

BrowserIcon::BrowserIcon(const QString& bundleIdentifier, double size, QWidget* parent)
    : QWidget(parent), m_bundleIdentifier(bundleIdentifier), m_size(size)
{
    setFixedSize(sizeHint());
}

QSize BrowserIcon::sizeHint() const
{
    const int side = int(std::ceil(m_size));
    return {side, side};
}

std::optional<QImage> BrowserIcon::icon(const QString& bundleIdentifier)
{
    auto& cache = iconCache();
    if (const auto found = cache.constFind(bundleIdentifier); found != cache.constEnd())
        return *found;
    const auto bundlePath = Workspace::shared().urlForApplication(bundleIdentifier);
    if (!bundlePath)
        return std::nullopt;
    const QIcon appIcon = Workspace::icon(*bundlePath);
    QImage image = appIcon.isNull() ? QImage() : appIcon.pixmap(iconPixels).toImage();
    if (image.isNull())
        image = genericApplicationIcon();
    cache.insert(bundleIdentifier, image);
    return image;
}

void BrowserIcon::paint(QPainter& painter, const QRectF& rect, const QString& bundleIdentifier, Appearance appearance)
{
    if (const auto image = icon(bundleIdentifier)) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect, *image);
        painter.restore();
        return;
    }
    const double side = 0.8 * rect.width();
    SymbolImage::paint(painter, QRectF(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side)),
        QStringLiteral("globe"), resolve(Brand::chainDark, appearance));
}

void BrowserIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, QRectF(0, 0, m_size, m_size), m_bundleIdentifier, effectiveAppearance(this));
}

} // namespace tavro
