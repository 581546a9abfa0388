#pragma once
// Stands for the property-list serialization of Core Foundation: the XML format of an application
// bundle's Info.plist and of the defaults files.

#include <QByteArray>
#include <QVariantMap>

#include <optional>

namespace tavro::PropertyList {

// The top-level dictionary of an XML property list, `<plist><dict>…</dict></plist>`, with each
// value as a string (QString), data (QByteArray), integer (qlonglong, or qulonglong above its
// range), real (double), bool, date (QDateTime), array (QVariantList) or dictionary (QVariantMap).
// Nullopt when the bytes are not such a property list: a value that does not parse, an element
// the format does not have, anything after the dictionary.
std::optional<QVariantMap> parse(const QByteArray& bytes);

// A dictionary of strings, data, integers (qlonglong, qulonglong), reals and bools as an XML
// property list, tab-indented; any other value is written as its string. Nullopt when a key or a
// string holds text XML cannot carry.
std::optional<QByteArray> serialize(const QVariantMap& values);

} // namespace tavro::PropertyList
