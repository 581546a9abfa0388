#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/BrowserDataFolder.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/Workspace.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

TEST(DesktopEntryTest, ReadsGroupsLocalisedKeysAndEscapes)
{
    const auto entry = DesktopEntry::parse("# comment\n"
                                           "[Desktop Entry]\n"
                                           "Name=Web\n"
                                           "Name[de]=Netz\n"
                                           "Name[de_AT]=Netz AT\n"
                                           "Name[sr@latin]=Mreza\n"
                                           "Comment = spaced\\sout\\ttab\\\\end \n"
                                           "Name=Second value is ignored\n"
                                           "Hidden=True\n"
                                           "[Desktop Action new]\n"
                                           "Name=New Window\n"
                                           "[Desktop Entry]\n"
                                           "Exec=from a repeated group\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->value("Name"), "Web");
    EXPECT_EQ(entry->value("Name", "de_AT.UTF-8"), "Netz AT");
    EXPECT_EQ(entry->value("Name", "de_CH"), "Netz");
    EXPECT_EQ(entry->value("Name", "sr_RS@latin"), "Mreza");
    EXPECT_EQ(entry->value("Name", "fr_FR"), "Web");
    EXPECT_EQ(entry->value("Comment"), "spaced out\ttab\\end");
    EXPECT_EQ(entry->value("Name", {}, "Desktop Action new"), "New Window");
    EXPECT_FALSE(entry->value("Exec"));
    // Booleans are lower case; "True" is no boolean.
    EXPECT_FALSE(entry->flag("Hidden"));
    EXPECT_FALSE(DesktopEntry::parse("no group=at all\n"));
    EXPECT_FALSE(DesktopEntry::read("/nonexistent/x.desktop"));
}

TEST(DesktopEntryTest, SplitsAndExpandsExec)
{
    EXPECT_EQ(DesktopEntry::splitExec(R"(  "/opt/My App/run" --flag "a \"q\" \$HOME \\ b"  %U )"),
        (QStringList{"/opt/My App/run", "--flag", R"(a "q" $HOME \ b)", "%U"}));
    EXPECT_FALSE(DesktopEntry::splitExec(R"(run "unterminated)"));
    EXPECT_FALSE(DesktopEntry::splitExec("   "));

    const QStringList links{"--profile-directory=Profile 1", "https://a.test/?q=%20"};
    EXPECT_EQ(DesktopEntry::expandExec({"%U", "--x"}, links, "N", "ic", "/e.desktop"), links + QStringList{"--x"});
    EXPECT_EQ(DesktopEntry::expandExec({"%u", "%F"}, links, "N", "ic", "/e.desktop"), links);
    EXPECT_EQ(DesktopEntry::expandExec({"--new"}, links, "N", "ic", "/e.desktop"), QStringList{"--new"} + links);
    EXPECT_EQ(DesktopEntry::expandExec({"%i", "--class=%c", "%k", "100%%", "%d"}, {}, "Name", "icon", "/e.desktop"),
        (QStringList{"--icon", "icon", "--class=Name", "/e.desktop", "100%", ""}));
    EXPECT_EQ(DesktopEntry::expandExec({"%i"}, {}, "Name", "", "/e.desktop"), QStringList{});
}

class DesktopApplicationsTest : public ::testing::Test
{
protected:
    QString entry(const QString& folder, const QString& id, const QByteArray& body) const
    {
        return home.writeFile(folder + QLatin1Char('/') + id, "[Desktop Entry]\nType=Application\n" + body);
    }
    QString userEntries() const { return QStringLiteral(".local/share/applications"); }
    QString systemEntries() const { return QStringLiteral(".xdg-data/applications"); }

    test::TempHome home;
};

TEST_F(DesktopApplicationsTest, FindsTheTablesBrowsersThroughTheirEntries)
{
    const QString chromium = entry(
        systemEntries(), "chromium.desktop", "Name=Chromium Web Browser\nExec=/bin/sh -c true %U\nIcon=chromium\n");
    entry(systemEntries(), "firefox-esr.desktop", "Name=Firefox ESR\nExec=sh %u\nTryExec=/nonexistent/firefox\n");
    entry(systemEntries(), "unknown-browser.desktop", "Name=Other\nExec=sh\n");

    const auto found = Workspace::shared().urlForApplication("org.chromium.Chromium");
    ASSERT_EQ(found, chromium);
    const auto bundle = Workspace::bundle(*found);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->bundleIdentifier, "org.chromium.Chromium");
    EXPECT_EQ(bundle->name, "Chromium Web Browser");
    EXPECT_EQ(bundle->executablePath(), "/bin/sh");
    EXPECT_EQ(bundle->commandLine({"https://x.test"}), (QStringList{"/bin/sh", "-c", "true", "https://x.test"}));
    // A package that was removed but left its entry behind (TryExec) is not installed.
    EXPECT_FALSE(Workspace::shared().urlForApplication("org.mozilla.firefox"));

    // The user's own entry replaces the system's; one with Hidden=true hides it.
    const QString own = entry(userEntries(), "chromium.desktop", "Name=Mine\nExec=sh\n");
    EXPECT_EQ(Workspace::shared().urlForApplication("org.chromium.Chromium"), own);
    entry(userEntries(), "chromium.desktop", "Name=Mine\nExec=sh\nHidden=true\n");
    EXPECT_FALSE(Workspace::shared().urlForApplication("org.chromium.Chromium"));
}

TEST_F(DesktopApplicationsTest, AnApplicationBundleGoesBeforeItsEntry)
{
    entry(systemEntries(), "google-chrome.desktop", "Name=Google Chrome\nExec=sh %U\n");
    const QString bundle = test::writeBundle(
        home.filePath("Applications"), "Google Chrome", "com.google.Chrome", "Google Chrome", "#!/bin/sh\n");
    EXPECT_EQ(Workspace::shared().urlForApplication("com.google.Chrome"), bundle);
}

TEST_F(DesktopApplicationsTest, MapsIdsAndIdentifiersBothWays)
{
    EXPECT_EQ(DesktopApplications::bundleIdentifier("firefox-esr.desktop"), "org.mozilla.firefox");
    EXPECT_EQ(DesktopApplications::bundleIdentifier("google-chrome.desktop"), "com.google.Chrome");
    EXPECT_EQ(DesktopApplications::bundleIdentifier("brave-browser.desktop"), "com.brave.Browser");
    EXPECT_FALSE(DesktopApplications::bundleIdentifier("gimp.desktop"));
    EXPECT_EQ(DesktopApplications::preferredDesktopId("org.chromium.Chromium"), "chromium.desktop");
    EXPECT_EQ(DesktopApplications::preferredDesktopId("COM.VaskHaldor.tavro"), "tavro.desktop");
    EXPECT_EQ(DesktopApplications::preferredDesktopId("org.example.Web"), "org.example.Web.desktop");
    EXPECT_EQ(DesktopApplications::identifierForDesktopId("org.example.Web.desktop"), "org.example.Web");
}

TEST_F(DesktopApplicationsTest, DataFoldersFollowHowTheBrowserWasFound)
{
    const QString h = home.path();
    const QString entryPath = h + "/.xdg-data/applications/chromium.desktop";
    EXPECT_EQ(BrowserDataFolder::locate(entryPath, "org.chromium.Chromium", "Chromium", h), h + "/.config/chromium");
    EXPECT_EQ(BrowserDataFolder::locate(entryPath, "com.brave.Browser", "BraveSoftware/Brave-Browser", h),
        h + "/.config/BraveSoftware/Brave-Browser");
    // Firefox: the XDG folder, unless an older release left "~/.mozilla/firefox", which it keeps.
    EXPECT_EQ(
        BrowserDataFolder::locate(entryPath, "org.mozilla.firefox", "Firefox", h), h + "/.config/mozilla/firefox");
    QDir().mkpath(h + "/.mozilla/firefox");
    EXPECT_EQ(BrowserDataFolder::locate(entryPath, "org.mozilla.firefox", "Firefox", h), h + "/.mozilla/firefox");
    // Flathub's id names a Flatpak only inside a Flatpak installation's exports.
    EXPECT_EQ(BrowserDataFolder::locate(
                  h + "/.xdg-data/applications/org.mozilla.firefox.desktop", "org.mozilla.firefox", "Firefox", h),
        h + "/.mozilla/firefox");
    EXPECT_EQ(BrowserDataFolder::locate(h + "/fp/flatpak/exports/share/applications/com.google.Chrome.desktop",
                  "com.google.Chrome", "Google/Chrome", h),
        h + "/.var/app/com.google.Chrome/config/google-chrome");
    // A bundle keeps the Library layout; so does an entry of a browser the table lacks.
    EXPECT_EQ(BrowserDataFolder::locate(h + "/Applications/Chromium.app", "org.chromium.Chromium", "Chromium", h),
        h + "/Library/Application Support/Chromium");
    EXPECT_EQ(
        BrowserDataFolder::locate(entryPath, "com.example.Web", "Web", h), h + "/Library/Application Support/Web");

    qputenv("XDG_CONFIG_HOME", "/elsewhere/conf");
    EXPECT_EQ(BrowserDataFolder::linuxFolder("com.google.Chrome", h), "/elsewhere/conf/google-chrome");
    EXPECT_EQ(BrowserDataFolder::linuxFolder("org.mozilla.firefox", h), h + "/.mozilla/firefox");
    // A relative value does not count.
    qputenv("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(BrowserDataFolder::linuxFolder("com.google.Chrome", h), h + "/.config/google-chrome");
}

} // namespace
