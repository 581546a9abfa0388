#include "Tavro/Shell/TavroMain.h"

#include "Tavro/Discovery/SafariProfileDiscovery.h"
#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/DetachedLaunch.h"
#include "Tavro/Platform/GraphicalSession.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/LinkIntake.h"
#include "Tavro/Platform/RealFileSystem.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Shell/AppDelegate.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFontDatabase>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

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

// Another Tavro of this home took the socket's lock a moment ago and may not listen yet. One that
// still does not listen when the time is up holds the lock but does not answer: it hangs, or its
// socket file was removed.
std::expected<void, LinkIntakeError> forwardToStartingTavro(const QList<QUrl>& links)
{
    const QDeadlineTimer deadline(LinkForwarding::kForwardTimeout);
    for (;;) {
        auto forwarded = LinkForwarding::forward(links);
        if (forwarded || forwarded.error() != LinkIntakeError::noRunningInstance)
            return forwarded;
        if (deadline.hasExpired())
            return std::unexpected(LinkIntakeError::heldByAnotherTavro);
        QThread::msleep(static_cast<unsigned long>(kStartingTavroPollInterval.count()));
    }
}

int runApplication(int argc, char** argv, const QStringList& arguments, const WindowFactory& windows)
{
    // Read from the whole command line before Qt takes its own options out of it: the values of
    // those options are skipped by name, whichever of them the platform in use consumes.
    const QList<QUrl> links = LinkForwarding::linksFromArguments(arguments.mid(1), QDir::currentPath());

    // A Tavro runs already: it takes the links, and this process is done.
    auto forwarded = LinkForwarding::forward(links);
    if (forwarded)
        return 0;
    if (forwarded.error() != LinkIntakeError::noRunningInstance)
        return fail(forwarded.error());
    // Qt ends the process with a core dump where it finds no display.
    if (!GraphicalSession::isAvailable(arguments.mid(1))) {
        writeToStandardError(GraphicalSession::kMissingMessage);
        return 1;
    }

    LaunchEvent::takeFromProcess(links);
    QApplication app(argc, argv);
    // Qt reads the system's font configuration the first time it matches a font, some ten
    // milliseconds that the first window's layout would wait for. The font database may be used
    // from any thread: read on a worker, it is ready by then. The queue, gone before the
    // application object, lets the reading finish.
    const SerialQueue fontReader(QStringLiteral("tavro.fonts"));
    fontReader.async([] { QFontDatabase::families(); });
    // Tavro lives in the menu bar: closing its last window does not end it.
    app.setQuitOnLastWindowClosed(false);

    LinkIntake intake;
    if (auto listening = intake.listen(); !listening) {
        // Another Tavro started at the same moment and won the socket: hand it the links. A Tavro
        // nobody can reach would make every later `tavro URL` start one more, so none runs.
        if (listening.error() != LinkIntakeError::heldByAnotherTavro)
            return fail(listening.error());
        forwarded = forwardToStartingTavro(links);
        return forwarded ? 0 : fail(forwarded.error());
    }
    // The links are this process's now: whoever started it for them may go on.
    DetachedLaunch::ready();

    // The application's delegate reference is weak on a Mac; here the entry point simply owns it.
    AppDelegate delegate(SettingsStore::shared(), windows);
    Application::setActivationPolicy(Application::ActivationPolicy::accessory);
    QObject::connect(&intake, &LinkIntake::linksReceived, &delegate, &AppDelegate::applicationOpenUrls);
    // Held until the launch sequence has run, ahead of the links handed over meanwhile.
    if (!links.isEmpty())
        delegate.applicationOpenUrls(links);
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });
    return app.exec();
}
} // namespace

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
    return ("openProfileWindow(" + profileName + ") = " + (opened ? "true" : "false") + "\n").toUtf8();
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
