#include "Tavro/Shell/AppVersion.h"

#include "Tavro/Platform/AppInfo.h"

#include <algorithm>

namespace tavro {

namespace {
constexpr qsizetype kMaxPieces = 4;

bool isAsciiDigits(const QString& piece)
{
    return !piece.isEmpty() && std::all_of(piece.begin(), piece.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
} // namespace

QString AppVersion::current()
{
    const QString version = AppInfo::version();
    return version.isEmpty() ? QStringLiteral("0") : version;
}

std::optional<QList<qint64>> AppVersion::components(const QString& version)
{
    const QStringList pieces = version.split(u'.', Qt::KeepEmptyParts);
    if (pieces.size() < 1 || pieces.size() > kMaxPieces)
        return std::nullopt;
    QList<qint64> numbers;
    for (const QString& piece : pieces) {
        // toLongLong alone would take a sign or surrounding spaces.
        if (!isAsciiDigits(piece))
            return std::nullopt;
        bool ok = false;
        const qint64 number = piece.toLongLong(&ok, 10);
        if (!ok)
            return std::nullopt;
        numbers.append(number);
    }
    return numbers;
}

std::strong_ordering AppVersion::compare(const QString& lhs, const QString& rhs)
{
    const std::optional<QList<qint64>> left = components(lhs);
    const std::optional<QList<qint64>> right = components(rhs);
    if (!left || !right)
        return std::strong_ordering::equal;
    const qsizetype length = std::max(left->size(), right->size());
    for (qsizetype i = 0; i < length; ++i) {
        const qint64 a = i < left->size() ? left->at(i) : 0;
        const qint64 b = i < right->size() ? right->at(i) : 0;
        if (a != b)
            return a <=> b;
    }
    return std::strong_ordering::equal;
}

} // namespace tavro
