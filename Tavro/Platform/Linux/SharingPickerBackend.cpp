#include "Tavro/Platform/Linux/SharingPickerBackend.h"

#include "Tavro/Platform/PlatformLog.h"

namespace tavro::Linux {

void SharingPickerBackend::show(const QList<QUrl>& items, QWidget*, const QRect&, SharingPicker::Edge)
{
    qCInfo(lcPlatform) << "No sharing picker on this system; not offering" << items.size() << "item(s)";
}

} // namespace tavro::Linux
