#include "Tavro/Launch/SafariMenuText.h"

#include <QByteArray>
#include <QStringDecoder>

namespace tavro::SafariMenuText {

namespace {

const QLatin1StringView marker("Window?isDefaultProfile=");

bool isSpaceOrTab(QChar c)
{
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

} // namespace

std::optional<ProfileMarker> profileIdentifier(const QString& identifier)
{
    if (!identifier.startsWith(QLatin1String("New")))
        return std::nullopt;
    const qsizetype at = identifier.lastIndexOf(marker);
    if (at < 3)
        return std::nullopt;
    const QString raw = identifier.mid(3, at - 3);
    const QString name = percentDecoded(raw).value_or(raw);
    if (name.isEmpty())
        return std::nullopt;
    return ProfileMarker{name, identifier.mid(at + marker.size()) == QLatin1String("true")};
}

std::optional<QString> percentDecoded(const QString& text)
{
    QByteArray bytes;
    const QByteArray utf8 = text.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8.at(i);
        if (c != '%') {
            bytes.append(c);
            continue;
        }
        if (i + 2 >= utf8.size())
            return std::nullopt;
        const int high = hexValue(QLatin1Char(utf8.at(i + 1)));
        const int low = hexValue(QLatin1Char(utf8.at(i + 2)));
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.append(char(high * 16 + low));
        i += 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return decoded;
}

QString trimmedSpaces(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isSpaceOrTab(text.at(start)))
        ++start;
    while (end > start && isSpaceOrTab(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

QString betweenNewAndWindow(const QString& title)
{
    const QString rest = title.mid(4);
    return rest.size() < 7 ? QString() : rest.left(rest.size() - 7);
}

QString squashed(const QString& name)
{
    QString result;
    result.reserve(name.size());
    for (QChar c : name) {
        if (!c.isSpace())
            result.append(c);
    }
    return result;
}

} // namespace tavro::SafariMenuText
