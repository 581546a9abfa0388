// How the picker draws while it blooms open on a real X server, with and without a compositing
// manager's selection held, in a home with six petals and 150 other applications installed: the
// share of 60 Hz frames it fills while it opens, and its main thread's time for a 1.3 s picker.
// Prints figures; asserts nothing timed.

#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

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

    const auto open = [&](bool compositor) -> std::optional<Opening> {
        QProcess helper;
        helper.setProcessEnvironment(environment);
        QStringList arguments{QStringLiteral("--petals"), QStringLiteral("6")};
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

    QList<double> plainFilled, plainCpu, compositedFilled, compositedCpu;
    for (int round = 0; round < kRounds; ++round) {
        const auto plain = open(false);
        const auto composited = open(true);
        ASSERT_TRUE(plain && composited);
        plainFilled.append(plain->filled);
        plainCpu.append(plain->cpu);
        compositedFilled.append(composited->filled);
        compositedCpu.append(composited->cpu);
    }
    std::cout << "[bench] picker opening without a compositor, median of " << kRounds << ": "
              << 100 * median(plainFilled) << "% of 60 Hz frames, main thread " << median(plainCpu) << " ms\n"
              << "[bench] picker opening with a compositor's selection held: " << 100 * median(compositedFilled)
              << "% of frames, main thread " << median(compositedCpu) << " ms\n"
              << "[bench] main thread without against with a compositor: ratio "
              << median(plainCpu) / median(compositedCpu) << " (aim: within 1.2, and at least 95% of frames)"
              << std::endl;
}

} // namespace
