#include "Tavro/Simulation/StatusItemHost.h"

namespace tavro {

namespace {

class SimulatedStatusBar final : public StatusItem::Backend
{
public:
    void added(StatusItem& item) override { items.append(&item); }
    void changed(StatusItem&) override { }
    void removed(StatusItem& item) override { items.removeOne(&item); }
    bool isAvailable() const override { return available; }

    QList<StatusItem*> items;
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
