// Opens one picker on a real display and reports how it drew while it bloomed open, for the
// benchmark of its frames:
//   frames FILLED of SLOTS cpu MS paints COUNT
// FILLED counts the 60 Hz frame slots of the opening that got a drawing of the flower, SLOTS all of
// them, whole slots only (the opening's last few milliseconds are no frame of a display's own); MS
// is the main thread's processor time from the request to show the picker until it has been up for
// 1.3 s; COUNT all drawings of the flower in that time. Arguments: --petals N, --hold-compositor
// (owns the compositing manager's selection for the run, as a running compositor would).

#include "Tavro/Picker/DestinationPickerView.h"
#include "Tavro/Picker/FloatingPickerPanel.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Picker/PickerWindowController.h"
#include "tests/Picker/PickerFixtures.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QSet>
#include <QTextStream>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <ctime>
#include <xcb/xcb.h>

using namespace tavro;

namespace {

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Owns "_NET_WM_CM_S0" through a window of its own connection, as a compositing manager does.
void holdCompositorSelection()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const char name[] = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    xcb_set_selection_owner(connection, window, atom->atom, XCB_CURRENT_TIME);
    std::free(atom);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    // The connection stays open for the whole run: closing it would give the selection up.
}

// Notes the time of every drawing of the flower.
class FrameClock : public QObject
{
public:
    explicit FrameClock(const QElapsedTimer& shown) : m_shown(shown) { }
    QList<double> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            paints.append(double(m_shown.nsecsElapsed()) / 1e6);
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_shown;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption petalsOption("petals", "how many destinations", "count", "6");
    const QCommandLineOption compositorOption("hold-compositor", "hold the compositing manager's selection");
    parser.addOptions({petalsOption, compositorOption});
    parser.process(app);
    if (parser.isSet(compositorOption))
        holdCompositorSelection();

    const int petals = parser.value(petalsOption).toInt();
    const auto destinations = test::destinations(petals);
    PickerWindowController controller;
    controller.prewarm(destinations);

    QElapsedTimer shown;
    FrameClock frames(shown);
    const double cpuBefore = threadMilliseconds();
    shown.start();
    controller.present(QUrl(QStringLiteral("https://example.com/frames")), destinations, destinations[0].id,
        QStringLiteral("⌥"), false, EmojiPosition::besideIcon, AppAppearance::light, std::nullopt, false,
        BypassModifier::shift, false);
    controller.panel()->contentView()->installEventFilter(&frames);

    QTimer::singleShot(1300, &app, [&] {
        const double cpu = threadMilliseconds() - cpuBefore;
        const double opening
            = (0.6 + DestinationPickerView::petalStagger * petals) * 1000; // until the last petal rests
        const double slot = 1000.0 / 60;
        const int slots = int(opening / slot);
        QSet<int> filled;
        for (double t : frames.paints) {
            if (t < slots * slot)
                filled.insert(int(t / slot));
        }
        QTextStream(stdout) << "frames " << filled.size() << " of " << slots << " cpu " << cpu << " paints "
                            << frames.paints.size() << Qt::endl;
        app.exit(0);
    });
    return app.exec();
}
