// How long a link clicked in another program takes to reach the picker when Tavro already runs:
// `tavro URL` started until the running Tavro has shown its picker on a real X server, beside
// the start of a bare `true`, the least any process costs. Prints figures; asserts nothing timed.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Shell/ShellHomes.h"
#include "tests/Support/Listening.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

using namespace tavro;

namespace {

constexpr int kRounds = 15;

double median(QList<double> values)
{
    std::ranges::sort(values);
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

TEST(LinkHandOverBenchmark, WarmLinkToPickerBesideABareProcess)
{
    test::Xvfb xvfb;
    ASSERT_TRUE(xvfb.isRunning());
    test::TempHome home;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    test::writeTwoChromiumProfiles(home);
    test::storeFinishedOnboarding({});

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("DISPLAY", xvfb.display());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("QT_LOGGING_RULES", "tavro.picker.debug=true");
    environment.remove("WAYLAND_DISPLAY");

    QProcess tavro;
    tavro.setProcessEnvironment(environment);
    tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 30000));
    ASSERT_TRUE(QTest::qWaitFor(
        [] {
            const auto bytes = UserDefaults(UserDefaults::standardPath()).data(SettingsStore::defaultsKey);
            if (!bytes)
                return false;
            const auto stored = AppSettings::fromJsonBytes(*bytes);
            return stored && stored->destinations.size() == 2;
        },
        30000));

    QByteArray output;
    // The line comes on the error channel: waiting on the output channel would wait out every timeout.
    tavro.setReadChannel(QProcess::StandardError);
    QList<double> links;
    for (int round = 0; round <= kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        QProcess link;
        link.setProcessEnvironment(environment);
        link.start(QStringLiteral(TAVRO_EXECUTABLE), {QStringLiteral("https://example.com/%1").arg(round)});
        // Read as soon as the line comes: a polling wait would add its own interval.
        while (output.count("picker shown") <= round && clock.elapsed() < 10000) {
            tavro.waitForReadyRead(100);
            output += tavro.readAllStandardError();
        }
        const double elapsed = clock.nsecsElapsed() / 1e6;
        ASSERT_GT(output.count("picker shown"), round) << output.toStdString();
        ASSERT_TRUE(link.waitForFinished(5000));
        EXPECT_EQ(link.exitCode(), 0);
        if (round > 0) // the first link warms the caches
            links.append(elapsed);
        // Escape closes the picker before the next link.
        QByteArray window;
        ASSERT_EQ(xvfb.run("xdotool", {"search", "--onlyvisible", "--name", "Choose where to open"}, &window), 0);
        xvfb.run("xdotool",
            {"windowfocus", "--sync", QString::fromLatin1(window.trimmed().split('\n').last()), "key", "Escape"});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return xvfb.run("xdotool", {"search", "--onlyvisible", "--name", "Choose where to open"}) != 0;
            },
            5000));
    }

    QList<double> bare;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        QProcess process;
        process.start(QStandardPaths::findExecutable(QStringLiteral("true")), {});
        ASSERT_TRUE(process.waitForFinished(5000));
        bare.append(clock.nsecsElapsed() / 1e6);
    }
    tavro.terminate();
    tavro.waitForFinished(5000);

    std::cout << "[bench] warm `tavro URL` to picker shown, median of " << links.size() << ": " << median(links)
              << " ms, fastest " << *std::ranges::min_element(links) << " ms (aim: within 15 ms)\n"
              << "[bench] bare `true` process, median of " << bare.size() << ": " << median(bare) << " ms, fastest "
              << *std::ranges::min_element(bare) << " ms" << std::endl;
}

} // namespace
