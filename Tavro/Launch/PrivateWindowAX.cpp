#include "Tavro/Launch/PrivateWindowAX.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/Workspace.h"

#include <QCoro/QCoroTimer>

namespace tavro::PrivateWindowAX {

namespace A = Accessibility;
using Clock = std::chrono::steady_clock;

namespace {

// Shift, Control, Option and Command.
constexpr quint64 heldModifierMask = 0x1E0000;
constexpr qsizetype typedChunkUnits = 20;

std::optional<RunningApplication> running(const QString& bundleID)
{
    const auto apps = Workspace::shared().runningApplications(bundleID);
    if (apps.isEmpty())
        return std::nullopt;
    return apps.first();
}

std::optional<AXElement> app(const QString& bundleID)
{
    const auto application = running(bundleID);
    if (!application)
        return std::nullopt;
    return A::createApplication(application->processIdentifier);
}

QList<AXElement> children(const AXElement& element)
{
    return A::elementsAttribute(element, A::childrenAttribute).value_or(QList<AXElement>());
}

} // namespace

const QSet<QString>& knownIdentifiers()
{
    static const QSet<QString> identifiers{
        QStringLiteral("NewPrivateWindow"), QStringLiteral("newIncognitoWindowMenuItemId")};
    return identifiers;
}

const QSet<QString>& englishTitles()
{
    static const QSet<QString> titles{QStringLiteral("New Private Window"), QStringLiteral("New Incognito Window")};
    return titles;
}

FieldKind fieldKind(const std::optional<AXElement>& element)
{
    if (!element || element->isNull())
        return FieldKind::other;
    if (A::stringAttribute(*element, A::subroleAttribute) == QLatin1String(A::secureTextFieldSubrole))
        return FieldKind::secure;
    const QString role = A::stringAttribute(*element, A::roleAttribute).value_or(QString());
    if (role == QLatin1String("AXTextField") || role == QLatin1String("AXComboBox")
        || role == QLatin1String("AXTextArea"))
        return FieldKind::address;
    return FieldKind::other;
}

std::optional<int> matchRank(const MenuItem& item)
{
    if (knownIdentifiers().contains(item.identifier))
        return 0;
    if (englishTitles().contains(item.title))
        return 1;
    if (item.commandChar.toUpper() == QLatin1String("N") && item.commandModifiers == 1)
        return 2;
    return std::nullopt;
}

MenuItem describe(const AXElement& element)
{
    return MenuItem{A::stringAttribute(element, A::identifierAttribute).value_or(QString()),
        A::stringAttribute(element, A::titleAttribute).value_or(QString()),
        A::stringAttribute(element, A::menuItemCmdCharAttribute).value_or(QString()),
        A::integerAttribute(element, A::menuItemCmdModifiersAttribute).value_or(-1)};
}

std::optional<AXElement> privateWindowItem(const AXElement& application)
{
    const auto bar = A::elementAttribute(application, A::menuBarAttribute);
    if (!bar)
        return std::nullopt;
    // After the Apple menu: the application menu, File and Edit.
    const QList<AXElement> barItems = children(*bar).mid(1, 3);
    std::optional<AXElement> best;
    int bestRank = 0;
    auto consider = [&](const AXElement& element) {
        const auto rank = matchRank(describe(element));
        if (rank && (!best || *rank < bestRank)) {
            best = element;
            bestRank = *rank;
        }
    };
    for (const AXElement& barItem : barItems) {
        for (const AXElement& menu : children(barItem)) {
            for (const AXElement& item : children(menu)) {
                consider(item);
                for (const AXElement& submenu : children(item)) {
                    for (const AXElement& subitem : children(submenu))
                        consider(subitem);
                }
            }
        }
    }
    return best;
}

QList<AXElement> windows(const QString& bundleID)
{
    const auto application = app(bundleID);
    if (!application)
        return {};
    return A::elementsAttribute(*application, A::windowsAttribute).value_or(QList<AXElement>());
}

QCoro::Task<bool> openPrivateWindow(QString bundleID, std::chrono::milliseconds timeout, AutomationTiming timing)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (A::isProcessTrusted()) {
            if (const auto application = app(bundleID)) {
                if (const auto item = privateWindowItem(*application)) {
                    if (A::performAction(*item, A::pressAction) == AXError::success)
                        co_return true;
                }
            }
        }
        if (Clock::now() >= deadline)
            co_return false;
        co_await QCoro::sleepFor(timing.menuPressPoll);
    }
}

QCoro::Task<std::optional<AXElement>> newWindow(
    QString bundleID, QList<AXElement> excluding, std::chrono::milliseconds timeout, AutomationTiming timing)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        for (const AXElement& window : windows(bundleID)) {
            if (excluding.contains(window))
                continue;
            if (A::stringAttribute(window, A::subroleAttribute) == QLatin1String(A::standardWindowSubrole))
                co_return window;
        }
        if (Clock::now() >= deadline)
            co_return std::nullopt;
        co_await QCoro::sleepFor(timing.newWindowPoll);
    }
}

QCoro::Task<bool> focus(AXElement window, QString bundleID, std::chrono::milliseconds timeout, AutomationTiming timing)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        // Each step may be refused; what counts is whether the window has the focus below, and the
        // loop tries again until the deadline.
        (void)A::setAttributeValue(window, A::minimizedAttribute, false);
        (void)A::setAttributeValue(window, A::mainAttribute, true);
        (void)A::performAction(window, A::raiseAction);
        if (const auto application = running(bundleID))
            Workspace::shared().activate(*application);
        co_await QCoro::sleepFor(timing.focusSettle);

        const auto application = app(bundleID);
        const auto focused = application ? A::elementAttribute(*application, A::focusedWindowAttribute) : std::nullopt;
        const auto front = Workspace::shared().frontmostApplication();
        if (focused == window && front && front->bundleIdentifier == bundleID)
            co_return true;
        if (Clock::now() >= deadline)
            co_return false;
    }
}

QCoro::Task<LoadResult> loadURL(QUrl url, AXElement window, QString bundleID, AutomationTiming timing)
{
    if (!running(bundleID))
        co_return LoadResult::failed;

    // The user may still hold the private-window modifier from choosing the petal; ⌘L would
    // arrive as ⇧⌘L.
    const auto modifiersDeadline = Clock::now() + timing.modifierReleaseDeadline;
    while (KeyEvents::flagsState(KeyEvents::hidSystemState) & heldModifierMask) {
        if (Clock::now() >= modifiersDeadline)
            co_return LoadResult::failed;
        co_await QCoro::sleepFor(timing.modifierReleasePoll);
    }

    if (!co_await focus(window, bundleID, timing.loadFocusTimeout, timing))
        co_return LoadResult::failed;

    postKey(KeyEvents::keyL, KeyEvents::maskCommand);
    co_await QCoro::sleepFor(timing.afterCommandL);

    const auto application = app(bundleID);
    const auto field = application ? A::elementAttribute(*application, A::focusedUIElementAttribute) : std::nullopt;
    switch (fieldKind(field)) {
    case FieldKind::address:
        break;
    case FieldKind::secure:
        co_return LoadResult::locked;
    case FieldKind::other:
        co_return LoadResult::failed;
    }

    const QString text = url.toString(QUrl::FullyEncoded);
    if (A::setAttributeValue(*field, A::valueAttribute, text) == AXError::success) {
        postKey(KeyEvents::keyReturn, 0);
    } else {
        type(text);
        co_await QCoro::sleepFor(timing.afterTyping);
        postKey(KeyEvents::keyReturn, 0);
    }
    co_return LoadResult::loaded;
}

void postKey(quint16 keyCode, quint64 flags)
{
    KeyEvents::post(KeyEvent{keyCode, true, flags, {}});
    KeyEvents::post(KeyEvent{keyCode, false, flags, {}});
}

void type(const QString& text)
{
    for (qsizetype at = 0; at < text.size(); at += typedChunkUnits) {
        const QString chunk = text.mid(at, typedChunkUnits);
        KeyEvents::post(KeyEvent{KeyEvents::keyA, true, 0, chunk});
        KeyEvents::post(KeyEvent{KeyEvents::keyA, false, 0, chunk});
    }
}

} // namespace tavro::PrivateWindowAX
