#include "Tavro/Platform/Linux/StatusItemBackend.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>

namespace tavro {

namespace {

// Where the menu drops from: below the icon, as from a menu bar, or above it when the tray sits in
// the lower half of the screen. At the pointer when the tray does not tell where the icon is.
QPoint menuPosition(const QSystemTrayIcon& icon, const QMenu* menu)
{
    const QRect geometry = icon.geometry();
    if (!geometry.isValid() || !menu)
        return QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(geometry.center());
    if (screen && geometry.center().y() > screen->geometry().center().y())
        return {geometry.left(), geometry.top() - menu->sizeHint().height()};
    return {geometry.left(), geometry.bottom() + 1};
}

} // namespace

void Linux::StatusItemBackend::added(StatusItem& item)
{
    auto* icon = new QSystemTrayIcon(&item);
    m_icons.insert(&item, icon);
    QObject::connect(icon, &QSystemTrayIcon::activated, &item, [&item, icon](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
            item.click(menuPosition(*icon, item.menu()));
    });
    changed(item);
}

void Linux::StatusItemBackend::changed(StatusItem& item)
{
    QSystemTrayIcon* icon = m_icons.value(&item);
    if (!icon)
        return;
    icon->setIcon(QIcon(QPixmap::fromImage(StatusItem::trayImage(item.image(), item.isTemplate()))));
    icon->setToolTip(item.toolTip());
    // Shown once it has an image: Qt warns about a tray icon shown without one.
    if (!icon->icon().isNull())
        icon->show();
}

void Linux::StatusItemBackend::removed(StatusItem& item)
{
    if (QSystemTrayIcon* icon = m_icons.take(&item))
        icon->hide();
}

bool Linux::StatusItemBackend::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

QImage StatusItem::trayImage(const QImage& image, bool isTemplate)
{
    if (!isTemplate)
        return image;
    // A template is an alpha mask that the Mac tints for the bar it sits in. A tray panel may be
    // light or dark whatever the application's palette, so the glyph in the text colour gets a
    // ring of the window colour around it: one of the two stands out on either panel.
    const QPalette palette = QGuiApplication::palette();
    const auto tinted = [&](const QColor& color) {
        QImage layer = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&layer);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(layer.rect(), color);
        return layer;
    };
    const QImage ring = tinted(palette.color(QPalette::Window));
    QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(image.devicePixelRatio());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    // A ring one point wide.
    for (const QPointF offset : {QPointF(-1, -1), QPointF(0, -1), QPointF(1, -1), QPointF(-1, 0), QPointF(1, 0),
             QPointF(-1, 1), QPointF(0, 1), QPointF(1, 1)})
        painter.drawImage(offset, ring);
    painter.drawImage(QPointF(0, 0), tinted(palette.color(QPalette::WindowText)));
    painter.end();
    return result;
}

} // namespace tavro
