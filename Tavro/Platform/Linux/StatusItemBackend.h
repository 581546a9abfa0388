#pragma once
// Status items on Linux: a system tray icon for each, wherever a tray runs. Either button opens the
// item's menu, as a click on a menu-bar item does.

#include "Tavro/Platform/StatusItem.h"

#include <QHash>

class QSystemTrayIcon;

namespace tavro::Linux {

class StatusItemBackend final : public StatusItem::Backend
{
public:
    void added(StatusItem& item) override;
    void changed(StatusItem& item) override;
    void removed(StatusItem& item) override;
    bool isAvailable() const override;

private:
    QHash<StatusItem*, QSystemTrayIcon*> m_icons;
};

} // namespace tavro::Linux
