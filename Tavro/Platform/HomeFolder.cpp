#include "Tavro/Platform/HomeFolder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace tavro::HomeFolder {

QByteArray nativePath()
{
    const QByteArray home = qgetenv("HOME");
    if (home.isEmpty())
        return QByteArrayLiteral("/");
    // Latin-1 gives each byte a character of its own and back again, and cleaning a path changes
    // only slashes and dots.
    return QDir::cleanPath(QString::fromLatin1(home)).toLatin1();
}

QString path()
{
    return QFile::decodeName(nativePath());
}

bool pathIsExact()
{
    return decodedExactly(nativePath()).has_value();
}

std::optional<QString> decodedExactly(const QByteArray& nativeName)
{
    QString name = QFile::decodeName(nativeName);
    if (QFile::encodeName(name) != nativeName)
        return std::nullopt;
    return name;
}

bool belongsToThisUser()
{
    struct stat status
    { };
    if (::stat(nativePath().constData(), &status) != 0)
        return true;
    return status.st_uid == ::geteuid();
}

} // namespace tavro::HomeFolder
