#pragma once
// Stands for NSHomeDirectory: the current user's home folder, as HOME names it.

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavro::HomeFolder {

// HOME's bytes as the system holds them, cleaned as a path is ("/" when HOME is unset or empty).
// Homes whose names differ in any byte differ here, whether or not their names are text.
QByteArray nativePath();

// The home folder for Qt's file functions: its name decoded with the file-name codec, as
// QDir::homePath() gives it. Where the name is not valid in that codec (UTF-8), the text holds
// U+FFFD in place of each bad byte and names another folder: `pathIsExact()` is false, reads
// there find nothing, and AtomicFile writes nothing beneath it.
QString path();
bool pathIsExact();

// Whether the home belongs to the user this process runs as; true where it cannot be looked at
// (missing), which the readers and the writer handle themselves. Root started with a user's HOME
// (a `sudo -E` start) finds it is not.
bool belongsToThisUser();

// A file name from the system decoded with the file-name codec; nothing when its bytes are not
// valid there, since the text would name another file.
std::optional<QString> decodedExactly(const QByteArray& nativeName);

} // namespace tavro::HomeFolder
