// A GoogleTest main that runs inside a QApplication, so tests may use widgets, timers,
// QSignalSpy::wait and coroutines that resume on the event loop, with the Platform facilities on
// their simulated backends.

#include "Tavro/Simulation/Simulation.h"

#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    tavro::Simulation::install();
    return RUN_ALL_TESTS();
}
