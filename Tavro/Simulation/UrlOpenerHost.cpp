#include "Tavro/Simulation/UrlOpenerHost.h"
#include "Tavro/Platform/UrlOpener.h"

#include <QMutex>
#include <QMutexLocker>

namespace tavro {

namespace {

class RecordingUrlOpener final : public UrlOpener::Backend
{
public:
    void open(const QUrl& url) override
    {
        {
            QMutexLocker lock(&mutex);
            opened.append(url);
        }
        // A web page would start the desktop's browser in the middle of a test run.
        if (!UrlOpener::isWebPage(url))
            UrlOpener::systemBackend().open(url);
    }
    bool opens(const QUrl& url) override
    {
        QMutexLocker lock(&mutex);
        return systemSettingsOpen || UrlOpener::systemBackend().opens(url);
    }

    QMutex mutex;
    QList<QUrl> opened;
    bool systemSettingsOpen = true;
};

RecordingUrlOpener& simulation()
{
    static RecordingUrlOpener s;
    return s;
}

} // namespace

void UrlOpenerHost::install()
{
    UrlOpener::setBackend(&simulation());
}

QList<QUrl> UrlOpenerHost::openedUrls()
{
    QMutexLocker lock(&simulation().mutex);
    return simulation().opened;
}

void UrlOpenerHost::clear()
{
    QMutexLocker lock(&simulation().mutex);
    simulation().opened.clear();
}

void UrlOpenerHost::setSystemSettingsOpen(bool open)
{
    QMutexLocker lock(&simulation().mutex);
    simulation().systemSettingsOpen = open;
}

void UrlOpenerHost::reset()
{
    clear();
    setSystemSettingsOpen(true);
}

} // namespace tavro
