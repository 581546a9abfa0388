#pragma once
// Stands for the workspace's open-URL call for addresses that belong to the system rather than to
// a browser: the System Settings panes ("x-apple.systempreferences:…"). There is no System
// Settings here, so the system backend logs such an address and reports it as not opened.

#include <QUrl>

namespace tavro::UrlOpener {

// What open() goes through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual bool open(const QUrl& url) = 0;
};
Backend& systemBackend();
// Routes open() to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// Opens `url` with the application the system keeps for its scheme; false when none opened it.
bool open(const QUrl& url);

} // namespace tavro::UrlOpener
