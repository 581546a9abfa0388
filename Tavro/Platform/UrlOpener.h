#pragma once
// Stands for the workspace's open-URL call for addresses that belong to the system rather than to
// a browser: the System Settings panes ("x-apple.systempreferences:…"). There is no System
// Settings here, so such an address is noted and reported as not opened.

#include <QList>
#include <QUrl>

namespace tavro::UrlOpener {

// Opens `url` with the application the system keeps for its scheme; false when none opened it.
bool open(const QUrl& url);

} // namespace tavro::UrlOpener

namespace tavro::UrlOpenerHost {

// Every address asked for since the last clear, in order.
QList<QUrl> openedUrls();
void clear();

} // namespace tavro::UrlOpenerHost
