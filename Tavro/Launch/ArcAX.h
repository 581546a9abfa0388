#pragma once

#include "Tavro/Launch/AutomationTiming.h"

#include <QCoro/QCoroTask>

namespace tavro {

// Makes sure Arc has an ordinary browser window before it is handed a URL: without one it
// would take the URL and show nothing.
namespace ArcAX {

inline constexpr auto bundleIdentifier = "company.thebrowser.Browser";

// True when one of Arc's windows is a standard window.
bool hasBrowserWindow();
// Presses Arc's New Window menu item; true when the press succeeded.
bool openNewWindow();
// Returns once Arc has a standard window or the waits are over; GUI thread.
QCoro::Task<void> ensureBrowserWindow(AutomationTiming timing = {});

} // namespace ArcAX

} // namespace tavro
