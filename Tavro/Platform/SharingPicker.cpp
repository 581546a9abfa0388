#include "Tavro/Platform/SharingPicker.h"
#include "Tavro/Platform/InstalledBackend.h"

#include "Tavro/Platform/PlatformLog.h"

namespace tavro {

namespace {

class SystemBackend final : public SharingPicker::Backend
{
public:
    bool isAvailable() override { return false; }
    void show(const QList<QUrl>& items, QWidget*, const QRect&, SharingPicker::Edge) override
    {
        qCInfo(lcPlatform) << "No sharing picker on this system; not offering" << items.size() << "item(s)";
    }
};

InstalledBackend<SharingPicker::Backend> installedBackend;

} // namespace

SharingPicker::Backend& SharingPicker::systemBackend()
{
    static SystemBackend system;
    return system;
}

void SharingPicker::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

namespace {
SharingPicker::Backend& current()
{
    return installedBackend.orElse(SharingPicker::systemBackend());
}
} // namespace

bool SharingPicker::isAvailable()
{
    return current().isAvailable();
}

void SharingPicker::show(const QList<QUrl>& items, QWidget* view, const QRect& rect, Edge preferredEdge)
{
    current().show(items, view, rect, preferredEdge);
}

} // namespace tavro
