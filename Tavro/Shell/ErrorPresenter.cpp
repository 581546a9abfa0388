#include "Tavro/Shell/ErrorPresenter.h"

#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Shell/LoginItem.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

namespace tavro::ErrorPresenter {

namespace {
// Tavro is an accessory app: without this the alert could open behind the browser.
int runInFront(const Alert& alert)
{
    Application::activate(true);
    return alert.runModal();
}
} // namespace

void show(const LaunchFailure& error, const QUrl& url, const QString& retryLabel, const std::function<void()>& retry)
{
    if (const auto* safari = std::get_if<SafariLaunchError>(&error);
        safari && safari->kind() == SafariLaunchError::Kind::accessibilityDenied) {
        showAccessibilityNeeded(url, std::nullopt);
        return;
    }
    if (const auto* privateWindow = std::get_if<PrivateWindowError>(&error);
        privateWindow && privateWindow->kind() == PrivateWindowError::Kind::accessibilityDenied) {
        showAccessibilityNeeded(url, privateWindow->browser());
        return;
    }
    showCouldNotOpen(description(error), url, retryLabel, retry);
}

void showCouldNotOpen(
    const QString& description, const QUrl& url, const QString& retryLabel, const std::function<void()>& retry)
{
    const QString link = url.toString(QUrl::FullyEncoded);
    Alert alert;
    alert.style = Alert::Style::warning;
    //: Alert title when launching a browser for a clicked link failed.
    alert.messageText = QCoreApplication::translate("Tavro", "Tavro couldn’t open that link");
    alert.informativeText = description + QStringLiteral("\n\n") + link;
    alert.addButton(retryLabel);
    //: Alert button that copies the failed link to the clipboard.
    alert.addButton(QCoreApplication::translate("Tavro", "Copy Link"));
    alert.addButton(
        //: Alert button that closes the could-not-open-link alert.
        QCoreApplication::translate("Tavro", "Dismiss"));

    switch (runInFront(alert)) {
    case Alert::kFirstButtonReturn:
        if (retry)
            retry();
        break;
    case Alert::kSecondButtonReturn:
        if (QClipboard* clipboard = QGuiApplication::clipboard()) {
            // Replaces everything on the clipboard, not just its text.
            clipboard->clear();
            clipboard->setText(link);
        }
        break;
    default:
        break;
    }
}

void showAccessibilityNeeded(const QUrl& url, const std::optional<QString>& privateBrowser)
{
    Q_UNUSED(url);
    Alert alert;
    if (privateBrowser) {
        //: Alert title asking the user to grant Accessibility permission so Tavro can open private browser windows.
        alert.messageText = QCoreApplication::translate("Tavro", "Let Tavro open private windows");
        //: Alert body asking for Accessibility permission to open private windows. %1 is the browser name, e.g. Safari.
        //: Accessibility and System Settings are Apple's names: use Apple's official localized names for the macOS
        //: privacy pane and app.
        alert.informativeText = QCoreApplication::translate("Tavro",
            "To open links in a private %1 window, allow Tavro under Accessibility in System "
            "Settings. The link wasn’t opened, so it stays private.")
                                    .arg(*privateBrowser);
    } else {
        //: Alert title asking the user to grant Accessibility permission so Tavro can open Safari profiles.
        alert.messageText = QCoreApplication::translate("Tavro", "Let Tavro open Safari profiles");
        //: Alert body asking for Accessibility permission. Accessibility and System Settings are Apple's names: use
        //: Apple's official localized names for the macOS privacy pane and app.
        alert.informativeText = QCoreApplication::translate("Tavro",
            "To open links in a specific Safari profile, allow Tavro under Accessibility in "
            "System Settings. The link was opened in Safari for now.");
    }
    //: Alert button that opens the Accessibility pane in System Settings. Use Apple's localized name for Accessibility.
    alert.addButton(QCoreApplication::translate("Tavro", "Grant Accessibility…"));
    alert.addButton(
        //: Alert button that postpones granting a permission.
        QCoreApplication::translate("Tavro", "Later"));

    if (runInFront(alert) == Alert::kFirstButtonReturn) {
        // Listed first, so that the pane shows Tavro with its switch.
        AccessibilityPermission::registerInList();
        LoginItem::openAccessibilitySettings();
    }
}

} // namespace tavro::ErrorPresenter
