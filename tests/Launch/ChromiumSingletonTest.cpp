#include "Tavro/Launch/ChromiumSingleton.h"
#include "tests/Launch/SocketListener.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tavro;
using namespace std::chrono_literals;
using Outcome = ChromiumSingleton::Outcome;
using Answer = test::SocketListener::Answer;

namespace {

// Sockets live in a short temporary folder: the path limit is about a hundred bytes.
class ChromiumSingletonTest : public ::testing::Test
{
protected:
    QString socketAt(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    QTemporaryDir m_dir{QStringLiteral("/tmp/tavro-XXXXXX")};
};

const QStringList argv{QStringLiteral("/Applications/Google Chrome.app/Contents/MacOS/Google Chrome"),
    QStringLiteral("--profile-directory=Profile 1"), QStringLiteral("https://example.test/ä?q=1")};

// The argv above with its link padded by `filler` until the message is exactly `messageBytes`
// long (an odd byte left by a two-byte filler goes in as one ASCII letter).
QStringList argvOfMessageSize(qsizetype messageBytes, QChar filler)
{
    QStringList padded = argv;
    const qsizetype fillerBytes = QString(filler).toUtf8().size();
    qsizetype missing = messageBytes - ChromiumSingleton::message(padded, {}, QStringLiteral("/")).size();
    if (missing % fillerBytes != 0) {
        padded.last() += QLatin1Char('a');
        --missing;
    }
    padded.last() += QString(missing / fillerBytes, filler);
    return padded;
}

} // namespace

TEST_F(ChromiumSingletonTest, MessageSeparatesEveryTokenWithOneNul)
{
    const QByteArray expected
        = QByteArrayLiteral("START\0/\0/Applications/Google Chrome.app/Contents/MacOS/Google "
                            "Chrome\0--profile-directory=Profile 1\0https://example.test/\xC3\xA4?q=1");
    EXPECT_EQ(ChromiumSingleton::message(argv, {}, QStringLiteral("/")), expected);
    EXPECT_EQ(ChromiumSingleton::message(
                  {QStringLiteral("a")}, {QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral("/")),
        QByteArrayLiteral("START\0/\0001\0002\0a"));
}

TEST_F(ChromiumSingletonTest, OnlyEdgeCarriesTheTwoHeaderTokens)
{
    EXPECT_TRUE(ChromiumSingleton::header(QStringLiteral("com.google.Chrome")).isEmpty());
    EXPECT_TRUE(ChromiumSingleton::header(QStringLiteral("com.microsoft.EdgeMac")).isEmpty());
    const QStringList header = ChromiumSingleton::header(QStringLiteral("com.microsoft.edgemac"));
    ASSERT_EQ(header.size(), 2);
    const qint64 expected1601 = (QDateTime::currentSecsSinceEpoch() + 11644473600LL) * 1'000'000LL;
    bool ok = false;
    EXPECT_NEAR(double(header.at(0).toLongLong(&ok)), double(expected1601), 5e6);
    EXPECT_TRUE(ok);
    EXPECT_GT(header.at(1).toLongLong(&ok), 0);
    EXPECT_TRUE(ok);
    for (const QString& token : header)
        EXPECT_FALSE(token.startsWith(QLatin1Char('0')) || token.startsWith(QLatin1Char('-')));
}

TEST_F(ChromiumSingletonTest, SocketPathFollowsTheLink)
{
    const QString dataDir = m_dir.path() + QStringLiteral("/Data/Google/Chrome");
    QDir().mkpath(dataDir);
    const QString link = dataDir + QStringLiteral("/SingletonSocket");
    EXPECT_FALSE(ChromiumSingleton::socketPath(dataDir));

    // A relative target climbs from the user-data folder and is tidied; it need not exist.
    QFile::link(QStringLiteral("../../run/./SingletonSocket"), link);
    EXPECT_EQ(ChromiumSingleton::socketPath(dataDir), m_dir.path() + QStringLiteral("/Data/run/SingletonSocket"));
    QFile::remove(link);

    QFile::link(QStringLiteral("/tmp/.org.chromium.Chromium.gone/SingletonSocket"), link);
    EXPECT_EQ(ChromiumSingleton::socketPath(dataDir + QLatin1Char('/')),
        QStringLiteral("/tmp/.org.chromium.Chromium.gone/SingletonSocket"));
    QFile::remove(link);

    QFile plain(link);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(ChromiumSingleton::socketPath(dataDir), link);
}

TEST_F(ChromiumSingletonTest, OnlyALockNamingALiveProcessOnThisHostMeansRunning)
{
    const QString dataDir = m_dir.path() + QStringLiteral("/Data/Chromium");
    QDir().mkpath(dataDir);
    const QString lock = dataDir + QStringLiteral("/SingletonLock");
    char hostBuffer[256] = {};
    ASSERT_EQ(::gethostname(hostBuffer, sizeof hostBuffer - 1), 0);
    const QString host = QString::fromLocal8Bit(hostBuffer);
    // A pid that is no process: the largest the kernel could hand out is far below it.
    const QString deadPid = QStringLiteral("2147483000");

    const struct
    {
        QString target;
        bool held;
    } cases[] = {
        {host + QLatin1Char('-') + QString::number(::getpid()), true},
        {host + QStringLiteral("-1"), true}, // init: alive, though not ours to signal
        {host + QLatin1Char('-') + deadPid, false},
        {QStringLiteral("another-host-") + QString::number(::getpid()), false},
        {host + QStringLiteral("-"), false},
        {host + QStringLiteral("-12ab"), false},
        {host + QStringLiteral("--5"), false},
        {QString::number(::getpid()), false},
    };
    EXPECT_FALSE(ChromiumSingleton::isHeldByLiveProcess(dataDir)) << "no lock at all";
    for (const auto& c : cases) {
        QFile::remove(lock);
        ASSERT_TRUE(QFile::link(c.target, lock));
        EXPECT_EQ(ChromiumSingleton::isHeldByLiveProcess(dataDir), c.held) << c.target.toStdString();
    }
    // A plain file where the link should be is no lock of a browser.
    QFile::remove(lock);
    QFile plain(lock);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write(QString(host + QLatin1Char('-') + QString::number(::getpid())).toUtf8());
    plain.close();
    EXPECT_FALSE(ChromiumSingleton::isHeldByLiveProcess(dataDir));
}

TEST_F(ChromiumSingletonTest, ReceiveTimeoutSplitsSecondsAndMicroseconds)
{
    EXPECT_EQ(ChromiumSingleton::receiveTimeout(3.0).tv_sec, 3);
    EXPECT_EQ(ChromiumSingleton::receiveTimeout(3.0).tv_usec, 0);
    EXPECT_EQ(ChromiumSingleton::receiveTimeout(2.5).tv_sec, 2);
    EXPECT_EQ(ChromiumSingleton::receiveTimeout(2.5).tv_usec, 500000);
}

struct ReplyCase
{
    const char* name;
    Answer answer;
    Outcome outcome;
};

class ChromiumReplyTest : public ChromiumSingletonTest, public ::testing::WithParamInterface<ReplyCase>
{ };

TEST_P(ChromiumReplyTest, TheReplyDecidesTheOutcome)
{
    const QString path = socketAt(QStringLiteral("s"));
    test::SocketListener listener(path, GetParam().answer);
    ASSERT_TRUE(listener.isListening());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(ChromiumSingleton::deliver(argv, {}, path, 300ms), GetParam().outcome);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(listener.connections(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !listener.received().isEmpty(); }, 2000));
    EXPECT_EQ(listener.received(), ChromiumSingleton::message(argv, {}, QStringLiteral("/")));
    if (GetParam().answer == Answer::silent || GetParam().answer == Answer::trickle) {
        EXPECT_GE(elapsed, 250ms);
        EXPECT_LT(elapsed, 700ms);
    } else {
        EXPECT_LT(elapsed, 250ms);
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, ChromiumReplyTest,
    ::testing::Values(ReplyCase{"ack", Answer::ack, Outcome::delivered},
        ReplyCase{"shutdown", Answer::shutdown, Outcome::unreachable},
        ReplyCase{"endOfStream", Answer::close, Outcome::unreachable},
        ReplyCase{"noReplyInTime", Answer::silent, Outcome::delivered},
        // The time-out covers the whole reply, not each byte of it.
        ReplyCase{"noWholeReplyInTime", Answer::trickle, Outcome::delivered}),
    [](const ::testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

TEST_F(ChromiumSingletonTest, NoListenerIsUnreachable)
{
    EXPECT_EQ(ChromiumSingleton::deliver(argv, {}, socketAt(QStringLiteral("none")), 300ms), Outcome::unreachable);
    // A socket file whose owner is gone refuses the connection.
    const QString stale = socketAt(QStringLiteral("stale"));
    {
        test::SocketListener gone(stale, Answer::ack);
    }
    QFile(stale).open(QIODevice::WriteOnly);
    EXPECT_EQ(ChromiumSingleton::deliver(argv, {}, stale, 300ms), Outcome::unreachable);
}

TEST_F(ChromiumSingletonTest, BrowserThatStoppedAcceptingIsUnreachableWithinTheTimeOut)
{
    // A listener that never accepts, whose backlog another client already fills.
    const QByteArray path = socketAt(QStringLiteral("hung")).toUtf8();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const auto* name = reinterpret_cast<const sockaddr*>(&address);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const int waiting = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(listener, name, sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::connect(waiting, name, sizeof(address)), 0);

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(ChromiumSingleton::deliver(argv, {}, QString::fromUtf8(path), 300ms), Outcome::unreachable);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    ::close(waiting);
    ::close(listener);
}

TEST_F(ChromiumSingletonTest, PathsUpToTheLimitAreUsed)
{
    const QString base = socketAt({});
    const QString fits = base + QString(ChromiumSingleton::maxSocketPathBytes - base.toUtf8().size(), QLatin1Char('a'));
    ASSERT_EQ(fits.toUtf8().size(), 103);
    test::SocketListener listener(fits, Answer::ack);
    ASSERT_TRUE(listener.isListening());
    EXPECT_EQ(ChromiumSingleton::deliver(argv, {}, fits, 300ms), Outcome::delivered);

    const QString tooLong = fits + QLatin1Char('b');
    test::SocketListener other(tooLong, Answer::ack);
    ASSERT_TRUE(other.isListening());
    EXPECT_EQ(ChromiumSingleton::deliver(argv, {}, tooLong, 300ms), Outcome::unreachable);
    EXPECT_EQ(other.connections(), 0);
}

TEST_F(ChromiumSingletonTest, TokensWithNulAreNeverSent)
{
    const QString path = socketAt(QStringLiteral("s"));
    test::SocketListener listener(path, Answer::ack);
    QStringList injected = argv;
    injected.last() = QStringLiteral("https://a.test/") + QChar(0) + QStringLiteral("--no-sandbox");
    EXPECT_EQ(ChromiumSingleton::deliver(injected, {}, path, 300ms), Outcome::unreachable);
    EXPECT_EQ(ChromiumSingleton::deliver(argv, {QString(QChar(0))}, path, 300ms), Outcome::unreachable);
    EXPECT_EQ(listener.connections(), 0);
}

TEST_F(ChromiumSingletonTest, PeerResetIsUnreachableWithoutASignal)
{
    const QString path = socketAt(QStringLiteral("s"));
    test::SocketListener listener(path, Answer::closeBeforeReading);
    // The longest message that is sent.
    const QStringList big = argvOfMessageSize(ChromiumSingleton::maxMessageBytes, QLatin1Char('x'));
    EXPECT_EQ(ChromiumSingleton::deliver(big, {}, path, 300ms), Outcome::unreachable);
}

namespace {

struct SizeCase
{
    const char* name;
    qsizetype messageBytes;
    QChar filler;
    Outcome outcome;
};

void PrintTo(const SizeCase& sizeCase, std::ostream* out)
{
    *out << sizeCase.name;
}

class ChromiumMessageSizeTest : public ChromiumSingletonTest, public ::testing::WithParamInterface<SizeCase>
{ };

} // namespace

// The browser reads one buffer of the limit and acts on what it holds: a longer message would open
// a cut link, so it is never sent.
TEST_P(ChromiumMessageSizeTest, OnlyMessagesThatFitTheBrowsersBufferAreSent)
{
    const QString path = socketAt(QStringLiteral("s"));
    test::SocketListener listener(path, Answer::ack);
    ASSERT_TRUE(listener.isListening());
    const QStringList tokens = argvOfMessageSize(GetParam().messageBytes, GetParam().filler);
    const QByteArray bytes = ChromiumSingleton::message(tokens, {}, QStringLiteral("/"));
    ASSERT_EQ(bytes.size(), GetParam().messageBytes);

    EXPECT_EQ(ChromiumSingleton::deliver(tokens, {}, path, 300ms), GetParam().outcome);
    if (GetParam().outcome == Outcome::delivered) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !listener.received().isEmpty(); }, 2000));
        EXPECT_EQ(listener.received(), bytes);
    } else {
        EXPECT_EQ(listener.connections(), 0);
    }
}

// Bytes count, not characters: the two-byte links hold far fewer characters than the limit.
INSTANTIATE_TEST_SUITE_P(Sizes, ChromiumMessageSizeTest,
    ::testing::Values(
        SizeCase{"asciiAtTheLimit", ChromiumSingleton::maxMessageBytes, QLatin1Char('x'), Outcome::delivered},
        SizeCase{"asciiOneByteOver", ChromiumSingleton::maxMessageBytes + 1, QLatin1Char('x'), Outcome::tooLong},
        SizeCase{"twoByteAtTheLimit", ChromiumSingleton::maxMessageBytes, QChar(0xE4), Outcome::delivered},
        SizeCase{"twoByteOneByteOver", ChromiumSingleton::maxMessageBytes + 1, QChar(0xE4), Outcome::tooLong},
        SizeCase{"hundredKilobytes", 100 * 1024, QLatin1Char('x'), Outcome::tooLong}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });
