#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/InstalledBackend.h"

namespace tavro {

namespace {

// No accessibility server to ask: an untrusted process, which every call tells so.
class SystemBackend final : public Accessibility::Backend
{
public:
    bool isProcessTrustedWithOptions(bool) override { return false; }
    AXElement createApplication(qint64) override { return {}; }
    AXElement createSystemWide() override { return {}; }
    std::expected<AXValue, AXError> copyAttributeValue(const AXElement&, const QString&) override
    {
        return std::unexpected(AXError::apiDisabled);
    }
    AXError setAttributeValue(const AXElement&, const QString&, const AXValue&) override
    {
        return AXError::apiDisabled;
    }
    AXError performAction(const AXElement&, const QString&) override { return AXError::apiDisabled; }
};

InstalledBackend<Accessibility::Backend> installedBackend;

Accessibility::Backend& backend()
{
    static SystemBackend system;
    return installedBackend.orElse(system);
}

} // namespace

namespace Accessibility {

void setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

bool isProcessTrusted()
{
    return isProcessTrustedWithOptions(false);
}

bool isProcessTrustedWithOptions(bool prompt)
{
    return backend().isProcessTrustedWithOptions(prompt);
}

AXElement createApplication(qint64 processIdentifier)
{
    return backend().createApplication(processIdentifier);
}

AXElement createSystemWide()
{
    return backend().createSystemWide();
}

std::expected<AXValue, AXError> copyAttributeValue(const AXElement& element, const QString& attribute)
{
    return backend().copyAttributeValue(element, attribute);
}

AXError setAttributeValue(const AXElement& element, const QString& attribute, const AXValue& value)
{
    return backend().setAttributeValue(element, attribute, value);
}

AXError performAction(const AXElement& element, const QString& action)
{
    return backend().performAction(element, action);
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
