#include "Tavro/Platform/LinkForwarding.h"

#include "Tavro/Platform/CommandLine.h"
#include "Tavro/Platform/HomeFolder.h"
#include "Tavro/Platform/LinkSocketName.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace tavro {

namespace {

// RFC 3986: scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), then ":". A one-letter scheme
// would be a drive letter elsewhere; here it is never worth guessing at, so it makes a path.
// Checked by hand: a regular expression would load and compile PCRE in every `tavro` started.
bool startsWithScheme(const QString& text)
{
    const auto isLetter = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    const auto isSchemeCharacter
        = [&](char16_t c) { return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'.' || c == u'-'; };
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 2 || !isLetter(text.at(0).unicode()))
        return false;
    return std::all_of(
        text.cbegin() + 1, text.cbegin() + colon, [&](QChar c) { return isSchemeCharacter(c.unicode()); });
}

// How much of a refused argument a message shows.
constexpr qsizetype kShownArgumentLength = 80;

// `argument` as one short line: control characters stand out as "?", a long text is cut.
QString shownArgument(const QByteArray& argument)
{
    QString text = QString::fromLocal8Bit(argument);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    if (text.size() > kShownArgumentLength)
        text = text.left(kShownArgumentLength - 1) + QChar(0x2026);
    return text;
}

// This process's working directory as the system names it, bytes that are no UTF-8 kept.
QByteArray workingDirectory()
{
    const std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
    return path ? QByteArray(path.get()) : QByteArrayLiteral("/");
}

// The local file at `path` (bytes as the system names them) as a link: made absolute against
// `workingDirectory`, cleaned, and each byte that a path may not hold in a URL percent-encoded as
// it is. Qt's own file URLs go through text, where bytes that are no UTF-8 are lost.
QUrl fileLink(const QByteArray& path, const QByteArray& workingDirectory)
{
    const QByteArray absolute = path.startsWith('/') ? path : workingDirectory + '/' + path;
    // Latin-1 keeps every byte as one character, and cleaning touches only "/" and ".".
    const QByteArray cleaned = QDir::cleanPath(QString::fromLatin1(absolute)).toLatin1();
    // What a path may hold unencoded in a URL besides letters, digits and "-._~".
    static const QByteArray kPathCharacters = QByteArrayLiteral("/!$&'()*+,;=:@");
    return QUrl::fromEncoded("file://" + cleaned.toPercentEncoding(kPathCharacters), QUrl::StrictMode);
}

} // namespace

QString failureMessage(LinkIntakeError error)
{
    return QString::fromStdString(
        LinkHandOver::failureLine(error, QFile::encodeName(LinkForwarding::defaultSocketPath()).toStdString()));
}

namespace LinkForwarding {

QString defaultSocketPath()
{
    const QByteArray home = HomeFolder::nativePath();
    // Looked up once: Qt warns on every lookup where the session sets no runtime folder.
    static const QString runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtimeFolder + QLatin1Char('/')
        + QString::fromStdString(
            LinkSocketName::fileName(std::string_view(home.constData(), std::size_t(home.size()))));
}

bool isAcceptedLink(const QUrl& link)
{
    // Schemes are case-insensitive, whatever form the sender used.
    const QString scheme = link.scheme();
    return link.isValid()
        && (scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0
            || scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
            || scheme.compare(QLatin1String("file"), Qt::CaseInsensitive) == 0);
}

CommandLineLinks linksFromArguments(const QByteArrayList& arguments, const QByteArray& workingDirectory)
{
    std::vector<std::string_view> views;
    views.reserve(std::size_t(arguments.size()));
    for (const QByteArray& argument : arguments)
        views.emplace_back(argument.constData(), std::size_t(argument.size()));
    CommandLineLinks found;
    for (const std::size_t i : CommandLine::linkArguments(views)) {
        const QByteArray& argument = arguments.at(qsizetype(i));
        const QString text = QString::fromLocal8Bit(argument);
        const QUrl link
            = startsWithScheme(text) ? QUrl(text, QUrl::TolerantMode) : fileLink(argument, workingDirectory);
        if (isAcceptedLink(link))
            found.links.append(link);
        else
            found.refused.append(argument);
    }
    return found;
}

std::optional<QList<QUrl>> linksToHandOver(int argc, char** argv)
{
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    auto [links, refused] = linksFromArguments(arguments, workingDirectory());
    if (refused.isEmpty())
        return links;
    QString message = QStringLiteral("Tavro: not a web link or a file: ") + shownArgument(refused.first());
    if (refused.size() > 1)
        message += QStringLiteral(" (and %1 more)").arg(refused.size() - 1);
    std::fputs((message + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    if (links.isEmpty())
        return std::nullopt;
    return links;
}

std::expected<void, LinkIntakeError> forward(
    const QList<QUrl>& links, const QString& socketPath, std::chrono::milliseconds timeout)
{
    QByteArrayList encoded;
    std::vector<std::string_view> lines;
    for (const QUrl& link : links)
        encoded.append(link.toEncoded());
    for (const QByteArray& line : encoded)
        lines.emplace_back(line.constData(), std::size_t(line.size()));
    return LinkHandOver::send(LinkHandOver::request(lines), QFile::encodeName(socketPath).toStdString(), timeout);
}

QList<QUrl> decodeRequest(const QByteArray& request)
{
    QList<QUrl> links;
    for (const QByteArray& line : request.split('\n')) {
        if (line.isEmpty())
            continue;
        const QUrl link = QUrl::fromEncoded(line, QUrl::StrictMode);
        if (link.isValid() && !link.isRelative())
            links.append(link);
    }
    return links;
}

} // namespace LinkForwarding

} // namespace tavro
