#include "Tavro/Shell/Router.h"

#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Shell/ErrorPresenter.h"

#include <QCoreApplication>
#include <QCoro/QCoroTask>

namespace tavro {

namespace {
bool isHeld(quint64 flags, BypassModifier key)
{
    const quint64 mask = flag(key);
    return (flags & mask) == mask;
}

QString chooseAnotherLabel()
{
    //: Button in the could-not-open-link alert that reopens the profile picker to choose a different browser profile.
    return QCoreApplication::translate("Tavro", "Choose Another…");
}
} // namespace

Router::Router(SettingsStore& store, QObject* parent) : QObject(parent), m_store(store) { }

quint64 Router::currentModifierFlags()
{
    return KeyEvents::flagsState(KeyEvents::combinedSessionState);
}

void Router::route(const QUrl& url)
{
    const AppSettings& settings = m_store.settings();
    const BypassModifier bypassKey = settings.bypassModifier;
    const BypassModifier privateKey = settings.privateModifier;

    // Read while the link is handled, not from the click that produced it.
    const quint64 flags = currentModifierFlags();
    const bool bypassHeld = isHeld(flags, bypassKey);
    // One key cannot mean both: with equal keys, holding it only bypasses.
    const bool privately = privateKey != bypassKey && isHeld(flags, privateKey);
    const bool bypass = settings.bypasses(bypassHeld);

    if (!bypass) {
        Q_EMIT pickerRequested(url, std::nullopt, privately, PickerRequest::arrival);
        return;
    }
    const BypassOutcome outcome = resolveBypass(m_store.bypassTarget(), privately);
    if (outcome.kind() == BypassOutcome::Kind::open)
        open(url, *outcome.destination(), privately);
    else
        Q_EMIT pickerRequested(url, outcome.notice(), privately, PickerRequest::arrival);
}

Router::BypassOutcome Router::resolveBypass(const BypassTarget& target, bool privately)
{
    if (target.kind() == BypassTarget::Kind::picker)
        return BypassOutcome::picker(target.notice());
    const BrowserDestination& destination = *target.browserDestination();
    if (!privately)
        return BypassOutcome::open(destination);
    const auto definition = BrowserDefinition::definition(destination.browserBundleIdentifier);
    if (definition && definition->privateMechanism())
        return BypassOutcome::open(destination);
    //: Notice above the profile picker when the bypass browser can't open a private window. %1 is the browser name,
    //: e.g. ChatGPT Atlas.
    return BypassOutcome::picker(
        QCoreApplication::translate("Tavro", "%1 can’t open private windows").arg(destination.browserDisplayName));
}

void Router::open(const QUrl& url, const BrowserDestination& destination, bool privately)
{
    // The alert may be answered before this returns (a launch that fails before it first waits),
    // so the retry says for itself that it is no new link.
    QPointer<Router> self(this);
    auto retry = [self, url, privately] {
        if (self)
            Q_EMIT self->pickerRequested(url, std::nullopt, privately, PickerRequest::retry);
    };
    launch(url, destination, privately, chooseAnotherLabel(), retry);
}

void Router::openDirect(const BrowserDestination& destination, bool privately)
{
    launch(std::nullopt, destination, privately, chooseAnotherLabel(), [] {});
}

namespace {
// Holds its own copies of the link and the destination; runs on the GUI thread, and the
// launcher's waits suspend it without blocking. A failure that ends after `router` has gone (Tavro
// quitting) shows no alert: it is logged where it was decided.
QCoro::Task<> runLaunch(std::optional<QUrl> url, BrowserDestination destination, bool privately, QString retryLabel,
    std::function<void()> retry, std::function<void()> recordUse, QPointer<Router> router)
{
    // The launch starts first, so that the settings write and what follows it keep the link waiting
    // no longer: by its first wait the link has gone out (a browser started with it, or the exchange
    // with a running one under way on its own thread). The use counts whatever the outcome, which
    // for a browser just started comes only after its early-exit window.
    auto launch = BrowserLaunchService::open(url, destination, privately);
    recordUse();
    const auto outcome = co_await launch;
    if (!outcome && router) {
        router->showFailure([error = outcome.error(), link = url.value_or(QUrl(QStringLiteral("about:blank"))),
                                retryLabel, retry] { ErrorPresenter::show(error, link, retryLabel, retry); });
    }
}
} // namespace

void Router::setAlertGate(std::function<void(std::function<void()>)> gate)
{
    m_alertGate = std::move(gate);
}

void Router::showFailure(std::function<void()> alert)
{
    if (m_alertGate)
        m_alertGate(std::move(alert));
    else
        alert();
}

void Router::launch(std::optional<QUrl> url, BrowserDestination destination, bool privately, QString retryLabel,
    std::function<void()> retry)
{
    // A private open records no use.
    QPointer<Router> self(this);
    auto recordUse = [self, destination, privately] {
        if (self && !privately)
            self->m_store.recordUse(destination);
    };
    // Not awaited: each open runs on its own, and several may be in flight at once.
    runLaunch(std::move(url), std::move(destination), privately, std::move(retryLabel), std::move(retry),
        std::move(recordUse), self);
}

} // namespace tavro
