#include "Tavro/Platform/RealFileSystem.h"
#include "Tavro/Platform/HomeFolder.h"
#include "Tavro/Platform/LinkForwarding.h"
#include "Tavro/Platform/LinkSocketName.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavro;

namespace {

struct ErrnoCase
{
    const char* name;
    int error;
    FileReadOutcome::Kind kind;

    friend void PrintTo(const ErrnoCase& c, std::ostream* os) { *os << c.name; }
};

class FileReadOutcomeErrnoTest : public ::testing::TestWithParam<ErrnoCase>
{ };

TEST_P(FileReadOutcomeErrnoTest, MapsOpenFailures)
{
    EXPECT_EQ(FileReadOutcome::fromErrno(GetParam().error).kind(), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Errnos, FileReadOutcomeErrnoTest,
    ::testing::Values(ErrnoCase{"EPERM", EPERM, FileReadOutcome::Kind::denied},
        ErrnoCase{"EACCES", EACCES, FileReadOutcome::Kind::denied},
        ErrnoCase{"ENOENT", ENOENT, FileReadOutcome::Kind::missing},
        ErrnoCase{"ENOTDIR", ENOTDIR, FileReadOutcome::Kind::missing},
        ErrnoCase{"EIO", EIO, FileReadOutcome::Kind::unreadable},
        ErrnoCase{"ELOOP", ELOOP, FileReadOutcome::Kind::unreadable},
        ErrnoCase{"EMFILE", EMFILE, FileReadOutcome::Kind::unreadable}),
    [](const auto& info) { return std::string(info.param.name); });

class RealFileSystemTest : public ::testing::Test
{
protected:
    test::TempHome home;
    RealFileSystem fs;
};

TEST_F(RealFileSystemTest, HomeFollowsHomeVariable)
{
    EXPECT_EQ(fs.homeDirectory(), QDir(home.path()).absolutePath());
}

struct HomeCase
{
    const char* name;
    QByteArray variable;
    QByteArray nativePath;
    bool exact;
    // Whether the `tavro` command finds the link socket without Qt, HOME needing no cleaning.
    bool plainSocketPath;

    friend void PrintTo(const HomeCase& c, std::ostream* os) { *os << c.name; }
};

class HomeFolderTest : public ::testing::TestWithParam<HomeCase>
{ };

// XDG_RUNTIME_DIR as a test sets it, and as it was again once the test is done.
class RuntimeFolderVariable
{
public:
    RuntimeFolderVariable()
        : m_previous(qEnvironmentVariableIsSet(kName) ? std::optional(qgetenv(kName)) : std::nullopt)
    { }
    ~RuntimeFolderVariable() { set(m_previous); }
    static void set(const std::optional<QByteArray>& value)
    {
        if (value)
            qputenv(kName, *value);
        else
            qunsetenv(kName);
    }

private:
    static constexpr const char* kName = "XDG_RUNTIME_DIR";
    std::optional<QByteArray> m_previous;
};

// The home's bytes name the link socket, so homes that differ in one byte, text or not, differ
// there; the text Qt's file functions take is exact only where it names the home.
TEST_P(HomeFolderTest, BytesStayAsTheyAreAndTheTextSaysWhetherItNamesThem)
{
    test::TempHome home;
    qputenv("HOME", GetParam().variable);
    EXPECT_EQ(HomeFolder::nativePath(), GetParam().nativePath);
    EXPECT_EQ(HomeFolder::pathIsExact(), GetParam().exact);
    EXPECT_EQ(HomeFolder::path(), QDir::homePath());
    if (GetParam().exact) {
        EXPECT_EQ(HomeFolder::nativePath(), QDir::homePath().toUtf8()) << "the socket's name of a text home stays";
    }
    // Where the command finds the socket by itself, it is the one the application listens on.
    const QString socketPath = LinkForwarding::defaultSocketPath();
    const RuntimeFolderVariable runtimeFolder;
    RuntimeFolderVariable::set(QFile::encodeName(QFileInfo(socketPath).path()));
    const std::optional<std::string> plain = LinkSocketName::pathFromEnvironment();
    ASSERT_EQ(plain.has_value(), GetParam().plainSocketPath);
    if (plain) {
        EXPECT_EQ(QFile::decodeName(QByteArray::fromStdString(*plain)), socketPath);
    }
}

INSTANTIATE_TEST_SUITE_P(Homes, HomeFolderTest,
    ::testing::Values(HomeCase{"Plain", "/home/a", "/home/a", true, true},
        HomeCase{"Cleaned", "//home/./a/", "/home/a", true, false}, HomeCase{"Unset", "", "/", true, true},
        HomeCase{"Utf8", "/home/caf\xc3\xa9", "/home/caf\xc3\xa9", true, true},
        HomeCase{"Latin1", "/home/caf\xe9", "/home/caf\xe9", false, true},
        HomeCase{"Latin1Other", "/home/caf\xe8/", "/home/caf\xe8", false, false},
        HomeCase{"DotDot", "/home/b/../a", "/home/a", true, false},
        HomeCase{"Relative", "home/a", "home/a", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Two homes that differ in one byte that is no text reach a Tavro each, never one the other's.
TEST(HomeFolderSocketTest, HomesThatDifferInOneInvalidByteGetSocketsOfTheirOwn)
{
    test::TempHome home;
    qputenv("HOME", "/home/caf\xe9");
    const QString first = LinkForwarding::defaultSocketPath();
    qputenv("HOME", "/home/caf\xe8");
    EXPECT_NE(LinkForwarding::defaultSocketPath(), first);
}

// Without a runtime folder named absolutely, the command leaves the socket's place to Qt's rules.
TEST(HomeFolderSocketTest, OnlyAnAbsoluteRuntimeFolderGivesThePlainPath)
{
    test::TempHome home;
    qputenv("HOME", "/home/a");
    const RuntimeFolderVariable runtimeFolder;
    for (const auto& [value, plain] : {std::pair{std::optional<QByteArray>(), false}, {"", false},
             {"run/user/1000", false}, {"/run/user/1000", true}}) {
        RuntimeFolderVariable::set(value);
        EXPECT_EQ(LinkSocketName::pathFromEnvironment(),
            plain ? std::optional("/run/user/1000/" + LinkSocketName::fileName("/home/a")) : std::nullopt)
            << value.value_or("unset").toStdString();
    }
}

// The socket's name hashes the home's bytes: the command's own SHA-256 agrees with Qt's on every
// length across the padding's one-block and two-block ends, and on the standard's own examples.
TEST(HomeFolderSocketTest, TheSocketsHashIsSha256)
{
    QByteArray bytes;
    for (int length = 0; length <= 200; ++length) {
        EXPECT_EQ(LinkSocketName::sha256Hex(std::string_view(bytes.constData(), std::size_t(bytes.size()))),
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString())
            << length << " bytes";
        bytes.append(char(0x80 + length * 7));
    }
    EXPECT_EQ(LinkSocketName::sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(LinkSocketName::sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
        "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST_F(RealFileSystemTest, ReadsAFileWhole)
{
    QByteArray big(200000, 'x');
    big[150000] = '\0';
    const QString path = home.writeFile(QStringLiteral("Library/Local State"), big);
    EXPECT_EQ(fs.read(path), FileReadOutcome::data(big));
    EXPECT_EQ(fs.contents(path), big);
    EXPECT_TRUE(fs.fileExists(path));
}

TEST_F(RealFileSystemTest, EmptyFileIsDataNotFailure)
{
    const QString path = home.writeFile(QStringLiteral("empty"), {});
    EXPECT_EQ(fs.read(path), FileReadOutcome::data({}));
}

TEST_F(RealFileSystemTest, TellsMissingFromUnreadable)
{
    const QString file = home.writeFile(QStringLiteral("plain"), "x");
    EXPECT_EQ(fs.read(home.filePath(QStringLiteral("nothing"))).kind(), FileReadOutcome::Kind::missing);
    // A path through a plain file fails with ENOTDIR.
    EXPECT_EQ(fs.read(file + QStringLiteral("/Local State")).kind(), FileReadOutcome::Kind::missing);
    // A folder opens but has no contents to give.
    EXPECT_EQ(fs.read(home.path()).kind(), FileReadOutcome::Kind::unreadable);
    EXPECT_FALSE(fs.contents(home.path()).has_value());
    EXPECT_TRUE(fs.fileExists(home.path()));
    EXPECT_FALSE(fs.fileExists(home.filePath(QStringLiteral("nothing"))));
}

// A pipe or a device where a browser keeps a file (a link to /dev/zero, say) must not hold or
// flood the scan.
TEST_F(RealFileSystemTest, OnlyRegularFilesHaveContents)
{
    const QString fifo = home.filePath(QStringLiteral("Local State"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(fs.read(fifo).kind(), FileReadOutcome::Kind::unreadable);
    const QString device = home.filePath(QStringLiteral("profiles.ini"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    EXPECT_FALSE(fs.contents(device).has_value());
    EXPECT_EQ(fs.read(device).kind(), FileReadOutcome::Kind::unreadable);
}

// The refusal must come from the system itself. root passes every permission check, so the read
// then runs in a child process that has given up root for the unprivileged "nobody".
TEST_F(RealFileSystemTest, RefusedOpenIsDenied)
{
    const QString path = home.writeFile(QStringLiteral("Library/Application Support/Chromium/Local State"), "{}");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(fs.read(path).kind(), FileReadOutcome::Kind::denied);
        return;
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        ::_exit(int(fs.read(path).kind()));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), int(FileReadOutcome::Kind::denied));
}

} // namespace
