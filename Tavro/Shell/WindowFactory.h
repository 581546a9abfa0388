#pragma once
// What builds the two windows the delegate hosts: Preferences, opened on a section, and the
// "Welcome to Tavro" window. The application hands the delegate the real ones (`AppWindows`), so
// that the shell stays below the windows' folders.

#include "Tavro/Model/SettingsSection.h"

#include <functional>

class QWidget;

namespace tavro {

class AppDelegate;

struct WindowFactory
{
    // The new window's content, not shown yet; it takes what it needs from `delegate`.
    std::function<QWidget*(AppDelegate& delegate, SettingsSection initialSection)> settings;
    std::function<QWidget*(AppDelegate& delegate)> onboarding;
};

} // namespace tavro
