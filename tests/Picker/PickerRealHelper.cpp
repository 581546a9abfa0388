// Shows one picker on a real display and reports on standard output what happened, for the
// checks that drive it with real keys and a real pointer:
//   pointer X Y            where the pointer was when the link arrived
//   shown X Y W H private=P  the panel's frame once it is on screen
//   screenshot PATH        the whole screen, saved once the flower is fully open
//   chose NAME private=P   or   cancelled   or   timeout
// Arguments: --appearance light|dark, --screenshot PATH, --bypass-is-private, --links N (N links
// in a row, each picker shown once the one before it closed).

#include "Tavro/Picker/FloatingPickerPanel.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Picker/PickerWindowController.h"
#include "Tavro/Platform/Screens.h"
#include "tests/Picker/PickerFixtures.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

#include <functional>

using namespace tavro;

namespace {

void say(const QString& line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption appearanceOption("appearance", "light or dark", "name", "light");
    const QCommandLineOption screenshotOption("screenshot", "where to save a screenshot", "path");
    const QCommandLineOption bypassOption("bypass-is-private", "the private key also serves as bypass key");
    const QCommandLineOption linksOption("links", "how many links arrive, one after the other", "count", "1");
    parser.addOptions({appearanceOption, screenshotOption, bypassOption, linksOption});
    parser.process(app);

    auto destinations = test::destinations(4);
    destinations[1].nodeColorHex = 0xCFE2F0;
    destinations[1].profileEmoji = QStringLiteral("🏠");
    destinations[2].nodeColorHex = 0xEFE3CC;
    destinations[3] = test::destination(QStringLiteral("Atlas"), QStringLiteral("com.openai.atlas"));
    destinations[3].nodeColorHex = 0xDFDAEE;

    const QPoint pointer = Screens::pointerLocation();
    say(QStringLiteral("pointer %1 %2").arg(pointer.x()).arg(pointer.y()));

    PickerWindowController controller;
    controller.prewarm();
    const auto appearance
        = parser.value(appearanceOption) == QLatin1String("dark") ? AppAppearance::dark : AppAppearance::light;
    const BypassModifier bypassKey = parser.isSet(bypassOption) ? BypassModifier::shift : BypassModifier::option;
    int linksLeft = parser.value(linksOption).toInt();
    std::function<void()> presentNext;
    const auto closed = [&] {
        if (--linksLeft > 0)
            QTimer::singleShot(0, &app, presentNext);
        else
            QTimer::singleShot(0, &app, [&] { app.exit(0); });
    };
    QObject::connect(&controller, &PickerWindowController::chosen, &app,
        [&](const QUrl&, const BrowserDestination& destination, bool privately) {
            say(QStringLiteral("chose %1 private=%2").arg(destination.profileDisplayName).arg(int(privately)));
            closed();
        });
    QObject::connect(&controller, &PickerWindowController::cancelled, &app, [&] {
        say(QStringLiteral("cancelled"));
        closed();
    });
    presentNext = [&] {
        controller.present(QUrl(QStringLiteral("https://example.com/real-check")), destinations, destinations[0].id,
            symbol(bypassKey), false, EmojiPosition::besideIcon, appearance,
            QStringLiteral("A real check of the picker"), false, BypassModifier::shift, parser.isSet(bypassOption));
        // Reported once the panel is mapped and the flower has had time to open fully.
        QTimer::singleShot(900, &app, [&] {
            FloatingPickerPanel* panel = controller.panel();
            if (!panel)
                return;
            const QRect frame = panel->geometry();
            if (parser.isSet(screenshotOption)) {
                const QString path = parser.value(screenshotOption);
                if (QApplication::primaryScreen()->grabWindow(0).save(path))
                    say(QStringLiteral("screenshot %1").arg(path));
            }
            say(QStringLiteral("shown %1 %2 %3 %4 private=%5")
                    .arg(frame.x())
                    .arg(frame.y())
                    .arg(frame.width())
                    .arg(frame.height())
                    .arg(int(controller.model()->isPrivate())));
        });
    };
    presentNext();
    QTimer::singleShot(20000, &app, [&] {
        say(QStringLiteral("timeout"));
        app.exit(2);
    });
    return app.exec();
}
