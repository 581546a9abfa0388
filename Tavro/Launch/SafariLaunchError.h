#pragma once

#include <QString>

namespace tavro {

// A Safari profile window that could not be opened.
class SafariLaunchError
{
public:
    enum class Kind { profileWindowNotFound, accessibilityDenied };

    // Safari's File menu has no item for the profile (it may have been renamed).
    [[nodiscard]] static SafariLaunchError profileWindowNotFound(const QString& profile)
    {
        return {Kind::profileWindowNotFound, profile};
    }
    // Tavro is not trusted for Accessibility; the shell offers to open the privacy settings.
    [[nodiscard]] static SafariLaunchError accessibilityDenied() { return {Kind::accessibilityDenied, {}}; }

    Kind kind() const { return m_kind; }
    const QString& profile() const { return m_profile; }

    QString description() const;

    bool operator==(const SafariLaunchError&) const = default;

private:
    SafariLaunchError(Kind kind, QString profile) : m_kind(kind), m_profile(std::move(profile)) { }

    Kind m_kind;
    QString m_profile;
};

} // namespace tavro
