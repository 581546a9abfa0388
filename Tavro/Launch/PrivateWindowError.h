#pragma once

#include <QString>

namespace tavro {

// A link that could not be opened in a private window. Every text tells the user the link was
// not opened anywhere else, so it stays private.
class PrivateWindowError
{
public:
    enum class Kind { accessibilityDenied, menuItemNotFound, unsupported, locked };

    [[nodiscard]] static PrivateWindowError accessibilityDenied(const QString& browser)
    {
        return {Kind::accessibilityDenied, browser};
    }
    [[nodiscard]] static PrivateWindowError menuItemNotFound(const QString& browser)
    {
        return {Kind::menuItemNotFound, browser};
    }
    [[nodiscard]] static PrivateWindowError unsupported(const QString& browser) { return {Kind::unsupported, browser}; }
    [[nodiscard]] static PrivateWindowError locked(const QString& browser) { return {Kind::locked, browser}; }

    Kind kind() const { return m_kind; }
    const QString& browser() const { return m_browser; }

    QString description() const;

    bool operator==(const PrivateWindowError&) const = default;

private:
    PrivateWindowError(Kind kind, QString browser) : m_kind(kind), m_browser(std::move(browser)) { }

    Kind m_kind;
    QString m_browser;
};

} // namespace tavro
