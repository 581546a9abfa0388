#pragma once

#include <QString>

#include <optional>

namespace tavro {

// The text rules of Safari's File-menu items that both the automation and profile discovery
// apply: profile markers in identifiers, "New … Window" titles, whitespace-blind comparison.
namespace SafariMenuText {

struct ProfileMarker
{
    QString name;
    bool isDefault = false;

    bool operator==(const ProfileMarker&) const = default;
};

// The profile named by an identifier "New<name>Window?isDefaultProfile=<true|false>": the text
// between the leading "New" and the last marker, percent-decoded (kept as it is when it does not
// decode); nullopt without the marker or with an empty name.
std::optional<ProfileMarker> profileIdentifier(const QString& identifier);

// Percent-decoding that fails on a malformed escape or bytes that are not UTF-8.
std::optional<QString> percentDecoded(const QString& text);

// Trimmed of space separators and tabs at both ends; newlines stay.
QString trimmedSpaces(const QString& text);

// For a title that starts with "New " and ends with " Window": the text in between (empty when
// the two overlap, as in "New Window").
QString betweenNewAndWindow(const QString& title);

// The name with every whitespace character removed, for comparing names that differ only in
// spacing.
QString squashed(const QString& name);

} // namespace SafariMenuText

} // namespace tavro
