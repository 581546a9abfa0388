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

} // namespace tavro
