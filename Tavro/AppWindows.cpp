#include "Tavro/AppWindows.h"

#include "Tavro/Onboarding/OnboardingView.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/AppDelegate.h"

namespace tavro::AppWindows {

namespace {
QWidget* makeSettings(AppDelegate& delegate, SettingsSection initialSection)
{
    auto* view = new SettingsView(
        delegate.store(), initialSection, delegate.notificationCenter(), nullptr, &delegate.updates());
    QObject::connect(view, &SettingsView::routeRequested, &delegate, &AppDelegate::routeFromSettings);
    return view;
}

QWidget* makeOnboarding(AppDelegate& delegate)
{
    auto* view = new OnboardingView(delegate.store(), delegate.updates());
    QObject::connect(view, &OnboardingView::finished, &delegate, &AppDelegate::onboardingFinished);
    return view;
}
} // namespace

WindowFactory factory()
{
    return {&makeSettings, &makeOnboarding};
}

} // namespace tavro::AppWindows
