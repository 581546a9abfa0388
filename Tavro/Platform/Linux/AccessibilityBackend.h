#pragma once
// The Accessibility API on Linux: no accessibility server to ask, so the process is an untrusted one,
// and every call tells so.

#include "Tavro/Platform/Accessibility.h"

namespace tavro::Linux {

class AccessibilityBackend final : public Accessibility::Backend
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

} // namespace tavro::Linux
