#pragma once
// Opening an address on Linux: a web page goes to the desktop's handler for its scheme; nothing here
// opens any other address (a System Settings pane), which is logged.

#include "Tavro/Platform/UrlOpener.h"

namespace tavro::Linux {

class UrlOpenerBackend final : public UrlOpener::Backend
{
public:
    void open(const QUrl& url) override;
    bool opens(const QUrl& url) override { return UrlOpener::isWebPage(url); }
};

} // namespace tavro::Linux
