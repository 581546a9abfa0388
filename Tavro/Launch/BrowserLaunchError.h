#pragma once

#include <QString>

namespace tavro {

// A browser that could not be found or started.
class BrowserLaunchError
{
public:
    enum class Kind { appNotFound, launchFailed };

    // No application for the destination's bundle identifier.
    [[nodiscard]] static BrowserLaunchError appNotFound(const QString& browser)
    {
        return {Kind::appNotFound, browser, {}};
    }
    // The activation launch or the URL hand-over failed; `underlying` is the system's own text.
    [[nodiscard]] static BrowserLaunchError launchFailed(const QString& browser, const QString& underlying)
    {
        return {Kind::launchFailed, browser, underlying};
    }

    Kind kind() const { return m_kind; }
    const QString& browser() const { return m_browser; }
    const QString& underlying() const { return m_underlying; }

    QString description() const;

    bool operator==(const BrowserLaunchError&) const = default;

private:
    BrowserLaunchError(Kind kind, QString browser, QString underlying)
        : m_kind(kind), m_browser(std::move(browser)), m_underlying(std::move(underlying))
    { }

    Kind m_kind;
    QString m_browser;
    QString m_underlying;
};

} // namespace tavro
