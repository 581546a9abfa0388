#include "Tavro/Controls/SafariHintBanner.h"

#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Platform/Workspace.h"

#include <QCoreApplication>

namespace tavro {

namespace {

QString symbolFor(SafariHint hint)
{
    switch (hint) {
    case SafariHint::accessibilityNeeded:
        return QStringLiteral("hand.raised");
    case SafariHint::safariNotRunning:
        return QStringLiteral("safari");
    case SafariHint::none:
        break;
    }
    return QStringLiteral("lock.shield");
}

QString titleFor(SafariHint hint)
{
    switch (hint) {
    case SafariHint::accessibilityNeeded:
        //: Banner title when Safari profiles can't be read because Accessibility permission is missing.
        return QCoreApplication::translate("Tavro", "Let Tavro see your Safari profiles");
    case SafariHint::safariNotRunning:
        //: Banner title when Safari profiles can't be read because Safari isn't running.
        return QCoreApplication::translate("Tavro", "Open Safari to detect its profiles");
    case SafariHint::none:
        break;
    }
    return {};
}

QString messageFor(SafariHint hint)
{
    switch (hint) {
    case SafariHint::accessibilityNeeded:
        //: Banner body explaining why Accessibility permission is needed. Use Apple's localized name for the
        //: Accessibility privacy setting.
        return QCoreApplication::translate("Tavro",
            "Tavro reads your Safari profiles from Safari’s menus, using the same Accessibility permission it uses "
            "to open links in them. Allow Tavro under Accessibility, then re-check.");
    case SafariHint::safariNotRunning:
        //: Banner body shown when Safari isn't running. Destinations are the browser profiles links can open in.
        return QCoreApplication::translate("Tavro",
            "Tavro detects Safari profiles from a running Safari. Open Safari, then re-check and your profiles will "
            "appear as destinations.");
    case SafariHint::none:
        break;
    }
    return {};
}

} // namespace

SafariHintBanner::SafariHintBanner(SafariHint hint, QWidget* parent)
    : HintBanner(symbolFor(hint), titleFor(hint), messageFor(hint), parent), m_hint(hint)
{
    switch (hint) {
    case SafariHint::accessibilityNeeded:
        addButtons(
            //: Button that opens the Accessibility pane in System Settings. Use Apple's localized name for
            //: Accessibility.
            QCoreApplication::translate("Tavro", "Grant Accessibility…"), [this] {
                Q_EMIT registerForAccessibilityRequested();
                Q_EMIT openAccessibilitySettingsRequested();
            });
        break;
    case SafariHint::safariNotRunning:
        //: Button that launches Safari.
        addButtons(QCoreApplication::translate("Tavro", "Open Safari"), &openSafari);
        break;
    case SafariHint::none:
        addButtons({}, {});
        break;
    }
}

void SafariHintBanner::openSafari()
{
    const auto safari = Workspace::shared().urlForApplication(safariBundleIdentifier);
    if (!safari)
        return;
    // Not awaited: the banner waits for the user's "Re-check", not for Safari.
    [[maybe_unused]] auto launch = Workspace::shared().openApplication(*safari, OpenConfiguration{});
}

} // namespace tavro
