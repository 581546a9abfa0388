#pragma once
// Stands for the shared application object's activation: the activation policy (a regular app
// with a Dock icon, or an accessory that lives in the menu bar) and bringing the app forward.

namespace tavro::Application {

enum class ActivationPolicy { regular, accessory, prohibited };

void setActivationPolicy(ActivationPolicy policy);
ActivationPolicy activationPolicy();

// Brings the application's windows forward; with `ignoringOtherApps` even while another
// application is in front.
void activate(bool ignoringOtherApps);
// How often the application was brought forward in this run.
int activationCount();

} // namespace tavro::Application
