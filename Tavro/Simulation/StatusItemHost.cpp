#include "Tavro/Simulation/StatusItemHost.h"

#include <QHash>
#include <QPointer>

namespace tavro {

namespace {

class SimulatedStatusBar final : public StatusItem::Backend
{
public:
    void added(StatusItem& item) override { items.append(&item); }
    void changed(StatusItem& item) override
    {
        QPointer<QMenu>& shown = menus[&item];
        if (item.menu() && item.menu() != shown) {
            shown = item.menu();
            ++menusGiven;
        }
    }
    void removed(StatusItem& item) override
    {
        items.removeOne(&item);
        menus.remove(&item);
    }
    bool isAvailable() const override { return available; }

    QList<StatusItem*> items;
    // The menu each item shows now.
    QHash<StatusItem*, QPointer<QMenu>> menus;
    int menusGiven = 0;
    bool available = true;
};

SimulatedStatusBar& simulation()
{
    static SimulatedStatusBar s;
    return s;
}

} // namespace

void StatusItemHost::setAvailable(bool available)
{
    simulation().available = available;
}

void StatusItemHost::install()
{
    StatusItem::setBackend(&simulation());
}

int StatusItemHost::menusGiven()
{
    return simulation().menusGiven;
}

void StatusItemHost::reset()
{
    simulation().items.clear();
    simulation().menus.clear();
    simulation().menusGiven = 0;
    simulation().available = true;
}

QList<StatusItem*> StatusItemHost::items()
{
    return simulation().items;
}

bool StatusItemHost::click()
{
    if (simulation().items.isEmpty() || !simulation().items.last()->menu())
        return false;
    simulation().items.last()->click(QPoint(600, 20));
    return true;
}

} // namespace tavro
