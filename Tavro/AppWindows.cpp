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
