#include "Tavro/Shell/SupportPolicy.h"

#include "Tavro/Shell/AppVersion.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tavro {

QUrl SupportPolicy::url()
{
    static const QUrl address(QStringLiteral(TAVRO_SUPPORT_POLICY_URL));
    return address;
}

std::optional<SupportPolicy> SupportPolicy::decode(const QByteArray& data)
{
    if (data.size() > kMaxBytes)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isObject())
        return std::nullopt;
    const QJsonValue minimum = document.object().value(QLatin1String("minimumVersion"));
    if (!minimum.isString() || !AppVersion::components(minimum.toString()))
        return std::nullopt;
    return SupportPolicy{minimum.toString()};
}

} // namespace tavro
