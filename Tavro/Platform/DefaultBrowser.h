#pragma once
// Stands for Launch Services' table of default handlers: which application opens the links of a
// URL scheme. Kept in a defaults file of its own under the user's Preferences.

#include <QString>
#include <QUrl>

#include <optional>

namespace tavro::DefaultBrowser {

// Launch Services' status codes that callers may see.
constexpr int kNoError = 0;
constexpr int kParameterError = -50;

// The bundle identifier of the application that opens links of `scheme`, if one is set.
std::optional<QString> handlerForURLScheme(const QString& scheme);

// The bundle identifier of the application that would open `url`.
std::optional<QString> applicationToOpen(const QUrl& url);

// Makes the application `bundleIdentifier` the handler of `scheme`. There is no confirmation
// prompt here: the change takes effect at once. Returns a Launch Services status code.
int setDefaultHandlerForURLScheme(const QString& scheme, const QString& bundleIdentifier);

// The defaults file that holds the table, under the current HOME.
QString storePath();

} // namespace tavro::DefaultBrowser
