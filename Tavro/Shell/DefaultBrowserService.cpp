#include "Tavro/Shell/DefaultBrowserService.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Platform/WhileAlive.h"
#include "Tavro/Shell/ShellLog.h"

#include <QCoreApplication>

#include <atomic>

namespace tavro::DefaultBrowserService {

namespace {
// The default web browser opens every https link.
const QString kProbeScheme = QStringLiteral("https");

QString ownBundleIdentifier()
{
    const QString identifier = AppInfo::bundleIdentifier();
    return identifier.isEmpty() ? QString::fromLatin1(kFallbackBundleIdentifier) : identifier;
}

// The number of the latest read, across threads.
std::atomic<quint64> readsStarted = 0;
} // namespace

SerialQueue& queryQueue()
{
    // Lives for the whole process: stopping it from a static destructor would wait for an event
    // loop that no longer runs.
    static SerialQueue* const queue = new SerialQueue(QStringLiteral("tavro.default-browser"));
    return *queue;
}

namespace {
// The answer of the files and the desktop, unnumbered.
Answer read()
{
    const std::optional<QString> entry = DefaultBrowser::handlerEntryForURLScheme(kProbeScheme);
    if (!entry
        || DesktopApplications::identifierForDesktopId(*entry).compare(ownBundleIdentifier(), Qt::CaseInsensitive) != 0)
        return {};
    const auto launchable = DefaultBrowser::checkLaunchable(*entry);
    if (!launchable)
        qCWarning(lcShell).noquote() << "The default browser names" << *entry << "but"
                                     << description(launchable.error());
    return {.isDefault = launchable.has_value(),
        .unlaunchable = launchable ? std::nullopt : std::optional(launchable.error())};
}
} // namespace

bool isDefault()
{
    return read().isDefault;
}

Answer answer()
{
    const quint64 number = ++readsStarted;
    Answer answer = read();
    answer.read = number;
    return answer;
}

std::expected<void, DefaultBrowserError> makeDefault()
{
    // Setting https is enough: the system keeps http with it.
    return DefaultBrowser::setDefaultHandlerForURLScheme(QStringLiteral("https"), AppInfo::bundleIdentifier());
}

QString failureText(DefaultBrowserError error)
{
    //: Shown under the Set Tavro as Default Browser button when the request failed. %1 is the reason, in
    //: English, e.g. the MIME-applications file exists but could not be read.
    return QCoreApplication::translate("Tavro", "Tavro couldn’t become your default browser: %1.")
        .arg(description(error));
}

QString launchFailureText(EntryLaunchError error)
{
    //: Shown in the Default web browser card and the welcome step when the desktop's settings name Tavro
    //: but the desktop cannot start it. %1 is the reason, in English, e.g. the program its desktop entry
    //: names is not there.
    return QCoreApplication::translate(
        "Tavro", "Tavro is named your default browser, but your desktop can’t start it: %1.")
        .arg(description(error));
}

QCoro::Task<std::optional<Answer>> waitUntilDefault(
    QObject* caller, int maxAttempts, std::chrono::milliseconds interval)
{
    std::optional<Answer> last = co_await awaitWhileAlive(caller, queryQueue().run(&answer));
    // Tavro named but not started by the desktop stays so however long one waits.
    for (int remaining = maxAttempts; last && !last->isDefault && !last->unlaunchable && remaining > 0; --remaining) {
        if (!co_await sleepWhileAlive(caller, interval))
            co_return std::nullopt;
        last = co_await awaitWhileAlive(caller, queryQueue().run(&answer));
    }
    co_return last;
}

} // namespace tavro::DefaultBrowserService
