#pragma once
// Test and diagnostics control of the simulated Accessibility backend (in TavroSimulation, never in
// the shipped program): trust, and the element trees that model applications' menus, windows and
// fields. Every call is safe from any thread.

#include "Tavro/Platform/Accessibility.h"

#include <QHash>

#include <functional>

namespace tavro {

struct KeyEvent;

// A handle that does not keep its element alive: what an element's own actions and observers
// capture, so the tree holds no reference cycles.
class AXWeakElement
{
public:
    AXWeakElement() = default;
    explicit AXWeakElement(const AXElement& element);
    // The element, or a null element once nothing else holds it.
    AXElement lock() const;

private:
    std::weak_ptr<detail::AXNode> m_node;
};

class AccessibilityHost
{
public:
    // Routes Accessibility through the simulated element trees.
    static void install();

    static void setTrusted(bool trusted);
    // How often trust was asked for, and how often with the system prompt.
    static int trustQueries();
    static int promptRequests();
    // Reads of the system-wide element's attributes (what lists an application in the
    // Accessibility privacy settings).
    static int systemWideReads();

    // A new element of the application with this process identifier.
    static AXElement createElement(qint64 processIdentifier, const QHash<QString, AXValue>& attributes = {});
    // Makes `element` the application element that createApplication returns for its process.
    static void setApplicationElement(qint64 processIdentifier, const AXElement& element);
    static void removeApplication(qint64 processIdentifier);

    static void setAttribute(const AXElement& element, const QString& attribute, const AXValue& value);
    static void removeAttribute(const AXElement& element, const QString& attribute);
    // The stored value, read without the trust check; nullopt when absent.
    static std::optional<AXValue> attribute(const AXElement& element, const QString& attribute);
    static void appendChild(const AXElement& parent, const AXElement& child);

    // Writes of `attribute` through setAttributeValue are accepted (stored) when settable.
    static void setSettable(const AXElement& element, const QString& attribute, bool settable = true);
    // Called for every accepted write, after it was stored, outside the tree's lock.
    static void setWriteObserver(
        const AXElement& element, std::function<void(const QString&, const AXValue&)> observer);
    // The action runs outside the tree's lock and may change the tree.
    static void setAction(const AXElement& element, const QString& action, std::function<AXError()> handler);

    // The element is gone (a closed window): every later call on it fails.
    static void invalidate(const AXElement& element);
    static bool isValid(const AXElement& element);
    static qint64 processIdentifier(const AXElement& element);

    // Keystrokes that reach the application (see KeyEvents) are handed to this handler.
    static void setKeyHandler(qint64 processIdentifier, std::function<void(const KeyEvent&)> handler);
    static std::function<void(const KeyEvent&)> keyHandler(qint64 processIdentifier);

    // Untrusted, no applications, counters at zero.
    static void reset();
};

} // namespace tavro
