#include "Tavro/Model/SafariProfileNames.h"

#include <QChar>
#include <QList>

namespace tavro::SafariProfileDiscovery {

bool isBlankName(const QString& name)
{
    for (const uint scalar : name.toUcs4()) {
        const QChar::Category category = QChar::category(char32_t(scalar));
        const bool blank
            = QChar::isSpace(char32_t(scalar)) || category == QChar::Other_Format || category == QChar::Other_Control;
        if (!blank)
            return false;
    }
    return true;
}

} // namespace tavro::SafariProfileDiscovery
