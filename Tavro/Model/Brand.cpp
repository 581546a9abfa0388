#include "Tavro/Model/Brand.h"

#include <QCoreApplication>

namespace tavro::Brand {

const QList<PetalTint>& petalTints()
{
    static const QList<PetalTint> tints = [] {
        auto tint = [](const char* name, quint32 hex, quint32 darkHex) {
            // The names are marked for translation where the table lists them.
            return PetalTint{QCoreApplication::translate("Tavro", name), hex, darkHex};
        };
        return QList<PetalTint>{
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Soft Ice"), 0xCFE2F0, 0x1F3A52),
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Frost Silver"), 0xC4D3DF, 0x34414C),
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Glacier Mint"), 0xCFE9E2, 0x1C3D38),
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Pale Slate"), 0xD6DEE8, 0x2A3346),
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Shallow Aqua"), 0xD2EAF0, 0x1A3F4A),
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Warm Sand"), 0xEFE3CC, 0x433826),
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Arctic Rose"), 0xECDADF, 0x46303A),
            //: Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.
            tint(QT_TRANSLATE_NOOP("Tavro", "Lavender Ice"), 0xDFDAEE, 0x36304F),
        };
    }();
    return tints;
}

ColorPair petalColor(std::optional<quint32> hex)
{
    if (!hex)
        return frost;
    for (const PetalTint& tint : petalTints()) {
        if (tint.hex == *hex)
            return {tint.hex, tint.darkHex};
    }
    return ColorPair::fixed(*hex & 0xFFFFFFu);
}

} // namespace tavro::Brand
