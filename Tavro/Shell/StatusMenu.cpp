#include "Tavro/Shell/StatusMenu.h"

#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/ResourceBundle.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/Screens.h"
#include "Tavro/Shell/GlobalHotkeyService.h"
#include "Tavro/Shell/PrivateMenuTracker.h"
#include "Tavro/Shell/UpdateController.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

constexpr qreal kMenuBarSide = 18;

// An item of the status menu or its submenu as screen readers meet it: named by its title alone.
// What the menu shows after the title's tab (a hot key, or "Private") is the item's accelerator,
// where a Mac menu gives its key equivalent; Qt's own item reads the whole text as the name.
class StatusMenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    StatusMenuItemAccessible(QMenu* menu, QAction* action) : m_menu(menu), m_action(action) { }

    bool isValid() const override { return m_menu && m_action; }
    QObject* object() const override { return m_action; }
    QWindow* window() const override { return m_menu->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_menu); }
    int childCount() const override { return m_action->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && m_action->menu() ? QAccessible::queryAccessibleInterface(m_action->menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && m_action->menu() && child->object() == m_action->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        const QString whole = m_action->text();
        const qsizetype tab = whole.indexOf(QLatin1Char('\t'));
        if (t == QAccessible::Name)
            return whole.left(tab).replace(QStringLiteral("&&"), QStringLiteral("&"));
        if (t != QAccessible::Accelerator)
            return {};
        if (!m_action->shortcut().isEmpty())
            return m_action->shortcut().toString(QKeySequence::NativeText);
        return tab < 0 ? QString() : whole.mid(tab + 1);
    }
    void setText(QAccessible::Text, const QString&) override { }

    QRect rect() const override
    {
        const QRect shown = m_menu->actionGeometry(m_action);
        return {m_menu->mapToGlobal(shown.topLeft()), shown.size()};
    }
    QAccessible::Role role() const override
    {
        return m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_menu->isVisible() || !m_action->isVisible();
        s.focused = m_menu->activeAction() == m_action;
        s.disabled = m_action->isSeparator() || !m_action->isEnabled();
        s.hasPopup = m_action->menu() != nullptr;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override
    {
        if (m_action->isSeparator() || !m_action->isEnabled())
            return {};
        return {m_action->menu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && m_action->isEnabled())
            m_action->trigger();
        else if (name == showMenuAction() && m_action->menu())
            m_menu->setActiveAction(m_action);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

// The items of a status menu and of its submenu, which the status menu owns.
QAccessibleInterface* statusMenuItemFactory(const QString&, QObject* object)
{
    auto* action = qobject_cast<QAction*>(object);
    if (!action)
        return nullptr;
    for (QObject* owner : action->associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(owner);
        if (menu && (qobject_cast<StatusMenu*>(menu) || qobject_cast<StatusMenu*>(menu->parent())))
            return new StatusMenuItemAccessible(menu, action);
    }
    return nullptr;
}

// The destinations a submenu lists: as many as the tallest screen shows at a line of the menu font
// each, and never fewer than there are hot keys. However many the record holds, the menu costs no
// more than a screen shows.
qsizetype rowsThatFit(const QFont& font)
{
    int height = 0;
    for (const Screens::Screen& screen : Screens::screens())
        height = std::max(height, screen.visibleFrame.height());
    const qsizetype keys = HotkeyAssignment::defaultSequence().size();
    return std::max(keys, qsizetype(height / std::max(1, QFontMetrics(font).height())));
}

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(alpha);
    return color;
}

QColor labelColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::WindowText);
}

QColor secondaryLabelColor()
{
    return withAlpha(labelColor(), 0.5);
}

QColor tertiaryLabelColor()
{
    return withAlpha(labelColor(), 0.26);
}

MenuTitle iconTitle(const QString& title, const std::optional<QImage>& image, const std::optional<QString>& trailing,
    std::optional<qreal> column, const QColor& trailingColor)
{
    return MenuTitle{image, title, trailing, column, trailingColor, MenuTitle::menuFont()};
}

} // namespace

bool StatusMenu::isDevBuild()
{
    static const bool dev = AppInfo::bundleIdentifier().endsWith(QLatin1String("Dev"));
    return dev;
}

StatusMenu::ButtonTexts StatusMenu::buttonTexts(bool devBuild, bool updateAvailable)
{
    ButtonTexts texts;
    const QString appName = devBuild ? QStringLiteral("Tavro Dev") : QStringLiteral("Tavro");
    if (devBuild)
        texts.title = QStringLiteral(" DEV");
    if (updateAvailable) {
        //: Menu bar icon tooltip when an app update is available. %1 is the app name (Tavro or Tavro Dev).
        texts.toolTip = QCoreApplication::translate("Tavro", "%1: update available").arg(appName);
        texts.accessibilityLabel = texts.toolTip;
    } else {
        //: Menu bar icon tooltip; the product tagline. %1 is the app name (Tavro or Tavro Dev).
        texts.toolTip = QCoreApplication::translate("Tavro", "%1: gets links where they belong").arg(appName);
        texts.accessibilityLabel = appName;
    }
    return texts;
}

QImage StatusMenu::baseMenuBarImage()
{
    static const QImage image = [] {
        // The 2x drawing where there is one: the bar scales it down to 18 points.
        for (const char* name : {"tray-icon@2x", "tray-icon"}) {
            if (const std::optional<QImage> found
                = ResourceBundle::tavroImage(QLatin1String(name), QStringLiteral("png"))) {
                QImage scaled = *found;
                scaled.setDevicePixelRatio(scaled.width() / kMenuBarSide);
                return scaled;
            }
        }
        QImage fallback(QSize(36, 36), QImage::Format_ARGB32_Premultiplied);
        fallback.setDevicePixelRatio(2);
        fallback.fill(Qt::transparent);
        QPainter painter(&fallback);
        SymbolImage::paint(
            painter, QRectF(0, 0, kMenuBarSide, kMenuBarSide), QStringLiteral("link.circle.fill"), Qt::black);
        return fallback;
    }();
    return image;
}

void StatusMenu::drawUpdateBadge(QPainter& painter, const QRectF& rect)
{
    const qreal d = 0.6 * std::min(rect.width(), rect.height());
    // The top-right corner (the origin is top left here, so "top" is the smaller y).
    const QRectF badge(rect.right() - d, rect.top(), d, d);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setBrush(Qt::black);
    painter.drawEllipse(badge.adjusted(-0.1 * d, -0.1 * d, 0.1 * d, 0.1 * d));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawEllipse(badge);

    // The arrow is cut out of the dot.
    const QPointF mid = badge.center();
    const qreal top = mid.y() - 0.26 * d;
    QPainterPath arrow;
    arrow.moveTo(mid.x(), mid.y() + 0.24 * d);
    arrow.lineTo(mid.x(), top);
    arrow.moveTo(mid.x() - 0.2 * d, top + 0.2 * d);
    arrow.lineTo(mid.x(), top);
    arrow.lineTo(mid.x() + 0.2 * d, top + 0.2 * d);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0.14 * d, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(arrow);
    painter.restore();
}

QImage StatusMenu::badgedMenuBarImage(const QImage& base)
{
    QImage image(base.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(base.devicePixelRatio());
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRectF rect(QPointF(0, 0), base.deviceIndependentSize());
    painter.drawImage(rect, base);
    drawUpdateBadge(painter, rect);
    return image;
}

std::optional<QImage> StatusMenu::symbol(const QString& name)
{
    if (!SymbolImage::exists(name))
        return std::nullopt;
    const qreal side = MenuTitle::menuFont().pointSizeF() + 2;
    QImage image(QSize(std::ceil(side * 2), std::ceil(side * 2)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    SymbolImage::paint(painter, QRectF(0, 0, side, side), name, labelColor());
    return image;
}

QAction* StatusMenu::addItem(
    const QString& title, const QString& key, const QString& symbolName, void (StatusMenu::*requested)())
{
    auto* item = addAction(title);
    if (!key.isEmpty())
        item->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + key));
    iconTitle(title, symbol(symbolName), std::nullopt, std::nullopt, {}).applyTo(*item);
    connect(item, &QAction::triggered, this, requested);
    return item;
}

std::unique_ptr<StatusMenu> StatusMenu::build(const AppSettings& settings,
    const std::optional<BrowserDestination>& lastUsed, const std::optional<QString>& availableVersion,
    PrivateMenuTracker& tracker, const std::function<bool()>& canCheckForUpdates)
{
    static const bool itemsRead = [] {
        QAccessible::installFactory(statusMenuItemFactory);
        return true;
    }();
    Q_UNUSED(itemsRead);
    std::unique_ptr<StatusMenu> menu(new StatusMenu);
    MenuTitle::styleMenu(*menu);
    tracker.reset();
    tracker.setModifier(flag(settings.privateModifier));
    tracker.track(*menu);

    if (availableVersion) {
        //: Menu bar menu item shown when an update is available. %1 is the version number, e.g. 1.5.0; keep the v
        //: prefix if natural.
        menu->addItem(QCoreApplication::translate("Tavro", "Update to v%1").arg(*availableVersion), {},
            QStringLiteral("arrow.down.circle"), &StatusMenu::installUpdateRequested);
        menu->addSeparator();
    }

    const QList<BrowserDestination> visible = settings.visibleDestinations();
    if (!visible.isEmpty()) {
        menu->addOpenNewTabItem(visible, settings, lastUsed, tracker);
        menu->addSeparator();
    }

    //: Menu bar menu item that rescans installed browsers for profiles.
    menu->addItem(QCoreApplication::translate("Tavro", "Refresh Browser Profiles"), {},
        QStringLiteral("arrow.clockwise"), &StatusMenu::refreshProfilesRequested);
    menu->addSeparator();
    //: Menu bar menu item that checks for app updates.
    QAction* check = menu->addItem(QCoreApplication::translate("Tavro", "Check for Updates…"), {},
        QStringLiteral("arrow.triangle.2.circlepath"), &StatusMenu::checkForUpdatesRequested);
    check->setObjectName(UpdateController::checkForUpdatesAction);
    // Enabled only while the updater can check, judged each time the menu opens.
    connect(menu.get(), &QMenu::aboutToShow, check,
        [check, can = canCheckForUpdates] { check->setEnabled(!can || can()); });
    check->setEnabled(!canCheckForUpdates || canCheckForUpdates());
    //: Menu bar menu item that opens the Settings window.
    menu->addItem(QCoreApplication::translate("Tavro", "Preferences…"), QStringLiteral(","),
        QStringLiteral("gearshape"), &StatusMenu::preferencesRequested);
    menu->addSeparator();
    //: Menu bar menu item that quits the app.
    menu->addItem(QCoreApplication::translate("Tavro", "Quit Tavro"), QStringLiteral("Q"),
        QStringLiteral("xmark.circle"), &StatusMenu::quitRequested);
    return menu;
}

void StatusMenu::addOpenNewTabItem(const QList<BrowserDestination>& visible, const AppSettings& settings,
    const std::optional<BrowserDestination>& lastUsed, PrivateMenuTracker& tracker)
{
    //: Menu bar menu item that opens a submenu listing browser profiles to open a new tab in.
    const QString title = QCoreApplication::translate("Tavro", "Open New Tab in…");
    //: Menu bar menu item shown in place of Open New Tab in… while Shift is held: opens a submenu listing browser
    //: profiles to open a private window in.
    const QString privateText = QCoreApplication::translate("Tavro", "Open Private Window in…");
    const std::optional<QImage> icon = symbol(QStringLiteral("plus.square.on.square"));
    const QImage privateIcon = PrivateMenuTracker::privateBadged(icon);
    const qreal column = std::ceil(std::max(iconTitle(title, icon, {}, {}, {}).leadingWidth(),
        iconTitle(privateText, privateIcon, {}, {}, {}).leadingWidth()));
    const MenuTitle normal = iconTitle(title, icon, std::nullopt, column, secondaryLabelColor());
    const MenuTitle privateTitle = iconTitle(privateText, privateIcon, std::nullopt, column, secondaryLabelColor());
    QAction* item = addAction(title);
    normal.applyTo(*item);
    tracker.addEntry({item, normal, privateTitle, true});
    item->setMenu(buildOpenNewTabSubmenu(visible, settings, lastUsed, tracker));
}

QList<StatusMenu::SubmenuRow> StatusMenu::openNewTabRows(const QList<BrowserDestination>& destinations,
    const AppSettings& settings, const std::optional<BrowserDestination>& lastUsed, QMenu& submenu)
{
    const QString prefix = glyphs(settings.globalHotkeyPrefix);
    const QHash<QUuid, QString> keys = GlobalHotkeyService::registrableKeys(destinations);
    const auto hasPrivateWindows = [](const BrowserDestination& destination) {
        const std::optional<BrowserDefinition> definition
            = BrowserDefinition::definition(destination.browserBundleIdentifier);
        return definition && definition->privateMechanism().has_value();
    };

    QList<SubmenuRow> rows;
    for (const BrowserDestination& destination : destinations.mid(0, rowsThatFit(MenuTitle::menuFont()))) {
        QString label = Drawing::elidedName(destination.menuLabel(), MenuTitle::menuFont());
        if (destination.profileEmoji && !destination.profileEmoji->isEmpty())
            label = *destination.profileEmoji + QLatin1Char(' ') + label;
        auto* item = new QAction(label, &submenu);
        item->setData(destination.id);
        connect(item, &QAction::triggered, this, [this, id = destination.id] { Q_EMIT openNewTabRequested(id); });
        std::optional<QImage> image
            = BrowserIcon::icon(destination.browserBundleIdentifier, MenuTitle::menuFont().pointSizeF() + 2);
        if (!image)
            image = symbol(QStringLiteral("globe"));
        std::optional<QString> hotkey;
        if (settings.globalHotkeysEnabled && keys.contains(destination.id))
            hotkey = prefix + keys.value(destination.id).toUpper();
        rows.append(
            {label, image, PrivateMenuTracker::privateBadged(image), hotkey, hasPrivateWindows(destination), item});
    }
    if (lastUsed) {
        //: Menu bar submenu item under Open New Tab in…: opens the most recently used browser profile.
        const QString label = QCoreApplication::translate("Tavro", "Most Recent");
        auto* item = new QAction(label, &submenu);
        connect(item, &QAction::triggered, this, &StatusMenu::openNewTabInMostRecentRequested);
        const std::optional<QImage> image = symbol(QStringLiteral("clock.arrow.circlepath"));
        std::optional<QString> hotkey;
        if (settings.globalHotkeysEnabled)
            hotkey = prefix + HotkeyAssignment::mostRecentKey;
        rows.append(
            {label, image, PrivateMenuTracker::privateBadged(image), hotkey, hasPrivateWindows(*lastUsed), item});
    }
    return rows;
}

QMenu* StatusMenu::buildOpenNewTabSubmenu(const QList<BrowserDestination>& destinations, const AppSettings& settings,
    const std::optional<BrowserDestination>& lastUsed, PrivateMenuTracker& tracker)
{
    //: Menu bar menu item that opens a submenu listing browser profiles to open a new tab in.
    auto* menu = new QMenu(QCoreApplication::translate("Tavro", "Open New Tab in…"), this);
    MenuTitle::styleMenu(*menu);
    //: Shown at the right of each menu bar submenu item, where its keyboard shortcut normally is, while the
    //: private-window key is held: the item opens a private browser window. One short word.
    const QString privateWord = QCoreApplication::translate("Tavro", "Private");
    const QFont font = MenuTitle::menuFont();
    const QList<SubmenuRow> rows = openNewTabRows(destinations, settings, lastUsed, *menu);

    //: Dimmed hint at the bottom of the Open New Tab in… menu bar submenu. First %1 is the key glyph (e.g. ⇧), second
    //: %2 is the key name (e.g. Shift).
    const QString normalHint = QCoreApplication::translate("Tavro", "Hold %1 %2 for a private window")
                                   .arg(tavro::symbol(settings.privateModifier), displayName(settings.privateModifier));
    //: Dimmed hint at the bottom of the menu bar submenu while Shift is held: choosing a profile opens a private
    //: browser window.
    const QString privateHint = QCoreApplication::translate("Tavro", "Opens a private window");

    // The trailing texts end at one column: past the widest label and the widest trailing text,
    // or at the end of the hint when that is wider.
    qreal labelWidth = 0;
    qreal trailingWidth = MenuTitle::width(privateWord, font);
    for (const SubmenuRow& row : rows) {
        labelWidth = std::max(labelWidth, iconTitle(row.label, row.image, {}, {}, {}).leadingWidth());
        if (row.hotkey)
            trailingWidth = std::max(trailingWidth, MenuTitle::width(*row.hotkey, font));
    }
    const QFont small = MenuTitle::smallFont();
    const qreal hintWidth = std::max(MenuTitle::width(normalHint, small), MenuTitle::width(privateHint, small));
    const qreal column = std::ceil(std::max(labelWidth + kColumnGap + trailingWidth, hintWidth));

    for (const SubmenuRow& row : rows) {
        const MenuTitle normal = iconTitle(row.label, row.image, row.hotkey, column, secondaryLabelColor());
        const MenuTitle privateTitle = iconTitle(row.label, row.privateImage, privateWord, column,
            row.enabledWhenPrivate ? PrivateTheme::accentNS.color(false) : tertiaryLabelColor());
        normal.applyTo(*row.item);
        tracker.addEntry({row.item, normal, privateTitle, row.enabledWhenPrivate});
        menu->addAction(row.item);
    }

    menu->addSeparator();
    const auto hintTitle = [&](const QString& text) {
        return MenuTitle{std::nullopt, text, QString(), column, secondaryLabelColor(), small};
    };
    auto* hint = new QAction(menu);
    hint->setEnabled(false);
    hintTitle(normalHint).applyTo(*hint);
    tracker.addEntry({hint, hintTitle(normalHint), hintTitle(privateHint), false, false});
    menu->addAction(hint);
    return menu;
}

} // namespace tavro
