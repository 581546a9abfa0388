#pragma once

#include <QFile>

#include <malloc.h>

namespace tavro::test {

// The process's anonymous resident memory (RssAnon) in KiB, as it stands; 0 where it cannot be read.
inline double heldAnonymousKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:"))
            return line.mid(8).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

// The same, after the C library gave back what it holds free.
inline double residentAnonymousKiB()
{
    malloc_trim(0);
    return heldAnonymousKiB();
}

} // namespace tavro::test
