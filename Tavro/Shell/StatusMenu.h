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

// The status menu. Its items report what they ask for through the signals; the tracker it is built
// with tells whether the private-window key was held.
class StatusMenu : public QMenu
{
    Q_OBJECT
public:
    // The gap between the widest label and the widest trailing text of the submenu.
    static constexpr qreal kColumnGap = 28;

    // Whether this is a development build: the bundle identifier ends in "Dev".
    static bool isDevBuild();

    // The status item's button: a development build's title (none otherwise: the title is left
    // alone), its tooltip and its accessibility label.
    struct ButtonTexts
    {
        std::optional<QString> title;
        QString toolTip;
        QString accessibilityLabel;
    };
    static ButtonTexts buttonTexts(bool devBuild, bool updateAvailable);
    // The 18 × 18 template image from the resource bundle, or the "link.circle.fill" symbol.
    static QImage baseMenuBarImage();
    // Cuts the update badge into the top-right corner of the drawing in `rect`.
    static void drawUpdateBadge(QPainter& painter, const QRectF& rect);
    // `base` with the update badge.
    static QImage badgedMenuBarImage(const QImage& base);

    // The named symbol at the menu's size, in the menu's text colour; none when it does not exist.
    static std::optional<QImage> symbol(const QString& name);

    // The status menu: resets `tracker`, makes it the menu's delegate and registers every title that
    // changes with the private-window key. "Check for Updates…" is enabled while
    // `canCheckForUpdates` answers true, asked each time the menu opens.
    static std::unique_ptr<StatusMenu> build(const AppSettings& settings,
        const std::optional<BrowserDestination>& lastUsed, const std::optional<QString>& availableVersion,
        PrivateMenuTracker& tracker, const std::function<bool()>& canCheckForUpdates);

Q_SIGNALS:
    void installUpdateRequested();
    void openNewTabRequested(const QUuid& destinationID);
    void openNewTabInMostRecentRequested();
    void refreshProfilesRequested();
    void checkForUpdatesRequested();
    void preferencesRequested();
    void quitRequested();

private:
    StatusMenu() = default;

    // One row of the "Open New Tab in…" submenu: a destination, or "Most Recent".
    struct SubmenuRow
    {
        QString label;
        std::optional<QImage> image;
        QImage privateImage;
        std::optional<QString> hotkey;
        bool enabledWhenPrivate;
        QAction* item;
    };

    // An item that emits `requested` when chosen.
    QAction* addItem(
        const QString& title, const QString& key, const QString& symbolName, void (StatusMenu::*requested)());
    void addOpenNewTabItem(const QList<BrowserDestination>& visible, const AppSettings& settings,
        const std::optional<BrowserDestination>& lastUsed, PrivateMenuTracker& tracker);
    // The "Open New Tab in…" submenu, owned by this menu.
    QMenu* buildOpenNewTabSubmenu(const QList<BrowserDestination>& destinations, const AppSettings& settings,
        const std::optional<BrowserDestination>& lastUsed, PrivateMenuTracker& tracker);
    // The submenu's rows: the destinations that fit, then "Most Recent" when there is a last-used one.
    QList<SubmenuRow> openNewTabRows(const QList<BrowserDestination>& destinations, const AppSettings& settings,
        const std::optional<BrowserDestination>& lastUsed, QMenu& submenu);
};

} // namespace tavro
