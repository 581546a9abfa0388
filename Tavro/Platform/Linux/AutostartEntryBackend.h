#pragma once
// Login items on Linux: the XDG autostart entry at AutostartEntry::entryPath(). The desktop runs
// every autostart entry it finds, so no registration waits for approval.

#include "Tavro/Platform/AutostartEntry.h"

namespace tavro::Linux {

class AutostartEntryBackend final : public AutostartEntry::Backend
{
public:
    std::expected<void, AutostartError> registerMainApp() override;
    std::expected<void, AutostartError> unregisterMainApp() override;
    AutostartEntry::Status status() override;
};

} // namespace tavro::Linux
