#pragma once
// Sends each incoming link to the picker or, on a bypass, straight to a destination, and starts
// every open of a destination. Failures go to the failure alerts.

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/BypassTarget.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <optional>

namespace tavro {

class SettingsStore;

class Router : public QObject
{
    Q_OBJECT
public:
    // The Router's reading of the store's bypass target for one link.
    class BypassOutcome
    {
    public:
        enum class Kind { open, picker };

        static BypassOutcome open(const BrowserDestination& d) { return BypassOutcome(Kind::open, d, {}); }
        static BypassOutcome picker(const std::optional<QString>& notice = std::nullopt)
        {
            return BypassOutcome(Kind::picker, {}, notice);
        }

        Kind kind() const { return m_kind; }
        const std::optional<BrowserDestination>& destination() const { return m_destination; }
        const std::optional<QString>& notice() const { return m_notice; }

        bool operator==(const BypassOutcome&) const = default;

    private:
        BypassOutcome(Kind kind, std::optional<BrowserDestination> d, std::optional<QString> notice)
            : m_kind(kind), m_destination(std::move(d)), m_notice(std::move(notice))
        { }

        Kind m_kind;
        std::optional<BrowserDestination> m_destination;
        std::optional<QString> m_notice;
    };

    // Why the picker is asked for. A link just handed over replaces a picker still shown; the retry
    // of a failed open steps in front of it, and the shown link keeps its turn.
    enum class PickerRequest { arrival, retry };

    explicit Router(SettingsStore& store, QObject* parent = nullptr);

    // A link the system handed over: bypass or picker, by the held keys and the settings.
    void route(const QUrl& url);
    // Opens the link in the destination; returns at once, the launch finishes later.
    void open(const QUrl& url, const BrowserDestination& destination, bool privately);
    // Opens the destination without a link (a new window or tab).
    void openDirect(const BrowserDestination& destination, bool privately);

    static BypassOutcome resolveBypass(const BypassTarget& target, bool privately);

    // The keyboard modifier flags held now.
    static quint64 currentModifierFlags();
    // Decides when a failure alert runs: `gate` is handed the alert and runs it, maybe later (once
    // no picker is up). Without one the alert runs at once.
    void setAlertGate(std::function<void(std::function<void()>)> gate);
    // Runs the failure alert `alert` through the gate.
    void showFailure(std::function<void()> alert);

Q_SIGNALS:
    // The link needs the picker, in private mode with `privately`, showing `notice` if there is one.
    void pickerRequested(
        const QUrl& url, const std::optional<QString>& notice, bool privately, tavro::Router::PickerRequest request);

private:
    void launch(std::optional<QUrl> url, BrowserDestination destination, bool privately, QString retryLabel,
        std::function<void()> retry);

    SettingsStore& m_store;
    std::function<void(std::function<void()>)> m_alertGate;
};

} // namespace tavro
