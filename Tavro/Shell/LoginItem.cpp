#include "Tavro/Shell/LoginItem.h"

#include "Tavro/Controls/HintBanner.h"
#include "Tavro/Discovery/BrowserDataPermission.h"
#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Platform/UrlOpener.h"

#include <QDebug>
#include <QUrl>

namespace tavro::LoginItem {

namespace {
void openAddress(const QString& address)
{
    UrlOpener::open(QUrl(address));
}
} // namespace

std::expected<void, AutostartError> setEnabled(bool enabled)
{
    auto outcome = enabled ? AutostartEntry::registerMainApp() : AutostartEntry::unregisterMainApp();
    if (!outcome)
        qWarning().noquote() << QStringLiteral("Tavro: failed to update login item: ") + description(outcome.error());
    return outcome;
}

bool systemSettingsOpen()
{
    return UrlOpener::opens(QUrl(QStringLiteral("x-apple.systempreferences:")));
}

void openDefaultBrowserSettings()
{
    const QUrl pane(QStringLiteral("x-apple.systempreferences:com.apple.Desktop-Settings.extension"));
    UrlOpener::open(pane.isValid() ? pane : QUrl(QStringLiteral("x-apple.systempreferences:")));
}

void openAccessibilitySettings()
{
    openAddress(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"));
}

void openFilesAndFoldersSettings()
{
    openAddress(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_FilesAndFolders"));
}

void connectHintBanner(const HintBanner* banner)
{
    QObject::connect(banner, &HintBanner::registerForAccessibilityRequested, banner,
        [] { AccessibilityPermission::registerInList(); });
    QObject::connect(banner, &HintBanner::openAccessibilitySettingsRequested, banner, &openAccessibilitySettings);
    QObject::connect(banner, &HintBanner::probeBrowserDataRequested, banner, [] { BrowserDataPermission::probe(); });
    QObject::connect(banner, &HintBanner::openFilesAndFoldersSettingsRequested, banner, &openFilesAndFoldersSettings);
}

} // namespace tavro::LoginItem
