#pragma once
// Readable failure messages for Qt strings. Every test file of an executable includes this:
// a file that did not would instantiate gtest's byte-wise printer for QString, and the linker
// may keep that one.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
