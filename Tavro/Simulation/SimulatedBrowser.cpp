#include "Tavro/Simulation/SimulatedBrowser.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace tavro {

namespace A = Accessibility;

struct SimulatedBrowser::State : std::enable_shared_from_this<SimulatedBrowser::State>
{
    struct Window
    {
        AXElement element;
        AXElement field;
        AXElement secureField;
        AXElement closeButton;
        bool isPrivate = false;
    };

    mutable QMutex mutex;
    QString bundleIdentifier;
    qint64 pid = 0;
    bool running = true;
    AXElement app;
    QList<Window> windows;
    QHash<QString, int> presses;
    QList<QUrl> handed;
    AXElement focusedElement;
    bool selectAll = false;
    bool locked = false;
    bool refusesValue = false;
    bool raiseIgnored = false;

    const Window* find(const AXElement& element) const
    {
        for (const Window& w : windows) {
            if (w.element == element)
                return &w;
        }
        return nullptr;
    }

    AXElement focusedWindow() const
    {
        auto value = AccessibilityHost::attribute(app, A::focusedWindowAttribute);
        if (value && std::holds_alternative<AXElement>(*value))
            return std::get<AXElement>(*value);
        return {};
    }

    void publishWindows()
    {
        QList<AXElement> list;
        for (const Window& w : windows)
            list.append(w.element);
        AccessibilityHost::setAttribute(app, A::windowsAttribute, list);
    }

    void setFocusedElement(const AXElement& element)
    {
        focusedElement = element;
        if (element.isNull())
            AccessibilityHost::removeAttribute(app, A::focusedUIElementAttribute);
        else
            AccessibilityHost::setAttribute(app, A::focusedUIElementAttribute, element);
    }

    void focus(const AXElement& window)
    {
        if (window.isNull()) {
            AccessibilityHost::removeAttribute(app, A::focusedWindowAttribute);
        } else {
            AccessibilityHost::setAttribute(app, A::focusedWindowAttribute, window);
            // The focused window moves to the front of the window list, as on a Mac.
            for (qsizetype i = 0; i < windows.size(); ++i) {
                if (windows[i].element == window) {
                    windows.move(i, 0);
                    break;
                }
            }
            publishWindows();
        }
        // A window that comes to the front shows its page; the page has the focus.
        setFocusedElement(window);
        selectAll = false;
    }

    void close(const AXElement& window)
    {
        const bool wasFocused = focusedWindow() == window;
        windows.removeIf([&](const Window& w) { return w.element == window; });
        AccessibilityHost::invalidate(window);
        publishWindows();
        if (wasFocused)
            focus(windows.isEmpty() ? AXElement() : windows.first().element);
    }

    void onKey(const KeyEvent& event)
    {
        if (!event.keyDown)
            return;
        QMutexLocker lock(&mutex);
        const AXElement front = focusedWindow();
        const Window* window = find(front);
        if (event.keyCode == KeyEvents::keyL && (event.flags & KeyEvents::maskCommand)) {
            if (!window)
                return;
            setFocusedElement(window->isPrivate && locked ? window->secureField : window->field);
            selectAll = true;
            return;
        }
        if (!window)
            return;
        if (event.keyCode == KeyEvents::keyReturn && focusedElement == window->field) {
            auto value = AccessibilityHost::attribute(window->field, A::valueAttribute);
            const QString text
                = value && std::holds_alternative<QString>(*value) ? std::get<QString>(*value) : QString();
            AccessibilityHost::setAttribute(window->element, A::documentAttribute, text);
            setFocusedElement(window->element);
            return;
        }
        if (!event.text.isEmpty() && focusedElement == window->field) {
            auto value = AccessibilityHost::attribute(window->field, A::valueAttribute);
            QString text = value && std::holds_alternative<QString>(*value) && !selectAll ? std::get<QString>(*value)
                                                                                          : QString();
            selectAll = false;
            AccessibilityHost::setAttribute(window->field, A::valueAttribute, text + event.text);
        }
    }

    void onUrls(const QList<QUrl>& urls)
    {
        QMutexLocker lock(&mutex);
        handed += urls;
        if (urls.isEmpty())
            return;
        const AXElement front = focusedWindow();
        if (find(front)) {
            AccessibilityHost::setAttribute(front, A::documentAttribute, urls.last().toString(QUrl::FullyEncoded));
            return;
        }
        lock.unlock();
        WindowOptions options;
        options.document = urls.last().toString(QUrl::FullyEncoded);
        openWindow(options);
    }

    AXElement openWindow(const WindowOptions& options)
    {
        QMutexLocker lock(&mutex);
        Window w;
        w.isPrivate = options.isPrivate;
        w.element = AccessibilityHost::createElement(pid,
            {{A::roleAttribute, QStringLiteral("AXWindow")}, {A::subroleAttribute, options.subrole},
                {A::titleAttribute, options.title}, {A::minimizedAttribute, false}, {A::mainAttribute, false}});
        if (!options.document.isEmpty())
            AccessibilityHost::setAttribute(w.element, A::documentAttribute, options.document);
        w.field = AccessibilityHost::createElement(
            pid, {{A::roleAttribute, QStringLiteral("AXTextField")}, {A::valueAttribute, options.document}});
        if (!refusesValue)
            AccessibilityHost::setSettable(w.field, A::valueAttribute);
        w.secureField = AccessibilityHost::createElement(pid,
            {{A::roleAttribute, QStringLiteral("AXTextField")},
                {A::subroleAttribute, QString::fromLatin1(A::secureTextFieldSubrole)}});
        w.closeButton = AccessibilityHost::createElement(pid, {{A::roleAttribute, QStringLiteral("AXButton")}});
        AccessibilityHost::setAttribute(w.element, A::closeButtonAttribute, w.closeButton);
        AccessibilityHost::appendChild(w.element, w.field);
        AccessibilityHost::setSettable(w.element, A::minimizedAttribute);
        AccessibilityHost::setSettable(w.element, A::mainAttribute);

        std::weak_ptr<State> weak = weak_from_this();
        // The window's own actions must not keep the window alive.
        const AXWeakElement element(w.element);
        AccessibilityHost::setAction(w.closeButton, A::pressAction, [weak, element] {
            if (auto self = weak.lock()) {
                QMutexLocker lock(&self->mutex);
                self->close(element.lock());
            }
            return AXError::success;
        });
        AccessibilityHost::setAction(w.element, A::raiseAction, [weak, element] {
            if (auto self = weak.lock()) {
                QMutexLocker lock(&self->mutex);
                if (!self->raiseIgnored)
                    self->focus(element.lock());
            }
            return AXError::success;
        });
        AccessibilityHost::setWriteObserver(w.element, [weak, element](const QString& attribute, const AXValue& value) {
            auto self = weak.lock();
            if (!self || attribute != A::mainAttribute || !std::holds_alternative<bool>(value)
                || !std::get<bool>(value))
                return;
            QMutexLocker lock(&self->mutex);
            if (!self->raiseIgnored)
                self->focus(element.lock());
        });
        windows.prepend(w);
        focus(w.element);
        return w.element;
    }

    AXElement buildItem(const MenuItem& item)
    {
        QHash<QString, AXValue> attributes{
            {A::titleAttribute, item.title}, {A::roleAttribute, QStringLiteral("AXMenuItem")}};
        if (!item.identifier.isEmpty())
            attributes.insert(A::identifierAttribute, item.identifier);
        if (!item.commandChar.isEmpty())
            attributes.insert(A::menuItemCmdCharAttribute, item.commandChar);
        if (item.commandModifiers)
            attributes.insert(A::menuItemCmdModifiersAttribute, *item.commandModifiers);
        const AXElement element = AccessibilityHost::createElement(pid, attributes);
        const QString name = item.identifier.isEmpty() ? item.title : item.identifier;
        std::weak_ptr<State> weak = weak_from_this();
        const auto onPress = item.onPress;
        const bool fails = item.pressFails;
        const QString title = item.title;
        AccessibilityHost::setAction(element, A::pressAction, [weak, name, title, onPress, fails] {
            auto self = weak.lock();
            if (!self)
                return AXError::invalidUIElement;
            {
                QMutexLocker lock(&self->mutex);
                ++self->presses[name];
                if (title != name)
                    ++self->presses[title];
            }
            if (fails)
                return AXError::cannotComplete;
            if (onPress)
                onPress();
            return AXError::success;
        });
        if (!item.submenu.isEmpty()) {
            const AXElement submenu
                = AccessibilityHost::createElement(pid, {{A::roleAttribute, QStringLiteral("AXMenu")}});
            for (const MenuItem& child : item.submenu)
                AccessibilityHost::appendChild(submenu, buildItem(child));
            AccessibilityHost::appendChild(element, submenu);
        }
        return element;
    }
};

SimulatedBrowser::MenuItem SimulatedBrowser::item(
    const QString& identifier, const QString& title, std::function<void()> onPress)
{
    return item(identifier, title, {}, std::nullopt, std::move(onPress));
}

SimulatedBrowser::MenuItem SimulatedBrowser::item(const QString& identifier, const QString& title,
    const QString& commandChar, std::optional<qint64> commandModifiers, std::function<void()> onPress)
{
    MenuItem result;
    result.identifier = identifier;
    result.title = title;
    result.commandChar = commandChar;
    result.commandModifiers = commandModifiers;
    result.onPress = std::move(onPress);
    return result;
}

SimulatedBrowser::SimulatedBrowser(const QString& bundleIdentifier, const QString& bundlePath)
    : m_state(std::make_shared<State>())
{
    m_state->bundleIdentifier = bundleIdentifier;
    m_state->pid = WorkspaceHost::addRunningApplication(bundleIdentifier, bundlePath);
    m_state->app = AccessibilityHost::createElement(
        m_state->pid, {{A::roleAttribute, QStringLiteral("AXApplication")}, {A::windowsAttribute, QList<AXElement>()}});
    AccessibilityHost::setApplicationElement(m_state->pid, m_state->app);
    std::weak_ptr<State> weak = m_state;
    AccessibilityHost::setKeyHandler(m_state->pid, [weak](const KeyEvent& event) {
        if (auto self = weak.lock())
            self->onKey(event);
    });
    WorkspaceHost::setUrlHandler(m_state->pid, [weak](const QList<QUrl>& urls) {
        if (auto self = weak.lock())
            self->onUrls(urls);
    });
    setMenus({});
}

SimulatedBrowser::~SimulatedBrowser()
{
    quit();
}

qint64 SimulatedBrowser::processIdentifier() const
{
    return m_state->pid;
}

AXElement SimulatedBrowser::application() const
{
    return m_state->app;
}

bool SimulatedBrowser::isRunning() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->running;
}

void SimulatedBrowser::quit()
{
    {
        QMutexLocker lock(&m_state->mutex);
        if (!m_state->running)
            return;
        m_state->running = false;
        for (const State::Window& w : std::as_const(m_state->windows))
            AccessibilityHost::invalidate(w.element);
    }
    AccessibilityHost::removeApplication(m_state->pid);
    WorkspaceHost::removeRunningApplication(m_state->pid);
}

void SimulatedBrowser::setMenus(const QList<Menu>& menus)
{
    QMutexLocker lock(&m_state->mutex);
    const qint64 pid = m_state->pid;
    const AXElement bar = AccessibilityHost::createElement(pid, {{A::roleAttribute, QStringLiteral("AXMenuBar")}});
    QList<Menu> all{Menu{QStringLiteral("Apple"), {item({}, QStringLiteral("About This Mac"))}}};
    all += menus;
    for (const Menu& menu : all) {
        const AXElement barItem = AccessibilityHost::createElement(
            pid, {{A::titleAttribute, menu.title}, {A::roleAttribute, QStringLiteral("AXMenuBarItem")}});
        const AXElement menuElement
            = AccessibilityHost::createElement(pid, {{A::roleAttribute, QStringLiteral("AXMenu")}});
        for (const MenuItem& item : menu.items)
            AccessibilityHost::appendChild(menuElement, m_state->buildItem(item));
        AccessibilityHost::appendChild(barItem, menuElement);
        AccessibilityHost::appendChild(bar, barItem);
    }
    AccessibilityHost::setAttribute(m_state->app, A::menuBarAttribute, bar);
}

int SimulatedBrowser::pressCount(const QString& identifierOrTitle) const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->presses.value(identifierOrTitle);
}

void SimulatedBrowser::removeMenuBar()
{
    AccessibilityHost::removeAttribute(m_state->app, A::menuBarAttribute);
}

AXElement SimulatedBrowser::openWindow(const WindowOptions& options)
{
    return m_state->openWindow(options);
}

AXElement SimulatedBrowser::openWindow()
{
    return m_state->openWindow(WindowOptions());
}

void SimulatedBrowser::closeWindow(const AXElement& window)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->close(window);
}

QList<AXElement> SimulatedBrowser::windows() const
{
    QMutexLocker lock(&m_state->mutex);
    QList<AXElement> list;
    for (const State::Window& w : std::as_const(m_state->windows))
        list.append(w.element);
    return list;
}

AXElement SimulatedBrowser::focusedWindow() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->focusedWindow();
}

void SimulatedBrowser::focusWindow(const AXElement& window)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->focus(window);
}

QString SimulatedBrowser::document(const AXElement& window) const
{
    auto value = AccessibilityHost::attribute(window, A::documentAttribute);
    return value && std::holds_alternative<QString>(*value) ? std::get<QString>(*value) : QString();
}

AXElement SimulatedBrowser::addressField(const AXElement& window) const
{
    QMutexLocker lock(&m_state->mutex);
    const State::Window* w = m_state->find(window);
    return w ? w->field : AXElement();
}

QString SimulatedBrowser::addressText(const AXElement& window) const
{
    auto value = AccessibilityHost::attribute(addressField(window), A::valueAttribute);
    return value && std::holds_alternative<QString>(*value) ? std::get<QString>(*value) : QString();
}

bool SimulatedBrowser::isPrivate(const AXElement& window) const
{
    QMutexLocker lock(&m_state->mutex);
    const State::Window* w = m_state->find(window);
    return w && w->isPrivate;
}

bool SimulatedBrowser::isMinimized(const AXElement& window) const
{
    auto value = AccessibilityHost::attribute(window, A::minimizedAttribute);
    return value && std::holds_alternative<bool>(*value) && std::get<bool>(*value);
}

void SimulatedBrowser::setPrivateBrowsingLocked(bool locked)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->locked = locked;
}

void SimulatedBrowser::setAddressFieldRefusesValue(bool refuses)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->refusesValue = refuses;
    for (const State::Window& w : std::as_const(m_state->windows))
        AccessibilityHost::setSettable(w.field, A::valueAttribute, !refuses);
}

void SimulatedBrowser::setRaiseIgnored(bool ignored)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->raiseIgnored = ignored;
}

void SimulatedBrowser::setFocusedElementUnreadable(bool unreadable)
{
    QMutexLocker lock(&m_state->mutex);
    if (unreadable)
        AccessibilityHost::removeAttribute(m_state->app, A::focusedUIElementAttribute);
    else
        m_state->setFocusedElement(m_state->focusedElement);
}

QList<QUrl> SimulatedBrowser::handedUrls() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->handed;
}

} // namespace tavro
