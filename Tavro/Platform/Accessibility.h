#pragma once
// Stands for the Accessibility API: process trust, application and system-wide elements, their
// attributes and actions. No desktop here offers another application's element tree, so the
// system backend answers as an untrusted process; tests and diagnostics install a simulated one
// whose in-process tree they build (AccessibilityHost.h). Safe from any thread.

#include <QList>
#include <QString>

#include <expected>
#include <memory>
#include <optional>
#include <variant>

namespace tavro {

namespace detail {
struct AXNode;
}

// One element of the tree. Two handles are equal when they refer to the same element.
class AXElement
{
public:
    AXElement() = default;

    bool isNull() const { return !m_node; }
    friend bool operator==(const AXElement&, const AXElement&) = default;

private:
    friend struct AXAccess;
    explicit AXElement(std::shared_ptr<detail::AXNode> node) : m_node(std::move(node)) { }
    std::shared_ptr<detail::AXNode> m_node;
};

// Result codes of the Accessibility calls; anything but success means "not read" or "not done".
enum class AXError {
    success = 0,
    failure = -25200,
    illegalArgument = -25201,
    invalidUIElement = -25202,
    cannotComplete = -25204,
    attributeUnsupported = -25205,
    actionUnsupported = -25206,
    apiDisabled = -25211,
    noValue = -25212,
};

// An attribute value: text, a number, a flag, an element or a list of elements.
using AXValue = std::variant<QString, qint64, bool, AXElement, QList<AXElement>>;

namespace Accessibility {

// Attribute, role and action names used by Tavro.
inline constexpr QLatin1StringView menuBarAttribute("AXMenuBar");
inline constexpr QLatin1StringView childrenAttribute("AXChildren");
inline constexpr QLatin1StringView windowsAttribute("AXWindows");
inline constexpr QLatin1StringView identifierAttribute("AXIdentifier");
inline constexpr QLatin1StringView titleAttribute("AXTitle");
inline constexpr QLatin1StringView roleAttribute("AXRole");
inline constexpr QLatin1StringView subroleAttribute("AXSubrole");
inline constexpr QLatin1StringView valueAttribute("AXValue");
inline constexpr QLatin1StringView documentAttribute("AXDocument");
inline constexpr QLatin1StringView mainAttribute("AXMain");
inline constexpr QLatin1StringView minimizedAttribute("AXMinimized");
inline constexpr QLatin1StringView closeButtonAttribute("AXCloseButton");
inline constexpr QLatin1StringView focusedWindowAttribute("AXFocusedWindow");
inline constexpr QLatin1StringView focusedUIElementAttribute("AXFocusedUIElement");
inline constexpr QLatin1StringView menuItemCmdCharAttribute("AXMenuItemCmdChar");
inline constexpr QLatin1StringView menuItemCmdModifiersAttribute("AXMenuItemCmdModifiers");
inline constexpr QLatin1StringView pressAction("AXPress");
inline constexpr QLatin1StringView raiseAction("AXRaise");
inline constexpr QLatin1StringView standardWindowSubrole("AXStandardWindow");
inline constexpr QLatin1StringView secureTextFieldSubrole("AXSecureTextField");

// What the calls below go through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual bool isProcessTrustedWithOptions(bool prompt) = 0;
    virtual AXElement createApplication(qint64 processIdentifier) = 0;
    virtual AXElement createSystemWide() = 0;
    [[nodiscard]] virtual std::expected<AXValue, AXError> copyAttributeValue(
        const AXElement& element, const QString& attribute)
        = 0;
    [[nodiscard]] virtual AXError setAttributeValue(
        const AXElement& element, const QString& attribute, const AXValue& value)
        = 0;
    [[nodiscard]] virtual AXError performAction(const AXElement& element, const QString& action) = 0;
};
// Routes the calls to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// Whether the process is trusted for Accessibility. With `prompt` the system would ask the user;
// Tavro always passes false.
bool isProcessTrusted();
bool isProcessTrustedWithOptions(bool prompt);

// The element of the application with this process identifier; reads fail when no such
// application offers an element tree.
AXElement createApplication(qint64 processIdentifier);
// The element standing for the whole system; its "AXFocusedUIElement" is that of the frontmost
// application.
AXElement createSystemWide();

[[nodiscard]] std::expected<AXValue, AXError> copyAttributeValue(const AXElement& element, const QString& attribute);
[[nodiscard]] AXError setAttributeValue(const AXElement& element, const QString& attribute, const AXValue& value);
[[nodiscard]] AXError performAction(const AXElement& element, const QString& action);

// Typed reads: nullopt when the attribute cannot be read or holds another type.
std::optional<QString> stringAttribute(const AXElement& element, const QString& attribute);
std::optional<qint64> integerAttribute(const AXElement& element, const QString& attribute);
std::optional<bool> boolAttribute(const AXElement& element, const QString& attribute);
std::optional<AXElement> elementAttribute(const AXElement& element, const QString& attribute);
std::optional<QList<AXElement>> elementsAttribute(const AXElement& element, const QString& attribute);

} // namespace Accessibility

} // namespace tavro
