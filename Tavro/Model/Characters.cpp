#include "Tavro/Model/Characters.h"

#include <QTextBoundaryFinder>

namespace tavro {

QString firstCharacter(const QString& text)
{
    if (text.isEmpty())
        return {};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    const qsizetype end = finder.toNextBoundary();
    return text.left(end > 0 ? end : text.size());
}

QStringList characters(const QString& text)
{
    QStringList result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > start; end = finder.toNextBoundary()) {
        result.append(text.mid(start, end - start));
        start = end;
    }
    return result;
}

} // namespace tavro
