#pragma once
// Whether Tavro is the system's default web browser, and asking to become it.

#include "Tavro/Platform/DefaultBrowser.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>

#include <chrono>
#include <expected>
#include <optional>

namespace tavro {
class SerialQueue;
}

namespace tavro::DefaultBrowserService {

// The identifier compared with the handler when the main bundle has none.
inline constexpr const char* kFallbackBundleIdentifier = "com.vaskhaldor.Tavro";

// Whether the application that opens https links is this one (letter case ignored) and the desktop
// can start it through the entry that names it. A synchronous query: callers on the GUI thread that
// must not block read it from a worker.
bool isDefault();

// One answer of `isDefault`, numbered in the order the reads started: a read that started later saw
// a later state. Answers read off the GUI thread land in the order they finish, so a window keeps
// the newest by its number rather than the last to land.
struct Answer
{
    bool isDefault = false;
    quint64 read = 0;
    // Set when the files name Tavro but the desktop cannot start it: why, for the user to read
    // (`launchFailureText`); links then go nowhere.
    std::optional<EntryLaunchError> unlaunchable = std::nullopt;

    bool isNewerThan(const Answer& other) const { return read > other.read; }
};
// Reads `isDefault` now, on the calling thread.
Answer answer();

// Asks to become the handler of https links. A build without a bundle identifier names no
// application (`missingArgument`).
[[nodiscard]] std::expected<void, DefaultBrowserError> makeDefault();
// What the user reads where they asked and `makeDefault` failed: its reason, in a sentence.
QString failureText(DefaultBrowserError error);
// What the user reads where Tavro's default is shown when the desktop cannot start Tavro: why, in
// a sentence.
QString launchFailureText(EntryLaunchError error);

// Checks `isDefault` off the GUI thread at once and then up to `maxAttempts` more times, each
// `interval` after the previous check finished, until it answers true or finds Tavro named but
// unlaunchable; gives the last answer. The wait is for `caller`: it ends at once, with no answer,
// when `caller` is destroyed (or is none).
QCoro::Task<std::optional<Answer>> waitUntilDefault(
    QObject* caller, int maxAttempts, std::chrono::milliseconds interval);

// The queue the checks run on, one after the other ("tavro.default-browser").
SerialQueue& queryQueue();

} // namespace tavro::DefaultBrowserService
