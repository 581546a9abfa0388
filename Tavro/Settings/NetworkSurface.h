#pragma once
// One thing Tavro connects to on its own, as the Privacy pane lists it.

#include <QString>

namespace tavro::NetworkSurface {

struct Endpoint
{
    QString host;    // shown as it is; also the row's identity, so a list names each host once
    QString purpose; // localised: what is exchanged with the host, and when
    const QString& id() const { return host; }
};

} // namespace tavro::NetworkSurface
