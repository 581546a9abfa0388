#pragma once

#include "tests/Support/QtPrinting.h"

#include "Tavro/Model/BrowserDestination.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

#include <ostream>

namespace tavro::test {

// A destination of a known browser ("com.google.Chrome" can open private windows,
// "com.openai.atlas" cannot), with a stable id made from its name.
inline BrowserDestination destination(const QString& name, const QString& bundle = QStringLiteral("com.google.Chrome"),
    std::optional<QString> hotkey = std::nullopt)
{
    BrowserDestination d;
    d.id = QUuid::createUuidV5(QUuid(), name);
    d.browserID = QStringLiteral("chrome");
    d.browserDisplayName = bundle == QLatin1String("com.openai.atlas") ? QStringLiteral("ChatGPT Atlas")
                                                                       : QStringLiteral("Google Chrome");
    d.browserBundleIdentifier = bundle;
    d.profileID = name;
    d.profileDisplayName = name;
    d.hotkey = hotkey;
    return d;
}

inline QList<BrowserDestination> destinations(int count)
{
    QList<BrowserDestination> list;
    for (int i = 0; i < count; ++i)
        list.append(destination(QStringLiteral("Profile %1").arg(i + 1)));
    return list;
}

} // namespace tavro::test
