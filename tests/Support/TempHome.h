#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <utility>

namespace tavro::test {

// Points HOME at a fresh temporary folder for the lifetime of the object and puts the old
// HOME back afterwards. Everything Tavro reads from the user's Library then lives in it, and so do
// the XDG folders (XDG_CONFIG_HOME, XDG_DATA_HOME, and XDG_DATA_DIRS as one empty "<home>/.xdg-data"):
// the machine's own desktop entries and default browser stay out of the test.
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
    // Installs Tavro's desktop entry where the README's install puts it, starting this test program:
    // a default browser that names Tavro then reaches it. Returns the entry's path.
    QString installTavroEntry() const;

private:
    QTemporaryDir m_dir;
    QList<std::pair<const char*, std::optional<QByteArray>>> m_previous;
};

} // namespace tavro::test
