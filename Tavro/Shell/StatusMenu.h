#pragma once
// The menu-bar status item's pieces: its image with the update badge, and its menu, rebuilt from
// scratch from the current settings every time.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Shell/MenuTitle.h"

#include <QImage>
#include <QMenu>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

class QPainter;

namespace tavro {

class PrivateMenuTracker;

namespace StatusMenu {

// What the menu's items do.
struct Handlers
{
    std::function<void()> installUpdate;
    std::function<void(const QUuid&)> openNewTabInDestination;
    std::function<void()> openNewTabInMostRecent;
    std::function<void()> refreshProfiles;
    std::function<void()> checkForUpdates;
    std::function<bool()> canCheckForUpdates;
    std::function<void()> openPreferencesWindow;
    std::function<void()> quit;
};

// The gap between the widest label and the widest trailing text of the submenu.
inline constexpr qreal kColumnGap = 28;

// Whether this is a development build: the bundle identifier ends in "Dev".
bool isDevBuild();

// The status item's button: a development build's title (none otherwise: the title is left alone),
// its tooltip and its accessibility label.
struct ButtonTexts
{
    std::optional<QString> title;
    QString toolTip;
    QString accessibilityLabel;
};
ButtonTexts buttonTexts(bool devBuild, bool updateAvailable);
// The 18 × 18 template image from the resource bundle, or the "link.circle.fill" symbol.
QImage baseMenuBarImage();
// Cuts the update badge into the top-right corner of the drawing in `rect`.
void drawUpdateBadge(QPainter& painter, const QRectF& rect);
// `base` with the update badge.
QImage badgedMenuBarImage(const QImage& base);

// The named symbol at the menu's size, in the menu's text colour; none when it does not exist.
std::optional<QImage> symbol(const QString& name);

// The status menu: resets `tracker`, makes it the menu's delegate and registers every title that
// changes with the private-window key.
std::unique_ptr<QMenu> build(const AppSettings& settings, const std::optional<BrowserDestination>& lastUsed,
    const std::optional<QString>& availableVersion, PrivateMenuTracker& tracker, const Handlers& handlers);
// The "Open New Tab in…" submenu, owned by `parent`.
QMenu* buildOpenNewTabSubmenu(const QList<BrowserDestination>& destinations, const AppSettings& settings,
    const std::optional<BrowserDestination>& lastUsed, PrivateMenuTracker& tracker, const Handlers& handlers,
    QWidget* parent);

} // namespace StatusMenu

} // namespace tavro
