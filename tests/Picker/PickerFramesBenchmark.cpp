// How the picker draws while it blooms open on a real X server, with and without a compositing
// manager's selection held, in a home with six petals and 150 other applications installed: the
// share of 60 Hz frames it fills while it opens, and its main thread's time for a 1.3 s picker;
// that time beside a picker of two petals; and the frames again while the benchmark keeps all
// cores but one busy. Prints figures; asserts nothing timed.

#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QFile>
#include <QThread>

#include <algorithm>
#include <iostream>
#include <stop_token>
#include <thread>
#include <vector>

using namespace tavro;

namespace {

constexpr int kRounds = 7;

struct Opening
{
    double filled = 0; // share of the frame slots drawn
    double cpu = 0;    // ms
};

double median(QList<double> values)
{
    std::ranges::sort(values);
    return values.at(values.size() / 2);
}

// The system's load average over the last minute.
double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').first().toDouble() : 0;
}

// Keeps `count` cores busy until it goes away.
class CpuBurner
{
public:
    explicit CpuBurner(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_threads.emplace_back([](std::stop_token stop) {
                volatile unsigned spin = 0;
                while (!stop.stop_requested())
                    spin = spin + 1;
            });
        }
    }

private:
    std::vector<std::jthread> m_threads;
};

TEST(PickerFramesBenchmark, OpeningWithAndWithoutACompositor)
{
    test::Xvfb xvfb;
    ASSERT_TRUE(xvfb.isRunning());
    ASSERT_TRUE(xvfb.keepAlive());
    test::TempHome home;
    test::installApp(home, QStringLiteral("Google Chrome"), QStringLiteral("com.google.Chrome"));
    for (int i = 0; i < 150; ++i)
        test::installApp(home, QStringLiteral("Other %1").arg(i), QStringLiteral("org.example.other%1").arg(i));
    QTemporaryDir runtime;
    const QProcessEnvironment environment = xvfb.sessionEnvironment(home.path(), runtime.path());

    const auto open = [&](bool compositor, int petals = 6) -> std::optional<Opening> {
        QProcess helper;
        helper.setProcessEnvironment(environment);
        QStringList arguments{QStringLiteral("--petals"), QString::number(petals)};
        if (compositor)
            arguments.append(QStringLiteral("--hold-compositor"));
        helper.start(QStringLiteral(TAVRO_PICKER_FRAMES_HELPER), arguments);
        if (!helper.waitForFinished(20000))
            return std::nullopt;
        // "frames FILLED of SLOTS cpu MS paints COUNT"
        const QList<QByteArray> words = helper.readAllStandardOutput().trimmed().split(' ');
        if (words.size() != 8 || words.at(0) != "frames")
            return std::nullopt;
        return Opening{words.at(1).toDouble() / words.at(3).toDouble(), words.at(5).toDouble()};
    };

    QList<double> plainFilled, plainCpu, compositedFilled, compositedCpu, twoPetalsCpu;
    for (int round = 0; round < kRounds; ++round) {
        const auto plain = open(false);
        const auto composited = open(true);
        const auto twoPetals = open(false, 2);
        ASSERT_TRUE(plain && composited && twoPetals);
        plainFilled.append(plain->filled);
        plainCpu.append(plain->cpu);
        compositedFilled.append(composited->filled);
        compositedCpu.append(composited->cpu);
        twoPetalsCpu.append(twoPetals->cpu);
    }
    const double quietLoad = loadAverage();

    const int busyCores = std::max(1, QThread::idealThreadCount() - 1);
    QList<double> busyFilled;
    {
        CpuBurner burner(busyCores);
        for (int round = 0; round < kRounds; ++round) {
            const auto busy = open(false);
            ASSERT_TRUE(busy);
            busyFilled.append(busy->filled);
        }
    }

    std::cout << "[bench] picker opening without a compositor, median of " << kRounds << " at load " << quietLoad
              << ": " << 100 * median(plainFilled) << "% of 60 Hz frames (aim: at least 98% at load 6 or less), "
              << "main thread " << median(plainCpu) << " ms\n"
              << "[bench] picker opening with a compositor's selection held: " << 100 * median(compositedFilled)
              << "% of frames, main thread " << median(compositedCpu) << " ms\n"
              << "[bench] main thread without against with a compositor: ratio "
              << median(plainCpu) / median(compositedCpu) << " (aim: within 1.2)\n"
              << "[bench] main thread per picker, 2 petals: " << median(twoPetalsCpu)
              << " ms; 6 petals against 2: ratio " << median(plainCpu) / median(twoPetalsCpu) << " (aim: within 1.3)\n"
              << "[bench] picker opening with " << busyCores << " of " << QThread::idealThreadCount()
              << " cores kept busy by the benchmark (load " << loadAverage() << "): " << 100 * median(busyFilled)
              << "% of frames (aim: at least 95%)" << std::endl;
}

} // namespace
