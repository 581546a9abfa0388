#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/AutostartEntry.h"
#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/HomeFolder.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Support/FileSizeLimit.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <dirent.h>
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

// Read as bytes: QDir drops a name that is not valid UTF-8.
QByteArrayList namesIn(const QByteArray& folder)
{
    QByteArrayList names;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr) {
        if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
            names.append(entry->d_name);
    }
    if (dir)
        ::closedir(dir);
    return names;
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
        WriterCase{"report", [] { return HomeFolder::path() + "/tavro-safari-diag.txt"; },
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

// Qt gives a name that is not valid UTF-8 with U+FFFD in place of each bad byte: that text names
// a folder beside the home, which nothing may make or fill.
TEST(AtomicFileTest, NothingIsWrittenBeneathAHomeWhoseNameIsNoText)
{
    test::TempHome base;
    const QByteArray parent = QFile::encodeName(base.path());
    const QByteArray home = parent + "/home-caf\xe9";
    ASSERT_EQ(::mkdir(home.constData(), 0700), 0);
    // Qt cannot name it to remove it with the rest.
    const auto removeHome = qScopeGuard([&] { ::rmdir(home.constData()); });
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/.config");
    ASSERT_FALSE(HomeFolder::pathIsExact());

    UserDefaults defaults(UserDefaults::standardPath());
    EXPECT_EQ(defaults.setValue("k", "v"), std::unexpected(UserDefaultsError::unwritable));
    EXPECT_TRUE(defaults.hasUnsavedChanges());
    EXPECT_FALSE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "com.vaskhaldor.Tavro"));
    EXPECT_FALSE(AutostartEntry::systemBackend().registerMainApp());
    EXPECT_EQ(namesIn(parent), QByteArrayList{"home-caf\xe9"});
    EXPECT_EQ(namesIn(home), QByteArrayList{});
}

} // namespace
