#include "Tavro/Platform/StatusItem.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/StatusItemBackend.h"

namespace tavro {

namespace {
BackendSlot<StatusItem::Backend, Linux::StatusItemBackend> backendSlot;
} // namespace

StatusItem::Backend& StatusItem::systemBackend()
{
    return backendSlot.system();
}

void StatusItem::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

bool StatusItem::isAvailable()
{
    return backendSlot.current().isAvailable();
}

StatusItem::StatusItem(QObject* parent) : QObject(parent)
{
    backendSlot.current().added(*this);
}

StatusItem::~StatusItem()
{
    backendSlot.current().removed(*this);
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
    backendSlot.current().changed(*this);
}

} // namespace tavro
