#include "Tavro/Platform/StatusItem.h"
#include "Tavro/Platform/InstalledBackend.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHash>
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

class TrayBackend final : public StatusItem::Backend
{
public:
    void added(StatusItem& item) override
    {
        auto* icon = new QSystemTrayIcon(&item);
        m_icons.insert(&item, icon);
        // Both buttons open the menu, as a click on a menu-bar item does.
        QObject::connect(
            icon, &QSystemTrayIcon::activated, &item, [&item, icon](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
                    item.click(menuPosition(*icon, item.menu()));
            });
        changed(item);
    }

    void changed(StatusItem& item) override
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

    void removed(StatusItem& item) override
    {
        if (QSystemTrayIcon* icon = m_icons.take(&item))
            icon->hide();
    }

    bool isAvailable() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

private:
    QHash<StatusItem*, QSystemTrayIcon*> m_icons;
};

InstalledBackend<StatusItem::Backend> installedBackend;

StatusItem::Backend& backend()
{
    return installedBackend.orElse(StatusItem::systemBackend());
}

} // namespace

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

StatusItem::Backend& StatusItem::systemBackend()
{
    static TrayBackend tray;
    return tray;
}

void StatusItem::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

bool StatusItem::isAvailable()
{
    return backend().isAvailable();
}

StatusItem::StatusItem(QObject* parent) : QObject(parent)
{
    backend().added(*this);
}

StatusItem::~StatusItem()
{
    backend().removed(*this);
    // An open menu closes with its item.
    if (m_menu)
        m_menu->close();
    retire(std::move(m_menu));
}

void StatusItem::setImage(const QImage& image, bool isTemplate)
{
    m_image = image;
    m_isTemplate = isTemplate;
    notifyChanged();
}

void StatusItem::setTitle(const QString& title)
{
    m_title = title;
    notifyChanged();
}

void StatusItem::setToolTip(const QString& toolTip)
{
    m_toolTip = toolTip;
    notifyChanged();
}

void StatusItem::setAccessibilityLabel(const QString& label)
{
    m_accessibilityLabel = label;
    notifyChanged();
}

void StatusItem::setMenu(std::unique_ptr<QMenu> menu)
{
    retire(std::move(m_menu));
    m_menu = std::move(menu);
    notifyChanged();
}

void StatusItem::retire(std::unique_ptr<QMenu> menu)
{
    // A menu is replaced while one of its actions runs (a choice records a use, and the settings
    // change rebuilds the item): the menu and its submenus are still inside their own key or mouse
    // event, so they go once control is back in the event loop.
    if (menu)
        menu.release()->deleteLater();
}

void StatusItem::click(const QPoint& position)
{
    if (m_menu)
        m_menu->popup(position);
}

void StatusItem::notifyChanged()
{
    backend().changed(*this);
}

} // namespace tavro
