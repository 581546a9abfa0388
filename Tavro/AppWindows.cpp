#include "Tavro/AppWindows.h"

#include "Tavro/Onboarding/OnboardingView.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/AppDelegate.h"

#include <QPointer>

namespace tavro::AppWindows {

namespace {
QWidget* makeSettings(AppDelegate& delegate, SettingsSection initialSection)
{
    QPointer<AppDelegate> self(&delegate);
    return new SettingsView(
        delegate.store(),
        [self](const QUrl& url) {
            if (self)
                self->routeFromSettings(url);
        },
        initialSection, delegate.notificationCenter(), nullptr, &delegate.updates());
}

QWidget* makeOnboarding(AppDelegate& delegate)
{
    QPointer<AppDelegate> self(&delegate);
    return new OnboardingView(delegate.store(), delegate.updates(), [self] {
        if (self)
            self->onboardingFinished();
    });
}
} // namespace

WindowFactory factory()
{
    return {&makeSettings, &makeOnboarding};
}

} // namespace tavro::AppWindows
