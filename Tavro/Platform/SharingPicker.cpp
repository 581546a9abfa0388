#include "Tavro/Platform/SharingPicker.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/SharingPickerBackend.h"

namespace tavro {

namespace {
BackendSlot<SharingPicker::Backend, Linux::SharingPickerBackend> backendSlot;
} // namespace

SharingPicker::Backend& SharingPicker::systemBackend()
{
    return backendSlot.system();
}

void SharingPicker::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

bool SharingPicker::isAvailable()
{
    return backendSlot.current().isAvailable();
}

void SharingPicker::show(const QList<QUrl>& items, QWidget* view, const QRect& rect, Edge preferredEdge)
{
    backendSlot.current().show(items, view, rect, preferredEdge);
}

} // namespace tavro
