#include "Tavro/Platform/SharingPickerHost.h"

namespace tavro {

namespace {

class RecordingSharingPicker final : public SharingPicker::Backend
{
public:
    void show(const QList<QUrl>& items, QWidget* view, const QRect& rect, SharingPicker::Edge preferredEdge) override
    {
        requests.append({items, view, rect, preferredEdge});
    }

    QList<SharingPickerHost::Request> requests;
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

void SharingPickerHost::clear()
{
    simulation().requests.clear();
}

} // namespace tavro
