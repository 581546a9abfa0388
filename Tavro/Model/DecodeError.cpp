#include "Tavro/Model/DecodeError.h"

namespace tavro {

QString DecodeError::description() const
{
    const QString where = codingPath.isEmpty() ? QStringLiteral("<root>") : codingPath;
    return where + QStringLiteral(": ") + debugDescription;
}

} // namespace tavro
