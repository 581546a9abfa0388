#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace tavro::SymbolImage {

// Draws the symbol `name` ("globe", "eye.slash.fill", ...), our own drawing kept as
// "symbols/<name>.svg" in the resource bundle, in one colour, fitted into `rect`. Returns false and
// draws nothing when the symbol is missing.
bool paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color);

bool exists(const QString& name);

} // namespace tavro::SymbolImage
