#include "Tavro/Shell/TavroMain.h"

#include "Tavro/Discovery/SafariProfileDiscovery.h"
#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/DetachedLaunch.h"
#include "Tavro/Platform/GraphicalSession.h"
#include "Tavro/Platform/HomeFolder.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/LinkIntake.h"
#include "Tavro/Platform/RealFileSystem.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Shell/AppDelegate.h"
#include "Tavro/Shell/ShellLog.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

namespace tavro::TavroMain {

namespace {
QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void writeToStandardError(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

int runTestSafariLaunch(const QString& profileName)
{
    const bool opened = SafariAX::openProfileWindow(profileName);
    writeToStandardError(launchOutcomeLine(profileName, opened));
    return opened ? 0 : 1;
}

int fail(LinkIntakeError error)
{
    writeToStandardError(failureMessage(error).toUtf8());
    return 1;
}

enum class Start { listening, handedOver };

// Listens for links, unless another Tavro of this home holds the socket's lock: one that took it a
// moment ago and does not listen yet gets the links; one that is ending (it still queues
// connections, then drops them) lets the lock go, and this process takes its place. One that does
// neither when the time is up holds the lock but does not answer: it hangs, or its socket file was
// removed.
[[nodiscard]] std::expected<Start, LinkIntakeError> listenOrHandOver(LinkIntake& intake, const QList<QUrl>& links)
{
    const QDeadlineTimer deadline(LinkHandOver::kTimeout);
    for (;;) {
        const auto listening = intake.listen();
        if (listening)
            return Start::listening;
        if (listening.error() != LinkIntakeError::heldByAnotherTavro)
            return std::unexpected(listening.error());
        const auto forwarded = LinkForwarding::forward(links);
        if (forwarded)
            return Start::handedOver;
        if (forwarded.error() != LinkIntakeError::noRunningInstance)
            return std::unexpected(forwarded.error());
        if (deadline.hasExpired())
            return std::unexpected(LinkIntakeError::heldByAnotherTavro);
        QThread::msleep(static_cast<unsigned long>(kStartingTavroPollInterval.count()));
    }
}

// A desktop session starts programs with a low soft limit of open files. The link socket holds a
// descriptor for each sender it serves: every one the system allows may be needed.
void raiseOpenFileLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max)
        return;
    limit.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0)
        qCWarning(lcShell) << "Cannot raise the limit of open files:" << std::strerror(errno);
}

int runApplication(int argc, char** argv, const QStringList& arguments, const WindowFactory& windows)
{
    // Read from the whole command line before Qt takes its own options out of it: the values of
    // those options are skipped by name, whichever of them the platform in use consumes.
    const std::optional<QList<QUrl>> links = LinkForwarding::linksToHandOver(argc, argv);
    if (!links)
        return 1;

    // A Tavro runs already: it takes the links, and this process is done.
    const auto forwarded = LinkForwarding::forward(*links);
    if (forwarded)
        return 0;
    if (forwarded.error() != LinkIntakeError::noRunningInstance)
        return fail(forwarded.error());
    // The picker's placement at the pointer, the key grabs and the presses seen outside Tavro are
    // X11's: under Wayland Tavro runs through XWayland, and never asks for Qt's Wayland platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Qt ends the process with a core dump where it finds no display.
    if (!GraphicalSession::isAvailable(arguments.mid(1))) {
        writeToStandardError(GraphicalSession::kMissingMessage);
        return 1;
    }
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qCInfo(lcShell) << "Under Wayland Tavro runs through XWayland: the picker opens where the compositor "
                           "places it, and global hot keys and presses outside the picker are seen only over "
                           "XWayland's windows";
    }

    // Started as root with a user's HOME, Tavro would leave files in it that the user cannot change.
    if (!HomeFolder::belongsToThisUser()) {
        writeToStandardError(
            QStringLiteral("Tavro's home folder %1 belongs to another user; start Tavro as that user\n")
                .arg(HomeFolder::path())
                .toUtf8());
        return 1;
    }
    raiseOpenFileLimit();
    LaunchEvent::takeFromProcess(*links);
    // Before the first thread: the environment is changed while nothing else reads it.
    const int readyDescriptor = DetachedLaunch::takeReadyDescriptor();
    QApplication app(argc, argv);
    // The queues, gone before the application object, let their reading finish.
    const SerialQueue fontReader(QStringLiteral("tavro.fonts"));
    readAheadOfTheFirstFrame(fontReader);
    letIdleWorkersEnd();
    // Tavro lives in the menu bar: closing its last window does not end it.
    app.setQuitOnLastWindowClosed(false);

    // Another Tavro that started at the same moment and won the socket takes the links. A Tavro
    // nobody can reach would make every later `tavro URL` start one more, so none runs.
    LinkIntake intake;
    const auto started = listenOrHandOver(intake, *links);
    if (!started)
        return fail(started.error());
    if (*started == Start::handedOver)
        return 0;
    // The links are this process's now: whoever started it for them may go on.
    DetachedLaunch::ready(readyDescriptor);

    // The application's delegate reference is weak on a Mac; here the entry point simply owns it.
    AppDelegate delegate(SettingsStore::shared(), windows);
    Application::setActivationPolicy(Application::ActivationPolicy::accessory);
    QObject::connect(&intake, &LinkIntake::requestsReceived, &delegate, &AppDelegate::applicationOpenUrlRequests);
    // Held until the launch sequence has run, ahead of the links handed over meanwhile.
    if (!links->isEmpty())
        delegate.applicationOpenUrls(*links);
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    return app.exec();
}
} // namespace

void readAheadOfTheFirstFrame(const SerialQueue& fonts)
{
    // Qt reads the system's font configuration the first time it matches a font, some ten
    // milliseconds that the first window's layout would wait for. The font database may be used
    // from any thread: read on a worker, it is ready by then. (Pictures need no reading ahead: each
    // is read in the format its file's name gives, which loads no image-format plugin.)
    fonts.async([] { QFontDatabase::families(); });
}

void letIdleWorkersEnd()
{
    // Qt's painting spreads the filling of a large area over the shared pool: the picker's shadows
    // start a worker for every core as they are drawn. Kept for Qt's half a minute, they would
    // hold their memory long after the picker's frames, while Tavro waits for the next link.
    QThreadPool::globalInstance()->setExpiryTimeout(static_cast<int>(kIdleWorkerLifetime.count()));
}

int diagnoseSafari(const QString& path)
{
    const QByteArray report = SafariProfileDiscovery::diagnostics(RealFileSystem::shared()).toUtf8();
    writeToStandardError(report);
    if (!writeDiagnosticsFile(report, path)) {
        // After the report, on a line of its own, so that the report stays what it was.
        const QString separator = report.endsWith('\n') ? QString() : QStringLiteral("\n");
        writeToStandardError(
            (separator + QStringLiteral("Tavro: could not write ") + path + QStringLiteral("\n")).toUtf8());
        return 1;
    }
    return 0;
}

Command parse(const QStringList& arguments)
{
    if (arguments.contains(QLatin1String("--diagnose-safari")))
        return {Command::Road::diagnoseSafari, {}};
    const qsizetype option = arguments.indexOf(QLatin1String("--test-safari-launch"));
    if (option >= 0 && option + 1 < arguments.size())
        return {Command::Road::testSafariLaunch, arguments.at(option + 1)};
    return {};
}

bool writeDiagnosticsFile(const QByteArray& report, const QString& path)
{
    // The fixed path lies in the shared /tmp: a link planted there is replaced, not written through.
    return AtomicFile::write(path, report, AtomicFile::Access::ownerOnly, AtomicFile::Place::sharedFolder);
}

QByteArray launchOutcomeLine(const QString& profileName, bool opened)
{
    return "openProfileWindow(" + profileName.toUtf8() + ") = " + (opened ? "true" : "false") + "\n";
}

int main(int argc, char** argv, const WindowFactory& windows)
{
    // Read before any application object exists: the diagnostic roads start no user interface.
    const QStringList arguments = argumentList(argc, argv);
    const Command command = parse(arguments);
    switch (command.road) {
    case Command::Road::diagnoseSafari:
        return diagnoseSafari();
    case Command::Road::testSafariLaunch:
        return runTestSafariLaunch(command.profileName);
    case Command::Road::application:
        break;
    }
    return runApplication(argc, argv, arguments, windows);
}

} // namespace tavro::TavroMain
