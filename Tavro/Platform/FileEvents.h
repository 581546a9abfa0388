#pragma once
// Stands for a file-system event stream: the paths below a set of folders that changed, delivered
// in batches on a serial queue of the stream's own.

#include <QObject>
#include <QStringList>

#include <chrono>
#include <memory>

namespace tavro {

class SerialQueue;

class FileEvents : public QObject
{
    Q_OBJECT
public:
    // The first change after a quiet spell is delivered at once; changes within this long of a
    // delivery gather into one batch at its end.
    static constexpr std::chrono::milliseconds defaultLatency{500};
    // Folders this many levels below a watched folder are watched too; deeper ones are not.
    static constexpr int defaultDepth = 1;

    FileEvents(const QStringList& folders, const QString& queueLabel,
        std::chrono::milliseconds latency = defaultLatency, int depth = defaultDepth, QObject* parent = nullptr);
    ~FileEvents() override;

    // Starts watching the folders that exist now and returns once their watches are in place.
    // False, and nothing watched, when none of them exists. One of them that disappears later
    // is watched again once it is back.
    bool start();
    // Stops watching; no batch is delivered after it returns.
    void stop();
    bool isRunning() const;

    QStringList folders() const { return m_folders; }

Q_SIGNALS:
    // One batch of absolute paths: files and folders added, removed, renamed over or written.
    // Emitted on the stream's queue thread.
    void changed(const QStringList& paths);

private:
    struct Stream;

    QStringList m_folders;
    QString m_queueLabel;
    std::chrono::milliseconds m_latency;
    int m_depth;
    std::unique_ptr<SerialQueue> m_queue;
    std::shared_ptr<Stream> m_stream;
};

} // namespace tavro
