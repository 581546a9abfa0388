#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/AutostartEntry.h"
#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Support/FileSizeLimit.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tavro;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entriesBeside(const QString& path)
{
    return QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
}

mode_t modeOf(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Every file Tavro writes, and how it writes it: true when the writer says the file was written.
struct WriterCase
{
    const char* name;
    QString (*path)();
    bool (*write)(const QString& path);

    friend void PrintTo(const WriterCase& c, std::ostream* os) { *os << c.name; }
};

class FullDiskTest : public ::testing::TestWithParam<WriterCase>
{
protected:
    test::TempHome home;
};

// A write that stops half-way (a full disk; here a file size limit, which stops root too) leaves
// the file as the last whole write left it, says it failed, and leaves nothing beside it.
TEST_P(FullDiskTest, TheLastWholeFileStays)
{
    const QString path = GetParam().path();
    ASSERT_TRUE(GetParam().write(path));
    const QByteArray whole = contents(path);
    const QStringList entries = entriesBeside(path);
    ASSERT_GT(whole.size(), 64);
    {
        const test::FileSizeLimit fullDisk(16);
        EXPECT_FALSE(GetParam().write(path));
    }
    EXPECT_EQ(contents(path), whole);
    EXPECT_EQ(entriesBeside(path), entries);
}

INSTANTIATE_TEST_SUITE_P(Writers, FullDiskTest,
    ::testing::Values(WriterCase{"settings", UserDefaults::standardPath,
                          [](const QString& path) {
                              UserDefaults defaults(path);
                              return defaults.setValue("k", QString(200, u'x')).has_value();
                          }},
        WriterCase{"mimeapps", DefaultBrowser::storePath,
            [](const QString&) {
                return DefaultBrowser::setDefaultHandlerForURLScheme("https", "com.vaskhaldor.Tavro").has_value();
            }},
        WriterCase{"autostart", AutostartEntry::entryPath,
            [](const QString&) { return AutostartEntry::systemBackend().registerMainApp().has_value(); }},
        WriterCase{"report", [] { return QDir::homePath() + "/tavro-safari-diag.txt"; },
            [](const QString& path) {
                return AtomicFile::write(
                    path, QByteArray(200, 'r'), AtomicFile::Access::ownerOnly, AtomicFile::Place::sharedFolder);
            }}),
    [](const auto& info) { return std::string(info.param.name); });

// A file replaced keeps who may read it, unless it is the user's alone; a link is followed in the
// user's own folders, never into replacing a pipe or a device, and replaced in a shared one.
TEST(AtomicFileTest, AccessAndLinks)
{
    test::TempHome home;
    const QString path = home.writeFile("shared.list", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(AtomicFile::write(path, "new", AtomicFile::Access::asBefore));
    EXPECT_EQ(modeOf(path), 0640u);
    ASSERT_TRUE(AtomicFile::write(path, "private", AtomicFile::Access::ownerOnly));
    EXPECT_EQ(modeOf(path), 0600u);

    const QString kept = home.writeFile("elsewhere/kept.plist", "old");
    const QString link = home.filePath("Library/kept.plist");
    QDir().mkpath(home.filePath("Library"));
    ASSERT_TRUE(QFile::link(kept, link));
    ASSERT_TRUE(AtomicFile::write(link, "followed", AtomicFile::Access::ownerOnly));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contents(kept), "followed");
    ASSERT_TRUE(AtomicFile::write(link, "replaced", AtomicFile::Access::ownerOnly, AtomicFile::Place::sharedFolder));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contents(link), "replaced");
    EXPECT_EQ(contents(kept), "followed");

    const QString pipe = home.filePath("elsewhere/pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(QFile::link(pipe, link));
    EXPECT_FALSE(AtomicFile::write(link, "never", AtomicFile::Access::ownerOnly));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(pipe) && !QFileInfo(pipe).isFile()) << "the pipe stays a pipe";
}

} // namespace
