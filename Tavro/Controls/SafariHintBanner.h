#pragma once

#include "Tavro/Controls/HintBanner.h"
#include "Tavro/Model/DiscoveryHints.h"

namespace tavro {

// Why Safari's profiles could not be read, and the cure: Accessibility access or a running Safari.
class SafariHintBanner : public HintBanner
{
    Q_OBJECT
public:
    explicit SafariHintBanner(SafariHint hint, QWidget* parent = nullptr);

    SafariHint hint() const { return m_hint; }

    // Launches Safari when it is installed; nothing otherwise.
    static void openSafari();

private:
    SafariHint m_hint;
};

} // namespace tavro
