#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Launch/SafariMenuText.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SafariProfileNames.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/Workspace.h"

#include <QSet>

namespace tavro::SafariAX {

namespace A = Accessibility;

namespace {

struct Pair
{
    SafariMenuItem item;
    AXElement element;
};

std::optional<RunningApplication> runningSafari()
{
    const auto running = Workspace::shared().runningApplications(safariBundleIdentifier);
    if (running.isEmpty())
        return std::nullopt;
    return running.first();
}

QString title(const AXElement& element)
{
    return A::stringAttribute(element, A::titleAttribute).value_or(QString());
}

QList<AXElement> children(const AXElement& element, QLatin1StringView attribute = A::childrenAttribute)
{
    return A::elementsAttribute(element, attribute).value_or(QList<AXElement>());
}

SafariMenuItem describe(const AXElement& element)
{
    return SafariMenuItem{A::stringAttribute(element, A::identifierAttribute).value_or(QString()), title(element)};
}

// A menu-bar item's menu items, each followed by the items of its submenus.
QList<Pair> itemsUnder(const AXElement& barItem)
{
    QList<Pair> pairs;
    for (const AXElement& menu : children(barItem)) {
        for (const AXElement& item : children(menu)) {
            pairs.append(Pair{describe(item), item});
            for (const AXElement& submenu : children(item)) {
                for (const AXElement& subitem : children(submenu))
                    pairs.append(Pair{describe(subitem), subitem});
            }
        }
    }
    return pairs;
}

// Whether an item shows that its menu opens new windows: a profile marker in the identifier,
// the plain new-window identifiers, or an English "New … Window" title.
bool looksLikeFileMenuItem(const SafariMenuItem& item)
{
    if (SafariMenuText::profileIdentifier(item.identifier))
        return true;
    if (item.identifier == QLatin1String("NewWindow") || item.identifier == QLatin1String("NewPrivateWindow"))
        return true;
    const QString trimmed = SafariMenuText::trimmedSpaces(item.title);
    if (!trimmed.startsWith(QLatin1String("New ")) || !trimmed.endsWith(QLatin1String(" Window")))
        return false;
    const QString name = SafariMenuText::trimmedSpaces(SafariMenuText::betweenNewAndWindow(trimmed));
    return !name.isEmpty() && name != QLatin1String("Private");
}

// The File menu's items. The menu is found by its title first; localised menu bars are
// recognised by their new-window items, trying the third menu (File on a Mac) before the others.
QList<Pair> fileMenuItemsOf(const AXElement& app)
{
    const auto bar = A::elementAttribute(app, A::menuBarAttribute);
    if (!bar)
        return {};
    const QList<AXElement> barItems = children(*bar);
    QList<QString> titles;
    for (const AXElement& item : barItems)
        titles.append(title(item));

    QList<qsizetype> order;
    for (qsizetype i = 0; i < barItems.size(); ++i) {
        if (titles.at(i) == QLatin1String("File"))
            order.append(i);
    }
    if (barItems.size() >= 3)
        order.append(2);
    for (qsizetype i = 1; i < barItems.size(); ++i)
        order.append(i);

    QSet<qsizetype> tried;
    for (qsizetype index : std::as_const(order)) {
        if (index == 0 || tried.contains(index))
            continue;
        tried.insert(index);
        const QList<Pair> collected = itemsUnder(barItems.at(index));
        if (titles.at(index) == QLatin1String("File"))
            return collected;
        for (const Pair& pair : collected) {
            if (looksLikeFileMenuItem(pair.item))
                return collected;
        }
    }
    return {};
}

} // namespace

std::optional<AXElement> safariApp()
{
    const auto safari = runningSafari();
    if (!safari)
        return std::nullopt;
    return A::createApplication(safari->processIdentifier);
}

Result fileMenuItems()
{
    if (!runningSafari())
        return Result::notRunning();
    if (!A::isProcessTrusted())
        return Result::notTrusted();
    const auto app = safariApp();
    if (!app)
        return Result::unreadable();
    const QList<Pair> pairs = fileMenuItemsOf(*app);
    if (pairs.isEmpty())
        return Result::unreadable();
    QList<SafariMenuItem> items;
    for (const Pair& pair : pairs) {
        // Separators have neither identifier nor title.
        if (!pair.item.identifier.isEmpty() || !pair.item.title.isEmpty())
            items.append(pair.item);
    }
    return Result::items(items);
}

bool openProfileWindow(const QString& name)
{
    if (!A::isProcessTrusted())
        return false;
    const auto app = safariApp();
    if (!app)
        return false;
    const QList<Pair> pairs = fileMenuItemsOf(*app);
    const QString wanted = SafariMenuText::squashed(name);
    const bool wantsDefault = SafariProfileDiscovery::isBlankName(name) || name == QLatin1String("Default");
    for (const Pair& pair : pairs) {
        bool matches = false;
        if (const auto profile = SafariMenuText::profileIdentifier(pair.item.identifier)) {
            if (SafariMenuText::squashed(profile->name) == wanted)
                matches = true;
            else if (wantsDefault)
                matches = profile->isDefault;
        } else {
            matches = SafariMenuText::trimmedSpaces(pair.item.title)
                == QStringLiteral("New ") + name + QStringLiteral(" Window");
        }
        if (matches)
            return A::performAction(pair.element, A::pressAction) == AXError::success;
    }
    return false;
}

bool raiseWindow(const AXElement& window)
{
    if (!A::copyAttributeValue(window, A::roleAttribute))
        return false;
    // A window that stays minimized or is not made main is not raised either: the raise answers for all three.
    (void)A::setAttributeValue(window, A::minimizedAttribute, false);
    (void)A::setAttributeValue(window, A::mainAttribute, true);
    const bool raised = A::performAction(window, A::raiseAction) == AXError::success;
    if (const auto safari = runningSafari())
        Workspace::shared().activate(*safari);
    return raised;
}

std::optional<AXElement> focusedWindow()
{
    const auto app = safariApp();
    if (!app)
        return std::nullopt;
    return A::elementAttribute(*app, A::focusedWindowAttribute);
}

void closeBlankWindows(const AXElement& keep)
{
    if (!A::isProcessTrusted())
        return;
    const auto app = safariApp();
    if (!app)
        return;
    for (const AXElement& window : children(*app, A::windowsAttribute)) {
        if (window == keep)
            continue;
        const QString document = A::stringAttribute(window, A::documentAttribute).value_or(QString());
        if (!document.isEmpty())
            continue;
        // A blank window that refuses to close is left as it is: it holds nothing.
        if (const auto closeButton = A::elementAttribute(window, A::closeButtonAttribute))
            (void)A::performAction(*closeButton, A::pressAction);
    }
}

void postKey(quint16 keyCode, quint64 flags)
{
    KeyEvents::post(KeyEvent{keyCode, true, flags, {}});
    KeyEvents::post(KeyEvent{keyCode, false, flags, {}});
}

} // namespace tavro::SafariAX
