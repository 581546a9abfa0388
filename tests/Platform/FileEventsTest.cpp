#include "Tavro/Platform/FileEvents.h"
#include "tests/Support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

class FileEventsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QObject receiver;
    QList<QStringList> batches;

    QString path(const QString& relative) const { return dir.filePath(relative); }

    void write(const QString& relative, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Browsers save "Local State" by writing a temporary file and renaming it over the old one.
    void replace(const QString& relative, const QByteArray& bytes)
    {
        write(relative + QStringLiteral(".tmp"), bytes);
        ASSERT_EQ(::rename(QFile::encodeName(path(relative + QStringLiteral(".tmp"))).constData(),
                      QFile::encodeName(path(relative)).constData()),
            0);
    }

    std::unique_ptr<FileEvents> watch(QStringList folders = {}, std::chrono::milliseconds latency = 20ms)
    {
        if (folders.isEmpty())
            folders = {dir.path()};
        auto events = std::make_unique<FileEvents>(folders, QStringLiteral("test.fileevents"), latency);
        QObject::connect(
            events.get(), &FileEvents::changed, &receiver, [this](const QStringList& paths) { batches.append(paths); });
        return events;
    }

    // Every path reported so far.
    QStringList seen() const
    {
        QStringList all;
        for (const QStringList& batch : batches)
            all += batch;
        return all;
    }

    bool waitFor(const QString& relative)
    {
        return QTest::qWaitFor([&] { return seen().contains(path(relative)); }, 5000);
    }

    // Waits until every change made so far in `folder` has been delivered: changes arrive in the
    // order they were made, so a file written now arrives after all of them.
    void waitForEarlierChanges(const QString& folder = {})
    {
        const QString name = QStringLiteral("marker-%1").arg(++markers);
        const QString marker = folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
        write(marker, "");
        ASSERT_TRUE(waitFor(marker));
    }

    int markers = 0;
};

TEST_F(FileEventsTest, NothingToWatchDoesNotStart)
{
    auto events = watch({path(QStringLiteral("absent"))});
    EXPECT_FALSE(events->start());
    EXPECT_FALSE(events->isRunning());
}

TEST_F(FileEventsTest, ReportsWritesCreationsAndRemovals)
{
    write(QStringLiteral("Local State"), "{}");
    auto events = watch();
    ASSERT_TRUE(events->start());

    write(QStringLiteral("Local State"), R"({"profile":{}})");
    EXPECT_TRUE(waitFor(QStringLiteral("Local State")));

    write(QStringLiteral("profiles.ini"), "[Profile0]\n");
    EXPECT_TRUE(waitFor(QStringLiteral("profiles.ini")));

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("profiles.ini"))));
    batches.clear();
    EXPECT_TRUE(waitFor(QStringLiteral("profiles.ini")));
}

TEST_F(FileEventsTest, FollowsAFileReplacedByRename)
{
    write(QStringLiteral("Local State"), "{}");
    auto events = watch();
    ASSERT_TRUE(events->start());

    replace(QStringLiteral("Local State"), R"({"a":1})");
    EXPECT_TRUE(waitFor(QStringLiteral("Local State")));

    // The watch moved to the new file: a plain write to it is still seen.
    waitForEarlierChanges();
    batches.clear();
    QFile file(path(QStringLiteral("Local State")));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(" ");
    file.close();
    EXPECT_TRUE(waitFor(QStringLiteral("Local State")));
}

TEST_F(FileEventsTest, WatchesFoldersDownToTheDepthOnly)
{
    write(QStringLiteral("Default/Preferences"), "{}");
    write(QStringLiteral("Default/Deep/Cookies"), "x");
    auto events = watch();
    ASSERT_TRUE(events->start());

    write(QStringLiteral("Default/Deep/Cookies"), "y");
    write(QStringLiteral("Default/Preferences"), R"({"x":1})");
    EXPECT_TRUE(waitFor(QStringLiteral("Default/Preferences")));
    EXPECT_FALSE(seen().contains(path(QStringLiteral("Default/Deep/Cookies"))));
}

TEST_F(FileEventsTest, AFolderThatAppearsIsReportedWithWhatItHolds)
{
    auto events = watch();
    ASSERT_TRUE(events->start());

    write(QStringLiteral("Profile Groups/store.sqlite"), "db");
    EXPECT_TRUE(waitFor(QStringLiteral("Profile Groups/store.sqlite")));

    // And the new folder is watched from then on.
    batches.clear();
    write(QStringLiteral("Profile Groups/store.sqlite-wal"), "wal");
    EXPECT_TRUE(waitFor(QStringLiteral("Profile Groups/store.sqlite-wal")));
}

// A browser's data folder deleted and made anew (a reset) is watched again.
TEST_F(FileEventsTest, AWatchedFolderThatComesBackIsWatchedAgain)
{
    write(QStringLiteral("Chromium/Local State"), "{}");
    auto events = watch({path(QStringLiteral("Chromium"))});
    ASSERT_TRUE(events->start());
    ASSERT_TRUE(QDir(path(QStringLiteral("Chromium"))).removeRecursively());
    EXPECT_TRUE(waitFor(QStringLiteral("Chromium")));

    batches.clear();
    write(QStringLiteral("Chromium/Local State"), "{}");
    EXPECT_TRUE(waitFor(QStringLiteral("Chromium/Local State")));
    waitForEarlierChanges(QStringLiteral("Chromium"));
    batches.clear();
    write(QStringLiteral("Chromium/Local State"), R"({"profile":{}})");
    EXPECT_TRUE(waitFor(QStringLiteral("Chromium/Local State")));
}

TEST_F(FileEventsTest, ABurstArrivesInFewBatches)
{
    write(QStringLiteral("profiles.ini"), "");
    // A window long enough that a loaded machine still makes all ten writes inside it.
    auto events = watch({}, 400ms);
    ASSERT_TRUE(events->start());
    for (int i = 0; i < 10; ++i)
        write(QStringLiteral("profiles.ini"), QByteArray::number(i));
    waitForEarlierChanges();
    // The first write goes out at once, the rest gather into one batch, each path once.
    const QString written = path(QStringLiteral("profiles.ini"));
    EXPECT_LE(std::ranges::count_if(batches, [&](const QStringList& batch) { return batch.contains(written); }), 2);
    for (const QStringList& batch : std::as_const(batches))
        EXPECT_LE(batch.count(written), 1);
}

TEST_F(FileEventsTest, AChangeAfterAQuietSpellIsNotHeldBack)
{
    write(QStringLiteral("Local State"), "{}");
    auto events = watch({}, 60s);
    ASSERT_TRUE(events->start());
    write(QStringLiteral("Local State"), R"({"profile":{}})");
    EXPECT_TRUE(waitFor(QStringLiteral("Local State")));
}

TEST_F(FileEventsTest, NothingArrivesAfterStop)
{
    write(QStringLiteral("Local State"), "{}");
    auto events = watch();
    ASSERT_TRUE(events->start());
    events->stop();
    EXPECT_FALSE(events->isRunning());
    // A second stream on the folder shows when the write would have arrived.
    QStringList witnessed;
    FileEvents witness({dir.path()}, QStringLiteral("test.witness"), 20ms);
    QObject::connect(&witness, &FileEvents::changed, &receiver, [&](const QStringList& paths) { witnessed += paths; });
    ASSERT_TRUE(witness.start());
    write(QStringLiteral("Local State"), "{ }");
    ASSERT_TRUE(QTest::qWaitFor([&] { return witnessed.contains(path(QStringLiteral("Local State"))); }, 5000));
    EXPECT_TRUE(batches.isEmpty());
}

} // namespace
