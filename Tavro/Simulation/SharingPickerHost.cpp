#include "Tavro/Simulation/SharingPickerHost.h"

namespace tavro {

namespace {

class RecordingSharingPicker final : public SharingPicker::Backend
{
public:
    bool isAvailable() override { return available; }
    void show(const QList<QUrl>& items, QWidget* view, const QRect& rect, SharingPicker::Edge preferredEdge) override
    {
        requests.append({items, view, rect, preferredEdge});
    }

    QList<SharingPickerHost::Request> requests;
    bool available = true;
};

RecordingSharingPicker& simulation()
{
    static RecordingSharingPicker s;
    return s;
}

} // namespace

void SharingPickerHost::install()
{
    SharingPicker::setBackend(&simulation());
}

QList<SharingPickerHost::Request> SharingPickerHost::requests()
{
    return simulation().requests;
}

void SharingPickerHost::setAvailable(bool available)
{
    simulation().available = available;
}

void SharingPickerHost::reset()
{
    simulation().available = true;
    simulation().requests.clear();
}

} // namespace tavro
