#pragma once
// Stands for the workspace's open-URL call: the system's handler for an address. Web pages go to the
// desktop's handler for their scheme (which may be Tavro itself, as on a Mac). The System Settings
// panes ("x-apple.systempreferences:…") have no counterpart here, so the system backend logs such an
// address and reports it as not opened, and `opens` tells callers so before they offer such an address.

#include <QUrl>

namespace tavro::UrlOpener {

// What open() goes through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual void open(const QUrl& url) = 0;
    virtual bool opens(const QUrl& url) = 0;
};
Backend& systemBackend();
// Routes open() to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

bool isWebPage(const QUrl& url);

// Opens `url` with the application the system keeps for its scheme; an address that none opens is
// logged.
void open(const QUrl& url);
// Whether some application here opens `url`: a control that would lead nowhere is not offered.
bool opens(const QUrl& url);

} // namespace tavro::UrlOpener
