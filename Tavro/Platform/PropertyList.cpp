#include "Tavro/Platform/PropertyList.h"

#include <QBuffer>
#include <QDateTime>
#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace tavro::PropertyList {

namespace {

// Base64 text is decoded in runs of this many characters, a multiple of four.
constexpr qsizetype kBase64Run = 64 * 1024;

// The bytes of a <data> element, decoded from the reader's text a run at a time: a record of many
// megabytes is not copied out whole as a string and again as Latin-1 beside the reader's text and
// its bytes. Comments and processing instructions inside are skipped, as in any element's text;
// an element inside is an error.
std::optional<QByteArray> readData(QXmlStreamReader& xml)
{
    QByteArray decoded;
    QByteArray base64;
    // Padding ends the text: from the first "=" on, the rest is decoded with it at the end.
    bool padded = false;
    // Decodes the whole runs gathered so far.
    const auto decodeRuns = [&](bool atEnd) {
        padded = padded || base64.contains('=');
        const qsizetype whole = atEnd ? base64.size() : padded ? 0 : base64.size() / 4 * 4;
        if (whole == 0)
            return true;
        const auto run = QByteArray::fromBase64Encoding(base64.left(whole), QByteArray::AbortOnBase64DecodingErrors);
        if (!run)
            return false;
        decoded.append(*run);
        base64.remove(0, whole);
        return true;
    };
    for (;;) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            // Room for the bytes of the whole text at once (a text broken by a comment grows).
            decoded.reserve(decoded.size() + xml.text().size() / 4 * 3);
            for (qsizetype at = 0; at < xml.text().size(); at += kBase64Run) {
                QByteArray run = xml.text().mid(at, kBase64Run).toLatin1();
                run.removeIf([](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
                base64.append(run);
                if (!padded && !decodeRuns(false))
                    return std::nullopt;
            }
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        case QXmlStreamReader::EndElement:
            return decodeRuns(true) ? std::optional(decoded) : std::nullopt;
        default:
            return std::nullopt;
        }
    }
}

std::optional<QVariant> readValue(QXmlStreamReader& xml);

// The entries of the <dict> just entered, up to its end: a key, then its value.
std::optional<QVariantMap> readDict(QXmlStreamReader& xml)
{
    QVariantMap entries;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"key")
            return std::nullopt;
        const QString key = xml.readElementText();
        if (xml.hasError() || !xml.readNextStartElement())
            return std::nullopt;
        const std::optional<QVariant> value = readValue(xml);
        if (!value || xml.hasError())
            return std::nullopt;
        entries.insert(key, *value);
    }
    return xml.hasError() ? std::nullopt : std::optional(entries);
}

std::optional<QVariantList> readArray(QXmlStreamReader& xml)
{
    QVariantList items;
    while (xml.readNextStartElement()) {
        const std::optional<QVariant> value = readValue(xml);
        if (!value || xml.hasError())
            return std::nullopt;
        items.append(*value);
    }
    return xml.hasError() ? std::nullopt : std::optional(items);
}

std::optional<QVariant> readValue(QXmlStreamReader& xml)
{
    const QStringView element = xml.name();
    if (element == u"dict") {
        const std::optional<QVariantMap> entries = readDict(xml);
        return entries ? std::optional<QVariant>(*entries) : std::nullopt;
    }
    if (element == u"array") {
        const std::optional<QVariantList> items = readArray(xml);
        return items ? std::optional<QVariant>(*items) : std::nullopt;
    }
    if (element == u"string")
        return xml.readElementText();
    if (element == u"data") {
        const std::optional<QByteArray> decoded = readData(xml);
        return decoded ? std::optional<QVariant>(*decoded) : std::nullopt;
    }
    if (element == u"integer") {
        const QString text = xml.readElementText().trimmed();
        bool ok = false;
        if (const qlonglong n = text.toLongLong(&ok); ok)
            return n;
        if (const qulonglong n = text.toULongLong(&ok); ok)
            return n;
        return std::nullopt;
    }
    if (element == u"real") {
        bool ok = false;
        const double d = xml.readElementText().trimmed().toDouble(&ok);
        return ok ? std::optional<QVariant>(d) : std::nullopt;
    }
    if (element == u"date") {
        const QDateTime date = QDateTime::fromString(xml.readElementText().trimmed(), Qt::ISODate);
        return date.isValid() ? std::optional<QVariant>(date) : std::nullopt;
    }
    if (element == u"true" || element == u"false") {
        const bool value = element == u"true";
        if (!xml.readElementText().trimmed().isEmpty())
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

// The element the writer would give for the whole base64, with the base64 put into `device` (the
// writer's own) a run at a time: base64 has nothing to escape, and a record of many megabytes is
// then neither held as base64 and as a string of it nor escaped a character at a time.
void writeData(QXmlStreamWriter& xml, QIODevice& device, const QByteArray& bytes)
{
    constexpr qsizetype bytesPerRun = kBase64Run / 4 * 3;
    xml.writeStartElement(QStringLiteral("data"));
    xml.writeCharacters(QString()); // ends the start tag
    for (qsizetype offset = 0; offset < bytes.size(); offset += bytesPerRun)
        device.write(bytes.mid(offset, bytesPerRun).toBase64());
    xml.writeEndElement();
}

} // namespace

std::optional<QVariantMap> parse(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"plist")
        return std::nullopt;
    if (!xml.readNextStartElement() || xml.name() != u"dict")
        return std::nullopt;
    const std::optional<QVariantMap> values = readDict(xml);
    // Nothing but the end of <plist> may follow the dictionary.
    if (!values || xml.readNextStartElement())
        return std::nullopt;
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return std::nullopt;
    return values;
}

std::optional<QByteArray> serialize(const QVariantMap& values)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(-1); // one tab
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral(R"(<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" )"
                                R"("http://www.apple.com/DTDs/PropertyList-1.0.dtd">)"));
    xml.writeStartElement(QStringLiteral("plist"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("dict"));
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        xml.writeTextElement(QStringLiteral("key"), it.key());
        const QVariant& value = *it;
        switch (value.typeId()) {
        case QMetaType::Bool:
            xml.writeEmptyElement(value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
            break;
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            xml.writeTextElement(QStringLiteral("integer"), value.toString());
            break;
        case QMetaType::Double:
            xml.writeTextElement(
                QStringLiteral("real"), QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest));
            break;
        case QMetaType::QByteArray:
            writeData(xml, buffer, value.toByteArray());
            break;
        default:
            xml.writeTextElement(QStringLiteral("string"), value.toString());
        }
    }
    xml.writeEndDocument();
    // The writer flags text XML cannot hold.
    if (xml.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace tavro::PropertyList
