// A GoogleTest main that runs inside a QApplication, so tests may use widgets, timers,
// QSignalSpy::wait and coroutines that resume on the event loop, with the Platform facilities on
// their simulated backends; each test starts on a clean slate (CleanSlate.h).

#include "Tavro/Simulation/Simulation.h"
#include "tests/Support/CleanSlate.h"

#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    tavro::Simulation::install();
    ::testing::UnitTest::GetInstance()->listeners().Append(new tavro::test::CleanSlate);
    return RUN_ALL_TESTS();
}
