#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/Workspace.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

namespace tavro {

namespace detail {

struct AXNode
{
    qint64 pid = 0;
    bool valid = true;
    bool systemWide = false;
    QHash<QString, AXValue> attributes;
    QSet<QString> settable;
    QHash<QString, std::function<AXError()>> actions;
    std::function<void(const QString&, const AXValue&)> writeObserver;
};

} // namespace detail

struct AXAccess
{
    static const std::shared_ptr<detail::AXNode>& node(const AXElement& element) { return element.m_node; }
    static AXElement make(std::shared_ptr<detail::AXNode> node) { return AXElement(std::move(node)); }
};

namespace {

struct Tree
{
    QMutex mutex;
    bool trusted = false;
    int trustQueries = 0;
    int promptRequests = 0;
    int systemWideReads = 0;
    QHash<qint64, AXElement> applications;
    QHash<qint64, std::function<void(const KeyEvent&)>> keyHandlers;
    std::shared_ptr<detail::AXNode> systemWide;
};

Tree& tree()
{
    static Tree t;
    return t;
}

detail::AXNode* nodeOf(const AXElement& element)
{
    return AXAccess::node(element).get();
}

// The in-process element trees that tests build.
class SimulatedAccessibility final : public Accessibility::Backend
{
public:
    bool isProcessTrustedWithOptions(bool prompt) override
    {
        Tree& t = tree();
        QMutexLocker lock(&t.mutex);
        ++t.trustQueries;
        if (prompt)
            ++t.promptRequests;
        return t.trusted;
    }

    AXElement createApplication(qint64 processIdentifier) override
    {
        Tree& t = tree();
        QMutexLocker lock(&t.mutex);
        if (auto it = t.applications.constFind(processIdentifier); it != t.applications.constEnd())
            return *it;
        // A process without an element tree still gets an element; it answers nothing.
        auto node = std::make_shared<detail::AXNode>();
        node->pid = processIdentifier;
        node->valid = false;
        return AXAccess::make(std::move(node));
    }

    AXElement createSystemWide() override
    {
        Tree& t = tree();
        QMutexLocker lock(&t.mutex);
        if (!t.systemWide) {
            t.systemWide = std::make_shared<detail::AXNode>();
            t.systemWide->systemWide = true;
        }
        return AXAccess::make(t.systemWide);
    }

    std::expected<AXValue, AXError> copyAttributeValue(const AXElement& element, const QString& attribute) override
    {
        detail::AXNode* node = nodeOf(element);
        if (!node)
            return std::unexpected(AXError::illegalArgument);
        if (node->systemWide) {
            {
                Tree& t = tree();
                QMutexLocker lock(&t.mutex);
                ++t.systemWideReads;
                if (!t.trusted)
                    return std::unexpected(AXError::apiDisabled);
            }
            if (attribute != QLatin1String(Accessibility::focusedUIElementAttribute))
                return std::unexpected(AXError::attributeUnsupported);
            const auto front = Workspace::shared().frontmostApplication();
            if (!front)
                return std::unexpected(AXError::noValue);
            return copyAttributeValue(createApplication(front->processIdentifier), attribute);
        }
        Tree& t = tree();
        QMutexLocker lock(&t.mutex);
        if (!t.trusted)
            return std::unexpected(AXError::apiDisabled);
        if (!node->valid)
            return std::unexpected(AXError::invalidUIElement);
        auto it = node->attributes.constFind(attribute);
        if (it == node->attributes.constEnd())
            return std::unexpected(AXError::attributeUnsupported);
        return *it;
    }

    AXError setAttributeValue(const AXElement& element, const QString& attribute, const AXValue& value) override
    {
        detail::AXNode* node = nodeOf(element);
        if (!node || node->systemWide)
            return AXError::illegalArgument;
        std::function<void(const QString&, const AXValue&)> observer;
        {
            Tree& t = tree();
            QMutexLocker lock(&t.mutex);
            if (!t.trusted)
                return AXError::apiDisabled;
            if (!node->valid)
                return AXError::invalidUIElement;
            if (!node->settable.contains(attribute))
                return node->attributes.contains(attribute) ? AXError::cannotComplete : AXError::attributeUnsupported;
            node->attributes.insert(attribute, value);
            observer = node->writeObserver;
        }
        if (observer)
            observer(attribute, value);
        return AXError::success;
    }

    AXError performAction(const AXElement& element, const QString& action) override
    {
        detail::AXNode* node = nodeOf(element);
        if (!node || node->systemWide)
            return AXError::illegalArgument;
        std::function<AXError()> handler;
        {
            Tree& t = tree();
            QMutexLocker lock(&t.mutex);
            if (!t.trusted)
                return AXError::apiDisabled;
            if (!node->valid)
                return AXError::invalidUIElement;
            handler = node->actions.value(action);
        }
        if (!handler)
            return AXError::actionUnsupported;
        return handler();
    }
};

} // namespace

void AccessibilityHost::install()
{
    static SimulatedAccessibility simulation;
    Accessibility::setBackend(&simulation);
}

AXWeakElement::AXWeakElement(const AXElement& element) : m_node(AXAccess::node(element)) { }

AXElement AXWeakElement::lock() const
{
    return AXAccess::make(m_node.lock());
}

void AccessibilityHost::setTrusted(bool trusted)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    t.trusted = trusted;
}

int AccessibilityHost::trustQueries()
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    return t.trustQueries;
}

int AccessibilityHost::promptRequests()
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    return t.promptRequests;
}

int AccessibilityHost::systemWideReads()
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    return t.systemWideReads;
}

AXElement AccessibilityHost::createElement(qint64 processIdentifier, const QHash<QString, AXValue>& attributes)
{
    auto node = std::make_shared<detail::AXNode>();
    node->pid = processIdentifier;
    node->attributes = attributes;
    return AXAccess::make(std::move(node));
}

void AccessibilityHost::setApplicationElement(qint64 processIdentifier, const AXElement& element)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    t.applications.insert(processIdentifier, element);
}

void AccessibilityHost::removeApplication(qint64 processIdentifier)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    if (auto it = t.applications.find(processIdentifier); it != t.applications.end()) {
        if (auto* node = nodeOf(*it))
            node->valid = false;
        t.applications.erase(it);
    }
    t.keyHandlers.remove(processIdentifier);
}

void AccessibilityHost::setAttribute(const AXElement& element, const QString& attribute, const AXValue& value)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    if (auto* node = nodeOf(element))
        node->attributes.insert(attribute, value);
}

void AccessibilityHost::removeAttribute(const AXElement& element, const QString& attribute)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    if (auto* node = nodeOf(element))
        node->attributes.remove(attribute);
}

std::optional<AXValue> AccessibilityHost::attribute(const AXElement& element, const QString& attribute)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    auto* node = nodeOf(element);
    if (!node)
        return std::nullopt;
    auto it = node->attributes.constFind(attribute);
    if (it == node->attributes.constEnd())
        return std::nullopt;
    return *it;
}

void AccessibilityHost::appendChild(const AXElement& parent, const AXElement& child)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    auto* node = nodeOf(parent);
    if (!node)
        return;
    const QString key = QString::fromLatin1(Accessibility::childrenAttribute);
    QList<AXElement> children;
    if (auto it = node->attributes.constFind(key);
        it != node->attributes.constEnd() && std::holds_alternative<QList<AXElement>>(*it))
        children = std::get<QList<AXElement>>(*it);
    children.append(child);
    node->attributes.insert(key, children);
}

void AccessibilityHost::setSettable(const AXElement& element, const QString& attribute, bool settable)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    auto* node = nodeOf(element);
    if (!node)
        return;
    if (settable)
        node->settable.insert(attribute);
    else
        node->settable.remove(attribute);
}

void AccessibilityHost::setWriteObserver(
    const AXElement& element, std::function<void(const QString&, const AXValue&)> observer)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    if (auto* node = nodeOf(element))
        node->writeObserver = std::move(observer);
}

void AccessibilityHost::setAction(const AXElement& element, const QString& action, std::function<AXError()> handler)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    if (auto* node = nodeOf(element))
        node->actions.insert(action, std::move(handler));
}

void AccessibilityHost::invalidate(const AXElement& element)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    if (auto* node = nodeOf(element))
        node->valid = false;
}

bool AccessibilityHost::isValid(const AXElement& element)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    auto* node = nodeOf(element);
    return node && node->valid;
}

qint64 AccessibilityHost::processIdentifier(const AXElement& element)
{
    auto* node = nodeOf(element);
    return node ? node->pid : 0;
}

void AccessibilityHost::setKeyHandler(qint64 processIdentifier, std::function<void(const KeyEvent&)> handler)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    if (handler)
        t.keyHandlers.insert(processIdentifier, std::move(handler));
    else
        t.keyHandlers.remove(processIdentifier);
}

std::function<void(const KeyEvent&)> AccessibilityHost::keyHandler(qint64 processIdentifier)
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    return t.keyHandlers.value(processIdentifier);
}

void AccessibilityHost::reset()
{
    Tree& t = tree();
    QMutexLocker lock(&t.mutex);
    t.trusted = false;
    t.trustQueries = 0;
    t.promptRequests = 0;
    t.systemWideReads = 0;
    for (const AXElement& app : std::as_const(t.applications)) {
        if (auto* node = nodeOf(app))
            node->valid = false;
    }
    t.applications.clear();
    t.keyHandlers.clear();
}

} // namespace tavro
