#pragma once
// Stands for the system handing URLs to the running application: `tavro URL…` starts Tavro with
// those links, and a second `tavro URL…` hands its links to the running Tavro over a local
// socket in the user's runtime folder and ends. This is the listening half; the sending half is
// `LinkForwarding`.

#include "Tavro/Platform/FileDescriptor.h"
#include "Tavro/Platform/LinkForwarding.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <expected>
#include <memory>

namespace tavro {

class SerialQueue;

class LinkIntake : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRequestTimeout{5000};
    // A request larger than this is refused: links are short, and a peer that keeps writing
    // must not grow our memory.
    static constexpr qsizetype kMaximumRequestBytes = 1024 * 1024;
    // Senders served at a time; the others wait in the socket's queue for their turn. Never more
    // than one for every `kOpenFilesPerRequest` files the process may open: the rest of Tavro
    // keeps its own.
    static constexpr int kMaximumOpenRequests = 64;
    static constexpr int kOpenFilesPerRequest = 4;

    explicit LinkIntake(const QString& socketPath = LinkForwarding::defaultSocketPath(), QObject* parent = nullptr);
    ~LinkIntake() override;

    QString socketPath() const { return m_socketPath; }

    // Starts taking links. A lock file beside the socket, held until this object goes, makes
    // this process the home's only listener: while another Tavro holds it this fails with
    // `heldByAnotherTavro`. A socket file left behind by a Tavro that died is replaced.
    [[nodiscard]] std::expected<void, LinkIntakeError> listen();
    bool isListening() const { return m_queue != nullptr; }

Q_SIGNALS:
    // The requests taken since the last time, oldest first: each one's links in the order they
    // were given (an empty list when a plain `tavro` was started while Tavro runs). The senders
    // were told their links were taken before this is emitted: however long the receiver takes,
    // no request is reported as refused.
    void requestsReceived(const QList<QList<QUrl>>& requests);

private:
    // On the intake's thread: a request taken.
    void arrived(const QList<QUrl>& links);
    // On this object's thread: hands on every request taken meanwhile.
    void deliverArrived();

    QString m_socketPath;
    FileDescriptor m_lockFile{-1};
    QMutex m_arrivedLock;
    QList<QList<QUrl>> m_arrived;
    // Requests are read and acknowledged on a thread of their own, so that a busy GUI thread
    // (a modal alert, a slow first write of the settings) never makes a sender give up.
    std::unique_ptr<SerialQueue> m_queue;
};

} // namespace tavro
