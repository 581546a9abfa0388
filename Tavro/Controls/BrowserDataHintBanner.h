#pragma once

#include "Tavro/Controls/HintBanner.h"
#include "Tavro/Model/DiscoveryHints.h"

#include <QStringList>

namespace tavro {

// Which browsers' data macOS keeps from Tavro, with numbered steps to allow it under Files & Folders.
// A hint of none shows nothing and takes no room.
class BrowserDataHintBanner : public HintBanner
{
    Q_OBJECT
public:
    explicit BrowserDataHintBanner(const BrowserDataHint& hint, QWidget* parent = nullptr);

    BrowserDataHint hint() const { return m_hint; }
    QStringList stepTexts() const { return m_steps; }

    // The names as one phrase in the current language ("Chrome and Edge"); "browser" for none.
    static QString browserList(const QStringList& browsers);

private:
    BrowserDataHint m_hint;
    QStringList m_steps;
};

} // namespace tavro
