#include "Tavro/Launch/SafariWindowCache.h"

namespace tavro::SafariWindowCache {

QString privateWindowKey()
{
    return QString(QChar(0)) + QStringLiteral("private");
}

QHash<QString, AXElement>& windows()
{
    static QHash<QString, AXElement> cache;
    return cache;
}

std::optional<AXElement> window(const QString& key)
{
    auto& cache = windows();
    const auto it = cache.constFind(key);
    if (it == cache.constEnd())
        return std::nullopt;
    if (Accessibility::copyAttributeValue(*it, QString::fromLatin1(Accessibility::roleAttribute)))
        return *it;
    cache.remove(key);
    return std::nullopt;
}

} // namespace tavro::SafariWindowCache
