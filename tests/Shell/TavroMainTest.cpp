#include "Tavro/Shell/TavroMain.h"

#include "Tavro/Platform/ImageFile.h"
#include "Tavro/Platform/SerialQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace tavro;
using Road = TavroMain::Command::Road;

namespace {

struct ParseCase
{
    const char* name;
    QStringList arguments;
    Road road;
    QString profile;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

class TavroMainParseTest : public ::testing::TestWithParam<ParseCase>
{ };

TEST_P(TavroMainParseTest, PicksTheRoad)
{
    const ParseCase& c = GetParam();
    const TavroMain::Command command = TavroMain::parse(QStringList{"/usr/bin/tavro"} + c.arguments);
    EXPECT_EQ(command.road, c.road);
    EXPECT_EQ(command.profileName, c.profile);
}

INSTANTIATE_TEST_SUITE_P(Options, TavroMainParseTest,
    ::testing::Values(ParseCase{"none", {}, Road::application, {}},
        ParseCase{"links", {"https://a.test/"}, Road::application, {}},
        ParseCase{"diagnose", {"x", "--diagnose-safari"}, Road::diagnoseSafari, {}},
        ParseCase{"diagnoseWinsAfter", {"--test-safari-launch", "Work", "--diagnose-safari"}, Road::diagnoseSafari, {}},
        ParseCase{
            "diagnoseWinsBefore", {"--diagnose-safari", "--test-safari-launch", "Work"}, Road::diagnoseSafari, {}},
        ParseCase{
            "diagnoseAsTheProfileArgument", {"--test-safari-launch", "--diagnose-safari"}, Road::diagnoseSafari, {}},
        ParseCase{"launch", {"--test-safari-launch", "Work Profile"}, Road::testSafariLaunch, "Work Profile"},
        ParseCase{"launchTakesHyphens", {"--test-safari-launch", "--Personal"}, Road::testSafariLaunch, "--Personal"},
        ParseCase{"launchTwiceUsesFirst", {"--test-safari-launch", "A", "--test-safari-launch", "B"},
            Road::testSafariLaunch, "A"},
        ParseCase{"launchLastStartsTheApp", {"--test-safari-launch"}, Road::application, {}},
        ParseCase{"suffixMatchesNothing", {"--diagnose-safari=1", "--test-safari-launch=Work"}, Road::application, {}},
        ParseCase{"capitalsMatchNothing", {"--Diagnose-Safari", "-diagnose-safari"}, Road::application, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TavroMainTest, LaunchOutcomeLineIsExact)
{
    EXPECT_EQ(TavroMain::launchOutcomeLine("Work", true), QByteArray("openProfileWindow(Work) = true\n"));
    EXPECT_EQ(TavroMain::launchOutcomeLine(" Ä ", false), QByteArray("openProfileWindow( Ä ) = false\n"));
}

// The file names of the image-format plugins loaded in this process.
QStringList loadedImageFormatPlugins()
{
    QStringList plugins;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            const QString path = QString::fromLocal8Bit(info->dlpi_name);
            if (path.contains(QLatin1String("/imageformats/")))
                static_cast<QStringList*>(found)->append(QFileInfo(path).fileName());
            return 0;
        },
        &plugins);
    return plugins;
}

// Pictures read in the format their names give load no image-format plugin but that format's own:
// Tavro's pictures, the profiles' photos and the browsers' icons keep the process free of the
// plugins and of their libraries. A file whose name gives another format than it holds is still read.
TEST(TavroMainTest, PicturesReadInTheFormatTheirNamesGiveLoadNoOtherImageFormatPlugin)
{
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGP4z8DwHwAFAAH/iZk9HQAAAABJRU5ErkJggg==");
    const QString icon = write("icon.png", png);
    const QString drawing = write("drawing.svg",
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="4"><rect width="8" height="4"/></svg>)");
    const QString misnamed = write("photo.gif", png);

    {
        const SerialQueue fonts(QStringLiteral("fonts"));
        TavroMain::readAheadOfTheFirstFrame(fonts);
    } // the queue lets its reading finish
    // What each read adds to the plugins already loaded (in a run of every test in one process,
    // other tests may have loaded some).
    QStringList loaded = loadedImageFormatPlugins();
    const auto added = [&loaded] {
        QStringList now = loadedImageFormatPlugins();
        for (const QString& plugin : std::exchange(loaded, now))
            now.removeAll(plugin);
        return now;
    };
    EXPECT_EQ(ImageFile::reader(icon)->size(), QSize(1, 1));
    EXPECT_EQ(ImageFile::reader(icon)->read().size(), QSize(1, 1));
    EXPECT_EQ(added(), QStringList());
    EXPECT_EQ(ImageFile::reader(drawing)->read().size(), QSize(8, 4));
    const QStringList forTheDrawing = added();
    EXPECT_TRUE(forTheDrawing.isEmpty() || forTheDrawing == QStringList{"libqsvg.so"});
    EXPECT_TRUE(loaded.contains("libqsvg.so"));
    EXPECT_EQ(ImageFile::reader(misnamed)->read().size(), QSize(1, 1));
}

TEST(TavroMainTest, TheSharedPoolsWorkersEndSoonAfterTheirWork)
{
    TavroMain::letIdleWorkersEnd();
    std::atomic<pid_t> worker = 0;
    QThreadPool::globalInstance()->start([&worker] { worker = ::gettid(); });
    ASSERT_TRUE(QTest::qWaitFor([&worker] { return worker.load() != 0; }, 5000));
    const QString task = QStringLiteral("/proc/self/task/%1").arg(worker.load());
    ASSERT_TRUE(QFileInfo::exists(task));
    const bool ended = QTest::qWaitFor(
        [&task] { return !QFileInfo::exists(task); }, 3 * int(TavroMain::kIdleWorkerLifetime.count()));
    EXPECT_TRUE(ended);
}

class DiagnosticsFileTest : public ::testing::Test
{
protected:
    QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("tavro-safari-diag.txt");
    const QByteArray report = "Safari: installed\nProfiles: Work, Ä\n";
};

TEST_F(DiagnosticsFileTest, WritesTheReportForTheUserAlone)
{
    ASSERT_TRUE(TavroMain::writeDiagnosticsFile("old report, longer than the new one\n\n\n\n\n\n\n\n\n", path));
    ASSERT_TRUE(TavroMain::writeDiagnosticsFile(report, path));
    EXPECT_EQ(read(path), report);
    struct stat status
    { };
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(DiagnosticsFileTest, APlantedLinkIsReplacedNotFollowed)
{
    const QString victim = dir.filePath("victim");
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    ASSERT_TRUE(QFile::link(victim, path));

    ASSERT_TRUE(TavroMain::writeDiagnosticsFile(report, path));
    EXPECT_EQ(read(victim), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(read(path), report);
}

TEST_F(DiagnosticsFileTest, AnUnwritableFolderFailsQuietly)
{
    EXPECT_FALSE(TavroMain::writeDiagnosticsFile(report, dir.filePath("missing/folder/file.txt")));
}

TEST_F(DiagnosticsFileTest, DiagnoseSafariSaysWhenItCouldNotWriteItsFile)
{
    // A folder where the file belongs: the report still goes out, the failure is said, the
    // status is not success.
    ASSERT_TRUE(QDir(dir.path()).mkdir("tavro-safari-diag.txt"));
    ::testing::internal::CaptureStderr();
    const int status = TavroMain::diagnoseSafari(path);
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(status, 0);
    EXPECT_NE(error.find("Safari"), std::string::npos) << error;
    EXPECT_NE(error.find("could not write " + path.toStdString()), std::string::npos) << error;
    EXPECT_TRUE(QFileInfo(path).isDir());

    ::testing::internal::CaptureStderr();
    EXPECT_NE(TavroMain::diagnoseSafari(dir.filePath("missing/file.txt")), 0);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not write"), std::string::npos);
}

TEST_F(DiagnosticsFileTest, DiagnoseSafariSucceedsWithTheReportInItsFile)
{
    ::testing::internal::CaptureStderr();
    const int status = TavroMain::diagnoseSafari(path);
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(path).toStdString(), error);
}

} // namespace
