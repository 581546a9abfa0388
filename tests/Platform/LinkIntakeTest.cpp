#include "Tavro/Platform/LinkIntake.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

struct ArgumentCase
{
    const char* name;
    QStringList arguments;
    QStringList links;
    friend void PrintTo(const ArgumentCase& c, std::ostream* os) { *os << c.name; }
};

class LinksFromArgumentsTest : public ::testing::TestWithParam<ArgumentCase>
{ };

TEST_P(LinksFromArgumentsTest, TakesUrlsAndPathsAndSkipsOptions)
{
    const ArgumentCase& c = GetParam();
    QStringList links;
    for (const QUrl& link : LinkIntake::linksFromArguments(c.arguments, QStringLiteral("/work/here")))
        links.append(link.toString(QUrl::FullyEncoded));
    EXPECT_EQ(links, c.links);
}

INSTANTIATE_TEST_SUITE_P(Arguments, LinksFromArgumentsTest,
    ::testing::Values(ArgumentCase{"urlsInOrder", {"https://a.test/x?q=1", "http://b.test/"},
                          {"https://a.test/x?q=1", "http://b.test/"}},
        ArgumentCase{"optionsSkipped", {"--diagnose-safari", "-psn_0_1", "https://a.test/"}, {"https://a.test/"}},
        ArgumentCase{"capitalSchemeKept", {"HTTPS://A.test/Path"}, {"https://a.test/Path"}},
        ArgumentCase{"otherSchemesPassOn", {"mailto:someone@a.test"}, {"mailto:someone@a.test"}},
        ArgumentCase{"relativePathMadeAbsolute", {"docs/../page one.html"}, {"file:///work/here/page%20one.html"}},
        ArgumentCase{"absolutePath", {"/tmp/a.html"}, {"file:///tmp/a.html"}},
        ArgumentCase{"emptyArgumentSkipped", {""}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

class LinkIntakeTest : public ::testing::Test
{
protected:
    QString socketPath() const { return m_dir.filePath(QStringLiteral("intake.sock")); }

    // The forwarding side blocks, as the forwarding process does; it runs beside the event loop
    // that serves the listening side.
    std::expected<void, LinkIntakeError> forwardWhileServing(const QList<QUrl>& links)
    {
        std::expected<void, LinkIntakeError> outcome;
        bool done = false;
        std::thread sender([&] {
            outcome = LinkIntake::forward(links, socketPath(), 5s);
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
        sender.join();
        return outcome;
    }

    QTemporaryDir m_dir;
};

TEST_F(LinkIntakeTest, ForwardWithNobodyListeningSaysSo)
{
    auto outcome = LinkIntake::forward({QUrl("https://a.test/")}, socketPath(), 1s);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), LinkIntakeError::noRunningInstance);
}

TEST_F(LinkIntakeTest, ForwardedRequestArrivesWholeAndInOrder)
{
    LinkIntake intake(socketPath());
    ASSERT_TRUE(intake.listen());
    QSignalSpy received(&intake, &LinkIntake::linksReceived);

    const QList<QUrl> links{QUrl("https://a.test/1"), QUrl("mailto:x@a.test"), QUrl("file:///tmp/a%20b.html")};
    EXPECT_TRUE(forwardWhileServing(links));
    ASSERT_TRUE(received.count() == 1 || received.wait(2000));
    EXPECT_EQ(received.at(0).at(0).value<QList<QUrl>>(), links);

    EXPECT_TRUE(forwardWhileServing({}));
    ASSERT_TRUE(received.count() == 2 || received.wait(2000));
    EXPECT_TRUE(received.at(1).at(0).value<QList<QUrl>>().isEmpty());
}

TEST_F(LinkIntakeTest, SocketIsForThisUserOnly)
{
    LinkIntake intake(socketPath());
    ASSERT_TRUE(intake.listen());
    const QFileDevice::Permissions permissions = QFileInfo(socketPath()).permissions();
    EXPECT_FALSE(permissions
        & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther));
}

TEST_F(LinkIntakeTest, SocketLeftByADeadTavroIsTakenOver)
{
    // Bind and close without unlinking, as a crashed process leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = socketPath().toUtf8();
    std::memcpy(address.sun_path, path.constData(), path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(socketPath()));

    LinkIntake intake(socketPath());
    EXPECT_TRUE(intake.listen());
    QSignalSpy received(&intake, &LinkIntake::linksReceived);
    EXPECT_TRUE(forwardWhileServing({QUrl("https://a.test/")}));
    EXPECT_TRUE(received.count() == 1 || received.wait(2000));
}

TEST_F(LinkIntakeTest, LiveSocketIsNotStolen)
{
    LinkIntake first(socketPath());
    ASSERT_TRUE(first.listen());
    LinkIntake second(socketPath());
    auto outcome = second.listen();
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), LinkIntakeError::socketUnavailable);
    EXPECT_TRUE(first.isListening());
}

TEST_F(LinkIntakeTest, OversizedRequestIsRefusedWithoutLinks)
{
    LinkIntake intake(socketPath());
    ASSERT_TRUE(intake.listen());
    QSignalSpy received(&intake, &LinkIntake::linksReceived);
    QList<QUrl> links;
    const QString longPath(4000, QLatin1Char('a'));
    for (int i = 0; i < 400; ++i)
        links.append(QUrl(QStringLiteral("https://a.test/") + longPath));
    auto outcome = forwardWhileServing(links);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), LinkIntakeError::unanswered);
    EXPECT_EQ(received.count(), 0);
}

} // namespace
