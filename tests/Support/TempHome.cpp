#include "tests/Support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavro::test {

TempHome::TempHome() : m_previousHome(qgetenv("HOME")), m_hadHome(qEnvironmentVariableIsSet("HOME"))
{
    qputenv("HOME", m_dir.path().toUtf8());
}

TempHome::~TempHome()
{
    if (m_hadHome)
        qputenv("HOME", m_previousHome);
    else
        qunsetenv("HOME");
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

} // namespace tavro::test
