#pragma once
// Stands for the system handing URLs to the running application: `tavro URL…` starts Tavro with
// those links, and a second `tavro URL…` hands its links to the running Tavro over a local
// socket in the user's runtime folder and ends.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <expected>

class QLocalServer;
class QLocalSocket;

namespace tavro {

enum class LinkIntakeError {
    noRunningInstance, // nobody listens on the socket
    unanswered,        // a process holds the socket but did not take the links in time
    socketUnavailable, // the socket could not be created or bound
};

QString description(LinkIntakeError error);

class LinkIntake : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kForwardTimeout{3000};
    static constexpr std::chrono::milliseconds kRequestTimeout{5000};
    // A request larger than this is refused: links are short, and a peer that keeps writing
    // must not grow our memory.
    static constexpr qsizetype kMaximumRequestBytes = 1024 * 1024;

    // The socket of this user and this home folder. Keyed by the home folder because the home
    // holds all of Tavro's state: two homes are two separate Tavros.
    static QString defaultSocketPath();

    // The links named on a command line (the program path excluded): every argument that is not
    // an option. An argument with a URL scheme is taken as that URL; anything else is a file path,
    // made absolute against `workingDirectory` so that it still means the same file to the
    // process that receives it.
    static QList<QUrl> linksFromArguments(const QStringList& arguments, const QString& workingDirectory);

    // Hands `links` (possibly none) to the Tavro listening on `socketPath`. Needs no Qt event
    // loop, so a forwarding process can do it before it builds an application object.
    static std::expected<void, LinkIntakeError> forward(const QList<QUrl>& links,
        const QString& socketPath = defaultSocketPath(), std::chrono::milliseconds timeout = kForwardTimeout);

    explicit LinkIntake(const QString& socketPath = defaultSocketPath(), QObject* parent = nullptr);
    ~LinkIntake() override;

    QString socketPath() const { return m_socketPath; }

    // Starts taking links. A socket file left behind by a Tavro that died is replaced; a live
    // Tavro on the socket makes this fail with `socketUnavailable`.
    std::expected<void, LinkIntakeError> listen();
    bool isListening() const;

Q_SIGNALS:
    // The links of one request, in the order they were given (an empty list when a plain
    // `tavro` was started while Tavro runs).
    void linksReceived(const QList<QUrl>& links);

private:
    void acceptConnection();
    void readRequest(QLocalSocket* socket);

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
};

} // namespace tavro
