#include "Tavro/Model/HotkeyAssignment.h"

#include "Tavro/Model/Characters.h"

#include <QSet>

namespace tavro::HotkeyAssignment {

const QStringList& defaultSequence()
{
    static const QStringList sequence = [] {
        QStringList keys;
        for (char c = '1'; c <= '9'; ++c)
            keys.append(QString(QLatin1Char(c)));
        for (char c = 'a'; c <= 'z'; ++c)
            keys.append(QString(QLatin1Char(c)));
        return keys;
    }();
    return sequence;
}

QHash<QUuid, QString> resolve(const QList<BrowserDestination>& destinations)
{
    QHash<QUuid, QString> keys;
    QSet<QString> taken{mostRecentKey};

    for (const BrowserDestination& destination : destinations) {
        if (!destination.hotkey)
            continue;
        const QString key = firstCharacter(destination.hotkey->toLower());
        if (key.isEmpty() || taken.contains(key))
            continue;
        keys.insert(destination.id, key);
        taken.insert(key);
    }

    const QStringList& sequence = defaultSequence();
    qsizetype cursor = 0;
    for (const BrowserDestination& destination : destinations) {
        if (keys.contains(destination.id))
            continue;
        while (cursor < sequence.size() && taken.contains(sequence[cursor]))
            ++cursor;
        if (cursor >= sequence.size())
            break;
        keys.insert(destination.id, sequence[cursor]);
        taken.insert(sequence[cursor]);
        ++cursor;
    }
    return keys;
}

} // namespace tavro::HotkeyAssignment
