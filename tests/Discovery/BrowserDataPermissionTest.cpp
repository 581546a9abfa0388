#include "Tavro/Discovery/BrowserDataPermission.h"
#include "tests/Discovery/DiscoveryFixtures.h"

#include <gtest/gtest.h>

using namespace tavro;

namespace {

// The real disk, remembering every file whose access was tried.
class RecordingFileSystem : public RealFileSystem
{
public:
    FileReadOutcome read(const QString& path) const override
    {
        tried.append(path);
        return RealFileSystem::read(path);
    }
    mutable QStringList tried;
};

class BrowserDataPermissionTest : public ::testing::Test
{
protected:
    test::TempHome home;
    RecordingFileSystem fs;
};

TEST_F(BrowserDataPermissionTest, TouchesOnlyChromiumFamilyLocalStates)
{
    test::installApp(home, "Firefox", "org.mozilla.firefox");
    test::installApp(home, "Safari", "com.apple.Safari");
    test::installApp(home, "Arc", "company.thebrowser.Browser");
    BrowserDataPermission::probe(fs);
    EXPECT_TRUE(fs.tried.isEmpty());

    // Tried whether or not the file is there: the attempt itself is what the system records.
    test::installApp(home, "Brave Browser", "com.brave.Browser");
    test::installApp(home, "Google Chrome", "com.google.Chrome");
    test::writeLocalState(home, "Google/Chrome", {{"Default", "Personal"}});
    BrowserDataPermission::probe(fs);
    EXPECT_EQ(fs.tried,
        (QStringList{home.filePath(test::chromiumSupport + "Google/Chrome/Local State"),
            home.filePath(test::chromiumSupport + "BraveSoftware/Brave-Browser/Local State")}));
}

} // namespace
