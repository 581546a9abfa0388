#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tavro::test {

// Points HOME at a fresh temporary folder for the lifetime of the object and puts the old
// HOME back afterwards. Everything Tavro reads from the user's Library then lives in it.
class TempHome
{
public:
    TempHome();
    ~TempHome();

    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path() const { return m_dir.path(); }
    // An absolute path below the temporary HOME.
    QString filePath(const QString& relative) const;
    // Writes `contents` to `relative`, creating the folders on the way; returns the absolute path.
    QString writeFile(const QString& relative, const QByteArray& contents) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
    bool m_hadHome = false;
};

} // namespace tavro::test
