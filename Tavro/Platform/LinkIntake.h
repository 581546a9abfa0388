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
#include <memory>

namespace tavro {

class SerialQueue;

enum class LinkIntakeError {
    noRunningInstance,  // nobody listens on the socket
    unanswered,         // a process holds the socket but did not take the links in time
    socketUnavailable,  // the socket could not be created or bound
    heldByAnotherTavro, // another Tavro of this home holds the socket, or is about to listen on it
    foreignListener,    // the process listening on the socket belongs to another user
};

QString description(LinkIntakeError error);
// The line a program prints when `error` keeps it from handing over its links.
QString failureMessage(LinkIntakeError error);

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

    // The links named on a command line (the program path excluded): every argument that is
    // neither an option nor the value of one of Qt's own options (`-session <id>` from a session
    // manager, `-platform`, `-style`, `-display`, ...). An argument that begins with a URL scheme
    // is that URL, read tolerantly (a `|`, a space or a stray `%` is percent-encoded, as a browser
    // does); anything else is a file path, made absolute against `workingDirectory` so that it
    // still means the same file to the process that receives it.
    static QList<QUrl> linksFromArguments(const QStringList& arguments, const QString& workingDirectory);

    // Hands `links` (possibly none) to the Tavro listening on `socketPath`. Needs no Qt event
    // loop, so a forwarding process can do it before it builds an application object.
    // A listener of another user is refused before anything is sent.
    static std::expected<void, LinkIntakeError> forward(const QList<QUrl>& links,
        const QString& socketPath = defaultSocketPath(), std::chrono::milliseconds timeout = kForwardTimeout);

    explicit LinkIntake(const QString& socketPath = defaultSocketPath(), QObject* parent = nullptr);
    ~LinkIntake() override;

    QString socketPath() const { return m_socketPath; }

    // Starts taking links. A lock file beside the socket, held until this object goes, makes
    // this process the home's only listener: while another Tavro holds it this fails with
    // `heldByAnotherTavro`. A socket file left behind by a Tavro that died is replaced.
    std::expected<void, LinkIntakeError> listen();
    bool isListening() const { return m_queue != nullptr; }

Q_SIGNALS:
    // The links of one request, in the order they were given (an empty list when a plain
    // `tavro` was started while Tavro runs). The sender was told they were taken before this
    // is emitted: however long the receiver takes, no request is reported as refused.
    void linksReceived(const QList<QUrl>& links);

private:
    QString m_socketPath;
    int m_lockFile = -1;
    // Requests are read and acknowledged on a thread of their own, so that a busy GUI thread
    // (a modal alert, a slow first write of the settings) never makes a sender give up.
    std::unique_ptr<SerialQueue> m_queue;
};

} // namespace tavro
