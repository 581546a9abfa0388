#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/AccessibilityBackend.h"

namespace tavro {

namespace {
BackendSlot<Accessibility::Backend, Linux::AccessibilityBackend> backendSlot;
} // namespace

namespace Accessibility {

void setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

bool isProcessTrusted()
{
    return isProcessTrustedWithOptions(false);
}

bool isProcessTrustedWithOptions(bool prompt)
{
    return backendSlot.current().isProcessTrustedWithOptions(prompt);
}

AXElement createApplication(qint64 processIdentifier)
{
    return backendSlot.current().createApplication(processIdentifier);
}

AXElement createSystemWide()
{
    return backendSlot.current().createSystemWide();
}

std::expected<AXValue, AXError> copyAttributeValue(const AXElement& element, const QString& attribute)
{
    return backendSlot.current().copyAttributeValue(element, attribute);
}

AXError setAttributeValue(const AXElement& element, const QString& attribute, const AXValue& value)
{
    return backendSlot.current().setAttributeValue(element, attribute, value);
}

AXError performAction(const AXElement& element, const QString& action)
{
    return backendSlot.current().performAction(element, action);
}

namespace {

// An attribute's value when it holds a T; absent when it is missing or of another type.
template <typename T> std::optional<T> typedAttribute(const AXElement& element, const QString& attribute)
{
    const auto value = copyAttributeValue(element, attribute);
    if (!value || !std::holds_alternative<T>(*value))
        return std::nullopt;
    return std::get<T>(*value);
}

} // namespace

std::optional<QString> stringAttribute(const AXElement& element, const QString& attribute)
{
    return typedAttribute<QString>(element, attribute);
}

std::optional<qint64> integerAttribute(const AXElement& element, const QString& attribute)
{
    return typedAttribute<qint64>(element, attribute);
}

std::optional<bool> boolAttribute(const AXElement& element, const QString& attribute)
{
    return typedAttribute<bool>(element, attribute);
}

std::optional<AXElement> elementAttribute(const AXElement& element, const QString& attribute)
{
    return typedAttribute<AXElement>(element, attribute);
}

std::optional<QList<AXElement>> elementsAttribute(const AXElement& element, const QString& attribute)
{
    return typedAttribute<QList<AXElement>>(element, attribute);
}

} // namespace Accessibility

} // namespace tavro
