#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tavro {

// One profile found by a profile reader.
struct DiscoveredProfile
{
    QString id;          // Chromium: the profile directory; Safari: the profile's name
    QString displayName; // as the browser shows it
    std::optional<QString> photoPath;

    bool operator==(const DiscoveredProfile&) const = default;
};

// What the last scan needs from the user before it can read Safari's profiles.
enum class SafariHint { none, accessibilityNeeded, safariNotRunning };

// Which browsers' data folders the system refused to read in the last scan.
class BrowserDataHint
{
public:
    enum class Kind { none, blocked };

    BrowserDataHint() = default; // none
    static BrowserDataHint none() { return {}; }
    static BrowserDataHint blocked(const QStringList& browsers) { return BrowserDataHint(browsers); }

    Kind kind() const { return m_kind; }
    // Display names, in scan order; empty for `none`.
    const QStringList& browsers() const { return m_browsers; }

    bool operator==(const BrowserDataHint&) const = default;

private:
    explicit BrowserDataHint(const QStringList& browsers) : m_kind(Kind::blocked), m_browsers(browsers) { }

    Kind m_kind = Kind::none;
    QStringList m_browsers;
};

} // namespace tavro
