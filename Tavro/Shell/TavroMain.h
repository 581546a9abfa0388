#pragma once
// The process's entry: the two developer diagnostics of Safari profile handling, or the menu-bar
// application.

#include "Tavro/Shell/WindowFactory.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>

namespace tavro {
class SerialQueue;
}

namespace tavro::TavroMain {

inline constexpr const char* kDiagnosticsPath = "/tmp/tavro-safari-diag.txt";
// How often a Tavro that lost the start-up race looks whether the winner listens yet.
inline constexpr std::chrono::milliseconds kStartingTavroPollInterval{20};
// How long a worker of Qt's shared thread pool waits idle for more work before it ends.
inline constexpr std::chrono::milliseconds kIdleWorkerLifetime{2000};

struct Command
{
    enum class Road { diagnoseSafari, testSafariLaunch, application };
    Road road = Road::application;
    QString profileName; // for testSafariLaunch
};

// What the first window's first frame would otherwise wait for, read on `fonts` while the platform
// starts: the font configuration.
void readAheadOfTheFirstFrame(const SerialQueue& fonts);

// Lets the workers of Qt's shared thread pool end once they have waited `kIdleWorkerLifetime` for work.
void letIdleWorkersEnd();

// Reads the whole argument list (the program path included); options match exactly.
Command parse(const QStringList& arguments);

// Replaces the file at `path` with `report` in one step, readable by this user alone. A link
// planted at `path` is replaced, never followed. False when the file could not be written.
bool writeDiagnosticsFile(const QByteArray& report, const QString& path = QString::fromLatin1(kDiagnosticsPath));

// "--diagnose-safari": the report to standard error and to `path`. The exit status: 0, or 1
// (said on standard error) when the file could not be written.
int diagnoseSafari(const QString& path = QString::fromLatin1(kDiagnosticsPath));

// The line "--test-safari-launch" prints for its outcome.
QByteArray launchOutcomeLine(const QString& profileName, bool opened);

// Runs Tavro, its delegate building its windows with `windows`, and returns the process's exit status.
int main(int argc, char** argv, const WindowFactory& windows);

} // namespace tavro::TavroMain
