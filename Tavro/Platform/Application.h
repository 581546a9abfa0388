#pragma once
// Stands for the shared application object's activation: the activation policy (a regular app
// with a Dock icon, or an accessory that lives in the menu bar) and bringing the app forward.

#include <QGuiApplication>

namespace tavro::Application {

enum class ActivationPolicy { regular, accessory, prohibited };

// What setActivationPolicy() and activate() go through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    virtual void activate(bool ignoringOtherApps) = 0;
};
Backend& systemBackend();
// Routes the calls to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

void setActivationPolicy(ActivationPolicy policy);

// Brings the application's windows forward; with `ignoringOtherApps` even while another
// application is in front.
void activate(bool ignoringOtherApps);

// Calls `onActive` each time the application becomes the active one, for as long as `context`
// lives: the one source of that moment for every window and card that re-checks on it.
template <typename OnActive> QMetaObject::Connection whenBecameActive(const QObject* context, OnActive onActive)
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return {};
    return QObject::connect(app, &QGuiApplication::applicationStateChanged, context,
        [onActive = std::move(onActive)](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive)
                onActive();
        });
}

} // namespace tavro::Application
