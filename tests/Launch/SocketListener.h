#pragma once
// A Unix-domain stream listener on a thread of its own that plays the running browser's side of
// the singleton socket: it accepts one connection, reads the message to its end, then answers
// as told.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace tavro::test {

class SocketListener
{
public:
    enum class Answer {
        ack,                // "ACK", then close
        shutdown,           // "SHUTDOWN", then close
        close,              // close without a word
        silent,             // keep the connection open and say nothing
        trickle,            // "SHUTDOWN" one byte every 150 ms
        closeBeforeReading, // close at once, unread: the peer's write fails
    };

    SocketListener(const QString& path, Answer answer) : m_path(path.toUtf8()), m_answer(answer)
    {
        ::unlink(m_path.constData());
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, m_path.constData(), size_t(m_path.size()));
        m_listening
            = ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 && ::listen(m_fd, 4) == 0;
        if (m_listening)
            m_thread = std::thread([this] { serve(); });
    }

    ~SocketListener()
    {
        m_stop = true;
        ::shutdown(m_fd, SHUT_RDWR);
        ::close(m_fd);
        if (m_thread.joinable())
            m_thread.join();
        ::unlink(m_path.constData());
    }

    SocketListener(const SocketListener&) = delete;
    SocketListener& operator=(const SocketListener&) = delete;

    bool isListening() const { return m_listening; }
    int connections() const { return m_connections; }
    // The bytes of the first connection's message, once it has been read to its end.
    QByteArray received() const
    {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

private:
    void serve()
    {
        const int client = ::accept(m_fd, nullptr, nullptr);
        if (client < 0)
            return;
        ++m_connections;
        if (m_answer == Answer::closeBeforeReading) {
            // Unread data makes the close a reset.
            linger option{1, 0};
            ::setsockopt(client, SOL_SOCKET, SO_LINGER, &option, sizeof(option));
            ::close(client);
            return;
        }
        QByteArray bytes;
        char buffer[4096];
        ssize_t count = 0;
        while ((count = ::read(client, buffer, sizeof(buffer))) > 0)
            bytes.append(buffer, count);
        {
            std::lock_guard lock(m_mutex);
            m_received = bytes;
        }
        // A client that has stopped listening gets no answer; it must not end the test process with
        // SIGPIPE, as it does not end a browser.
        if (m_answer == Answer::ack)
            (void)::send(client, "ACK", 3, MSG_NOSIGNAL);
        else if (m_answer == Answer::shutdown)
            (void)::send(client, "SHUTDOWN", 8, MSG_NOSIGNAL);
        else if (m_answer == Answer::trickle) {
            for (char byte : std::string_view("SHUTDOWN")) {
                if (m_stop || ::send(client, &byte, 1, MSG_NOSIGNAL) != 1)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
            }
        } else if (m_answer == Answer::silent) {
            // Keep the connection open without a word until the listener goes away.
            while (!m_stop)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::close(client);
    }

    QByteArray m_path;
    Answer m_answer;
    int m_fd = -1;
    bool m_listening = false;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_connections = 0;
    mutable std::mutex m_mutex;
    QByteArray m_received;
    std::thread m_thread;
};

} // namespace tavro::test
