#include "Tavro/Platform/Application.h"

#include <QApplication>
#include <QWidget>

namespace tavro::Application {

namespace {
ActivationPolicy g_policy = ActivationPolicy::regular;
}

void setActivationPolicy(ActivationPolicy policy)
{
    // There is no Dock here: the policy is kept so that windows and tests can follow it.
    g_policy = policy;
}

ActivationPolicy activationPolicy()
{
    return g_policy;
}

namespace {
int g_activations = 0;
}

void activate(bool ignoringOtherApps)
{
    Q_UNUSED(ignoringOtherApps);
    ++g_activations;
    // Here an application has no focus of its own: each window asks the window manager for
    // focus when it is made key, so the window made key last is already in front.
    if (QWidget* window = QApplication::activeWindow())
        window->raise();
}

int activationCount()
{
    return g_activations;
}

} // namespace tavro::Application
