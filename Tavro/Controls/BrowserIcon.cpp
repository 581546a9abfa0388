#include "Tavro/Controls/BrowserIcon.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PictureCache.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/Workspace.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace tavro {

namespace {

// The drawing of the generic icon, on a 128-pixel grid.
constexpr double genericGrid = 128;

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

QImage genericApplicationIcon(int pixels)
{
    QImage image = transparentImage(pixels);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / genericGrid, pixels / genericGrid);
    const QRectF tile(8, 8, genericGrid - 16, genericGrid - 16);
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

// An installed application: where it is, and whether it brings no readable icon of its own.
struct Application
{
    QString bundlePath;
    bool generic = false;
};

// The applications found, kept for the life of the process; a miss is not kept, so an application
// installed later is found.
QHash<QString, Application>& foundApplications()
{
    static QHash<QString, Application> found;
    return found;
}

std::optional<QImage> applicationIcon(const QString& bundlePath, QSize box)
{
    std::optional<QImage> image = Workspace::icon(bundlePath, box);
    if (image)
        image->convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

// The generic icon's form for `size` points at `place`.
QImage genericIcon(double size, const PicturePlace& place)
{
    const bool small = size <= BrowserIcon::kSmallFormSize;
    return *PictureCache::picture(
        small ? QStringLiteral("icon:generic-small") : QStringLiteral("icon:generic"), place, [small](QSize box) {
            return std::optional<QImage>(
                small ? smallGenericApplicationIcon(box.width()) : genericApplicationIcon(box.width()));
        });
}

// The icon of `bundleIdentifier` drawn at `size` points at `place`.
std::optional<QImage> iconAt(const QString& bundleIdentifier, double size, const PicturePlace& place)
{
    auto& found = foundApplications();
    auto application = found.find(bundleIdentifier);
    if (application == found.end()) {
        const auto bundlePath = Workspace::shared().urlForApplication(bundleIdentifier);
        if (!bundlePath)
            return std::nullopt;
        application = found.insert(bundleIdentifier, {*bundlePath});
    }
    if (!application->generic) {
        const QString bundlePath = application->bundlePath;
        if (const auto icon = PictureCache::picture(QStringLiteral("icon:") + bundleIdentifier, place,
                [&bundlePath](QSize box) { return applicationIcon(bundlePath, box); }))
            return icon;
        application->generic = true;
    }
    return genericIcon(size, place);
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
    return iconAt(bundleIdentifier, size, PicturePlace::forProcess({size, size}));
}

void BrowserIcon::paint(QPainter& painter, const QRectF& rect, const QString& bundleIdentifier, Appearance appearance)
{
    if (const auto image = iconAt(bundleIdentifier, rect.width(), PicturePlace::drawnBy(painter, rect.size()))) {
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
