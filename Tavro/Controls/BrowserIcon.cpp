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
const QColor tileTop(0x9A, 0xA8, 0xB5);
const QColor tileBottom(0x5F, 0x6F, 0x7E);
const QColor windowBody(0xF4, 0xF8, 0xFB);
// The title bar of the small form: dark enough against the body to show at 16 pixels.
const QColor titleBar(0x3C, 0x4A, 0x57);

void fillTile(QPainter& painter, const QRectF& tile, double radius)
{
    QLinearGradient shade(tile.topLeft(), tile.bottomLeft());
    shade.setColorAt(0, tileTop);
    shade.setColorAt(1, tileBottom);
    painter.fillPath(Drawing::roundedRect(tile, radius), shade);
}

QImage transparentImage(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage genericApplicationIcon()
{
    QImage image = transparentImage(iconPixels);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(8, 8, iconPixels - 16, iconPixels - 16);
    fillTile(painter, tile, 26);
    const QRectF window = tile.adjusted(22, 28, -22, -24);
    painter.fillPath(Drawing::roundedRect(window, 6), windowBody);
    painter.fillRect(QRectF(window.left(), window.top() + 14, window.width(), 3), tileBottom);
    return image;
}

// The same tile and window at list size, where the large form's thin bar vanishes and its window
// reads as the inside of an empty check box: the window covers more of the tile, under a title bar
// a quarter of its height, on whole pixels of a 16-pixel grid.
QImage smallGenericApplicationIcon(int pixels)
{
    QImage image = transparentImage(pixels);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / 16.0, pixels / 16.0);
    fillTile(painter, QRectF(1, 1, 14, 14), 3.5);
    const QRectF window(3, 4, 10, 9);
    painter.fillRect(window, windowBody);
    painter.fillRect(QRectF(window.left(), window.top(), window.width(), 3), titleBar);
    return image;
}

struct CachedIcon
{
    QImage image;
    bool generic = false;
};

QHash<QString, CachedIcon>& iconCache()
{
    static QHash<QString, CachedIcon> cache;
    return cache;
}

// The generic icon's form for `size` points, drawn for screens of twice the density.
QImage genericIconFor(const CachedIcon& cached, double size)
{
    if (size > BrowserIcon::kSmallFormSize)
        return cached.image;
    static const QImage small = smallGenericApplicationIcon(2 * int(BrowserIcon::kSmallFormSize));
    return small;
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

std::optional<QImage> BrowserIcon::icon(const QString& bundleIdentifier, double size)
{
    auto& cache = iconCache();
    auto found = cache.constFind(bundleIdentifier);
    if (found == cache.constEnd()) {
        const auto bundlePath = Workspace::shared().urlForApplication(bundleIdentifier);
        if (!bundlePath)
            return std::nullopt;
        const QIcon appIcon = Workspace::icon(*bundlePath);
        CachedIcon entry{appIcon.isNull() ? QImage() : appIcon.pixmap(iconPixels).toImage()};
        if (entry.image.isNull()) {
            static const QImage generic = genericApplicationIcon();
            entry = {generic, true};
        }
        found = cache.insert(bundleIdentifier, entry);
    }
    return found->generic ? genericIconFor(*found, size) : found->image;
}

void BrowserIcon::paint(QPainter& painter, const QRectF& rect, const QString& bundleIdentifier, Appearance appearance)
{
    if (const auto image = icon(bundleIdentifier, rect.width())) {
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
