#include "Tavro/Platform/NotificationCenter.h"

namespace tavro {

NotificationCenter::NotificationCenter(QObject* parent) : QObject(parent) { }

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::post(const QString& name, const QVariant& payload)
{
    Q_EMIT posted(name, payload);
}

} // namespace tavro
