#include "Tavro/Shell/SupportPolicyChecker.h"
#include "Tavro/Shell/SupportPolicy.h"
#include "Tavro/Shell/SupportPolicyFetch.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <QCoro/QCoroTask>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

using FetchResult = SupportPolicyChecker::FetchResult;

// The checker with a fetch that answers `answer` and counts its calls.
class SupportPolicyCheckerTest : public ::testing::Test
{
protected:
    std::unique_ptr<SupportPolicyChecker> checker(const QString& running, SupportPolicyChecker::Timing timing = {})
    {
        auto made = std::make_unique<SupportPolicyChecker>(
            running,
            [this](const QUrl& url) -> QCoro::Task<FetchResult> {
                fetched.append(url);
                elapsedAtFetch.append(clock.elapsed());
                co_return answer;
            },
            timing);
        prompts = std::make_unique<QSignalSpy>(made.get(), &SupportPolicyChecker::updateRequired);
        return made;
    }
    static FetchResult policy(const QByteArray& minimum)
    {
        return SupportPolicyChecker::Body{R"({"minimumVersion": ")" + minimum + R"("})"};
    }

    FetchResult answer = policy("1.9.1");
    QList<QUrl> fetched;
    QList<qint64> elapsedAtFetch;
    QElapsedTimer clock;
    std::unique_ptr<QSignalSpy> prompts;
};

TEST_F(SupportPolicyCheckerTest, AnOlderRunningVersionAsksOncePerRunAndFetchesNoMore)
{
    auto older = checker("1.9");
    QCoro::waitFor(older->check());
    ASSERT_EQ(prompts->count(), 1);
    EXPECT_EQ(prompts->first().first().toString(), QStringLiteral("1.9.1"));
    EXPECT_EQ(fetched, QList<QUrl>{SupportPolicy::url()});

    QCoro::waitFor(older->check());
    QCoro::waitFor(older->check());
    EXPECT_EQ(prompts->count(), 1);
    EXPECT_EQ(fetched.size(), 1);
}

TEST_F(SupportPolicyCheckerTest, SupportedOrUnreadableVersionsAndFailuresStaySilent)
{
    for (const char* running : {"1.9.1", "1.10", "1.2.3.4.5", "1.0-beta"}) {
        auto current = checker(running);
        QCoro::waitFor(current->check());
        EXPECT_EQ(prompts->count(), 0) << running;
    }
    for (const FetchResult& failed : {FetchResult(std::unexpected(SupportPolicyChecker::FetchError::transport)),
             policy("2.0-beta"), FetchResult(SupportPolicyChecker::Body{"<html>"})}) {
        answer = failed;
        auto older = checker("1.0");
        QCoro::waitFor(older->check());
        EXPECT_EQ(prompts->count(), 0);
        // The next check tries again.
        answer = policy("1.9.1");
        QCoro::waitFor(older->check());
        EXPECT_EQ(prompts->count(), 1);
    }
}

// The daily timer starts with the first check's delay, so it comes a day after the start.
TEST_F(SupportPolicyCheckerTest, ChecksAfterTheFirstDelayAndThenOnTheDailyBeatFromTheStart)
{
    answer = std::unexpected(SupportPolicyChecker::FetchError::transport);
    auto daily = checker("1.0", {1000ms, 1200ms});
    clock.start();
    daily->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fetched.size() >= 2; }, 5000));
    // Coarse timers may fire up to 5 % early; a beat counted from the first check would come
    // after 2200 ms.
    EXPECT_GE(elapsedAtFetch[0], 940);
    EXPECT_GE(elapsedAtFetch[1], 1130);
    EXPECT_LT(elapsedAtFetch[1], 2000);
}

// A web server on 127.0.0.1 that records each request and answers it with `respond`.
class LocalServer
{
public:
    LocalServer()
    {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                auto buffer = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                    buffer->append(socket->readAll());
                    if (!buffer->contains("\r\n\r\n"))
                        return;
                    requests.append(*buffer);
                    buffer->clear();
                    respond(socket);
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/releases/support-policy.json").arg(m_server.serverPort()));
    }

    static void answer(
        QTcpSocket* socket, const QByteArray& status, const QByteArray& body, const QByteArray& headers = {})
    {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size())
            + "\r\nConnection: close\r\n" + headers + "\r\n" + body);
        socket->disconnectFromHost();
    }

    std::function<void(QTcpSocket*)> respond;
    QList<QByteArray> requests;

private:
    QTcpServer m_server;
};

FetchResult fetch(const QUrl& url)
{
    return QCoro::waitFor(SupportPolicyFetch::run(url, QStringLiteral(TAVRO_FETCH_PROGRAM)));
}

TEST(LiveFetchTest, OnlyA200AnswerSucceeds)
{
    LocalServer server;
    const QByteArray body = R"({"minimumVersion": "1.9.1"})";
    server.respond = [&](QTcpSocket* socket) { LocalServer::answer(socket, "200 OK", body); };
    EXPECT_EQ(fetch(server.url()), FetchResult(SupportPolicyChecker::Body{body}));

    // 204 and 304 carry no body; the others carry one that must not be taken for the policy.
    for (const auto& [status, answerBody] : {std::pair<QByteArray, QByteArray>{"204 No Content", {}},
             {"304 Not Modified", {}}, {"404 Not Found", body}, {"203 Non-Authoritative Information", body}}) {
        server.respond = [&](QTcpSocket* socket) { LocalServer::answer(socket, status, answerBody); };
        EXPECT_EQ(
            fetch(server.url()), FetchResult(std::unexpected(SupportPolicyChecker::FetchError::badServerResponse)))
            << status.toStdString();
    }

    server.respond = [](QTcpSocket* socket) { socket->abort(); };
    EXPECT_EQ(fetch(server.url()), FetchResult(std::unexpected(SupportPolicyChecker::FetchError::transport)));

    // Without its program the fetch fails the same way, and the check tries again the next day.
    server.respond = [&](QTcpSocket* socket) { LocalServer::answer(socket, "200 OK", body); };
    EXPECT_EQ(QCoro::waitFor(SupportPolicyFetch::run(server.url(), QStringLiteral("/nonexistent/tavro-fetch"))),
        FetchResult(std::unexpected(SupportPolicyChecker::FetchError::transport)));
}

TEST(LiveFetchTest, SendsTheUserAgentAndNoCookieFromAnEarlierAnswer)
{
    LocalServer server;
    server.respond = [](QTcpSocket* socket) {
        LocalServer::answer(
            socket, "200 OK", "{}", "Set-Cookie: visitor=42; Path=/\r\nCache-Control: max-age=3600\r\n");
    };
    ASSERT_TRUE(fetch(server.url()));
    ASSERT_TRUE(fetch(server.url()));
    ASSERT_EQ(server.requests.size(), 2); // the second was not answered from a cache
    for (const QByteArray& request : server.requests) {
        EXPECT_TRUE(request.startsWith("GET /releases/support-policy.json ")) << request.toStdString();
        EXPECT_TRUE(request.contains("\r\nUser-Agent: Tavro\r\n")) << request.toStdString();
        EXPECT_FALSE(request.toLower().contains("\r\ncookie:")) << request.toStdString();
    }
}

// A server that never stops sending: the fetch gives up past the limit instead of holding it all.
TEST(LiveFetchTest, ABodyPastTheLimitIsCutOffUnread)
{
    constexpr qint64 kEndless = 256LL * 1024 * 1024;
    LocalServer server;
    qint64 sent = 0;
    bool closed = false;
    server.respond = [&](QTcpSocket* socket) {
        socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        const QByteArray chunk(64 * 1024, ' ');
        auto more = [socket, chunk, &sent] {
            if (sent < kEndless && socket->state() == QAbstractSocket::ConnectedState
                && socket->bytesToWrite() < chunk.size()) {
                socket->write(chunk);
                sent += chunk.size();
            }
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
        QObject::connect(socket, &QTcpSocket::disconnected, [&closed] { closed = true; });
        QObject::connect(socket, &QTcpSocket::errorOccurred, [&closed] { closed = true; });
        more();
    };
    EXPECT_EQ(fetch(server.url()), FetchResult(std::unexpected(SupportPolicyChecker::FetchError::tooLarge)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 10000));
    EXPECT_LT(sent, kEndless);
}

} // namespace
