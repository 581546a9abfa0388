#pragma once
// The sharing picker on Linux: this desktop has none. A request that comes all the same is logged and
// shows nothing.

#include "Tavro/Platform/SharingPicker.h"

namespace tavro::Linux {

class SharingPickerBackend final : public SharingPicker::Backend
{
public:
    bool isAvailable() override { return false; }
    void show(const QList<QUrl>& items, QWidget* view, const QRect& rect, SharingPicker::Edge preferredEdge) override;
};

} // namespace tavro::Linux
