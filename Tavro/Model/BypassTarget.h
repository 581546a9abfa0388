#pragma once

#include "Tavro/Model/BrowserDestination.h"

#include <optional>

namespace tavro {

// Where a bypassed link goes: straight to a destination, or to the picker with an optional notice.
class BypassTarget
{
public:
    enum class Kind { destination, picker };

    static BypassTarget destination(const BrowserDestination& d) { return BypassTarget(Kind::destination, d, {}); }
    static BypassTarget picker(const std::optional<QString>& notice = std::nullopt)
    {
        return BypassTarget(Kind::picker, {}, notice);
    }

    Kind kind() const { return m_kind; }
    // Set for `destination`.
    const std::optional<BrowserDestination>& browserDestination() const { return m_destination; }
    // May be set for `picker`.
    const std::optional<QString>& notice() const { return m_notice; }

    bool operator==(const BypassTarget&) const = default;

private:
    BypassTarget(Kind kind, std::optional<BrowserDestination> destination, std::optional<QString> notice)
        : m_kind(kind), m_destination(std::move(destination)), m_notice(std::move(notice))
    { }

    Kind m_kind;
    std::optional<BrowserDestination> m_destination;
    std::optional<QString> m_notice;
};

} // namespace tavro
