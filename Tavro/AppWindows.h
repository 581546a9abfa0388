#pragma once
// The application's windows as the delegate builds them: Preferences and the "Welcome to Tavro"
// window, each wired to the delegate that hosts it.

#include "Tavro/Shell/WindowFactory.h"

namespace tavro::AppWindows {

WindowFactory factory();

} // namespace tavro::AppWindows
