#include "tests/Support/TempHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavro::test {

TempHome::TempHome()
{
    const QList<std::pair<const char*, QString>> variables{{"HOME", m_dir.path()},
        {"XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral(".config"))},
        {"XDG_DATA_HOME", m_dir.filePath(QStringLiteral(".local/share"))},
        {"XDG_DATA_DIRS", m_dir.filePath(QStringLiteral(".xdg-data"))}};
    for (const auto& [name, value] : variables) {
        m_previous.append({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        qputenv(name, value.toUtf8());
    }
}

TempHome::~TempHome()
{
    for (const auto& [name, value] : std::as_const(m_previous)) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
}

QString TempHome::filePath(const QString& relative) const
{
    return m_dir.filePath(relative);
}

QString TempHome::writeFile(const QString& relative, const QByteArray& contents) const
{
    const QString path = filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write test file %s", qPrintable(path));
    file.write(contents);
    return path;
}

QString TempHome::installTavroEntry() const
{
    return writeFile(QStringLiteral(".local/share/applications/tavro.desktop"),
        "[Desktop Entry]\nType=Application\nName=Tavro\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8()
            + "\" %U\n");
}

} // namespace tavro::test
