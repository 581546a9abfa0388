#include "Tavro/Platform/AccessibilityNotifications.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <optional>

namespace tavro {

namespace {

// An element as AT-SPI names it in an event: the sender's bus name and the element's path.
struct ElementReference
{
    QString service;
    QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& argument, const ElementReference& reference)
{
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ElementReference& reference)
{
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

} // namespace

} // namespace tavro

Q_DECLARE_METATYPE(tavro::ElementReference)

namespace tavro {

namespace {

// What Qt's bridge calls its connection to the accessibility bus, and where it puts elements.
constexpr auto kBridgeConnection = "a11y";
constexpr auto kElementPathPrefix = "/org/a11y/atspi/accessible/";
constexpr auto kApplicationPath = "/org/a11y/atspi/accessible/root";
constexpr auto kObjectEvents = "org.a11y.atspi.Event.Object";
// AT-SPI's politeness of an announcement.
constexpr int kPolite = 1;
constexpr int kAssertive = 2;

std::optional<QDBusConnection> bridge()
{
    if (!QAccessible::isActive())
        return std::nullopt;
    QDBusConnection connection(QString::fromLatin1(kBridgeConnection));
    if (!connection.isConnected())
        return std::nullopt;
    return connection;
}

// One event of AT-SPI's object events, in the form every client reads: its kind, two numbers,
// its data and the application it comes from.
void send(QDBusConnection& connection, const QString& path, const QString& event, const QString& kind, int detail,
    const QVariant& data)
{
    static const bool registered = [] {
        qDBusRegisterMetaType<ElementReference>();
        return true;
    }();
    Q_UNUSED(registered);
    QDBusMessage message = QDBusMessage::createSignal(path, QString::fromLatin1(kObjectEvents), event);
    const ElementReference application{
        connection.baseService(), QDBusObjectPath(QString::fromLatin1(kApplicationPath))};
    message.setArguments({kind, detail, 0, QVariant::fromValue(QDBusVariant(data)), QVariant::fromValue(application)});
    connection.send(message);
}

} // namespace

void AccessibilityNotifications::stateChanged(QAccessibleInterface* element, State state, bool on)
{
    auto connection = bridge();
    if (!connection || !element)
        return;
    const QString path = QString::fromLatin1(kElementPathPrefix) + QString::number(QAccessible::uniqueId(element));
    const auto changed = [&](const char* name, bool value) {
        send(*connection, path, QStringLiteral("StateChanged"), QString::fromLatin1(name), value ? 1 : 0, 0);
    };
    switch (state) {
    case State::expanded:
        changed("expanded", on);
        changed("collapsed", !on);
        break;
    case State::selected:
        changed("selected", on);
        break;
    }
}

void AccessibilityNotifications::announce(const QString& text, bool interrupt)
{
    auto connection = bridge();
    if (!connection || text.isEmpty())
        return;
    send(*connection, QString::fromLatin1(kApplicationPath), QStringLiteral("Announcement"), QString(),
        interrupt ? kAssertive : kPolite, text);
}

} // namespace tavro
