#pragma once
// The screens and the pointer on Linux: Qt's screens, the primary one first, and Qt's cursor.

#include "Tavro/Platform/Screens.h"

namespace tavro::Linux {

class ScreensBackend final : public Screens::Backend
{
public:
    QList<Screens::Screen> screens() override;
    QPoint pointerLocation() override;
};

} // namespace tavro::Linux
