#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/BrowserDataFolder.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/Workspace.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Support/Pixels.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QFile>
#include <QIcon>
#include <QImage>
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

    // Each install of an application has an identifier; a package's is the application's own.
    using DesktopApplications::Install;
    const QString flatpaks = "/h/.local/share/flatpak/exports/share/applications/";
    const struct
    {
        QString entry;
        Install install;
        QString identifier;
        QString name;
    } installs[] = {
        {"/usr/share/applications/firefox-esr.desktop", Install::package, "org.mozilla.firefox", ""},
        {"/usr/share/applications/org.mozilla.firefox.desktop", Install::package, "org.mozilla.firefox", ""},
        {flatpaks + "org.mozilla.firefox.desktop", Install::flatpak, "org.mozilla.firefox@flatpak", "Flatpak"},
        {"/var/lib/snapd/desktop/applications/firefox_firefox.desktop", Install::snap, "org.mozilla.firefox@snap",
            "Snap"},
        {"/h/Applications/Firefox.app", Install::package, "org.mozilla.firefox", ""},
    };
    for (const auto& c : installs) {
        EXPECT_EQ(DesktopApplications::installOf(c.entry), c.install) << qPrintable(c.entry);
        const QString identifier = DesktopApplications::installIdentifier("org.mozilla.firefox", c.install);
        EXPECT_EQ(identifier, c.identifier) << qPrintable(c.entry);
        EXPECT_EQ(DesktopApplications::applicationIdentifier(identifier), "org.mozilla.firefox") << qPrintable(c.entry);
        EXPECT_EQ(DesktopApplications::installName(identifier), c.name) << qPrintable(c.entry);
    }
    // An "@" that names no install is part of the identifier.
    EXPECT_EQ(DesktopApplications::applicationIdentifier("org.example@web"), "org.example@web");
    EXPECT_EQ(DesktopApplications::installName("org.example@web"), "");
    EXPECT_EQ(DesktopApplications::knownApplication("org.chromium.Chromium@snap"),
        DesktopApplications::knownApplication("org.chromium.Chromium"));
}

// A snap or a Flatpak beside the package answers to its own identifier; without a package, the
// first of them also to the application's, which destinations stored before installs had
// identifiers of their own name it by.
TEST_F(DesktopApplicationsTest, EachInstallAnswersToItsOwnIdentifier)
{
    const QString flatpaks = ".local/share/flatpak/exports/share/applications";
    const QString snaps = "var/lib/snapd/desktop/applications";
    qputenv("XDG_DATA_DIRS",
        (home.filePath(".local/share/flatpak/exports/share") + ':' + home.filePath("var/lib/snapd/desktop") + ':'
            + home.filePath(".xdg-data"))
            .toUtf8());
    const QString flatpak = entry(flatpaks, "org.mozilla.firefox.desktop", "Name=Firefox\nExec=sh %u\n");
    const QString snap = entry(snaps, "firefox_firefox.desktop", "Name=Firefox\nExec=sh %u\n");
    const Workspace& workspace = Workspace::shared();
    EXPECT_EQ(workspace.urlForApplication("org.mozilla.firefox"), flatpak);
    EXPECT_EQ(workspace.urlForApplication("org.mozilla.firefox@flatpak"), flatpak);
    EXPECT_EQ(workspace.urlForApplication("org.mozilla.firefox@snap"), snap);
    EXPECT_EQ(Workspace::bundle(snap)->bundleIdentifier, "org.mozilla.firefox@snap");

    const QString package = entry(systemEntries(), "firefox-esr.desktop", "Name=Firefox ESR\nExec=sh %u\n");
    EXPECT_EQ(workspace.urlForApplication("org.mozilla.firefox"), package);
    EXPECT_EQ(workspace.urlForApplication("org.mozilla.firefox@flatpak"), flatpak);
    EXPECT_FALSE(workspace.urlForApplication("org.chromium.Chromium@flatpak"));
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
    EXPECT_EQ(BrowserDataFolder::locate(h + "/var/lib/snapd/desktop/applications/chromium_chromium.desktop",
                  "org.chromium.Chromium@snap", "Chromium", h),
        h + "/snap/chromium/common/chromium");
    // Inside a sandbox Firefox keeps the same rule, in the folders the sandbox gives it.
    const struct
    {
        QString entry;
        QString legacy;
        QString xdg;
    } sandboxes[] = {
        {h + "/fp/flatpak/exports/share/applications/org.mozilla.firefox.desktop",
            h + "/.var/app/org.mozilla.firefox/.mozilla/firefox",
            h + "/.var/app/org.mozilla.firefox/config/mozilla/firefox"},
        {h + "/var/lib/snapd/desktop/applications/firefox_firefox.desktop", h + "/snap/firefox/common/.mozilla/firefox",
            h + "/snap/firefox/common/.config/mozilla/firefox"},
    };
    for (const auto& c : sandboxes) {
        EXPECT_EQ(BrowserDataFolder::locate(c.entry, "org.mozilla.firefox", "Firefox", h), c.xdg);
        QDir().mkpath(c.legacy);
        EXPECT_EQ(BrowserDataFolder::locate(c.entry, "org.mozilla.firefox", "Firefox", h), c.legacy);
    }
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

// A desktop entry names its icon by the icon theme's name for it: it comes from the theme's folder
// of the size asked, or else of the closest size, made smaller to fit; from a theme the desktop's
// theme inherits, or "hicolor"; then from the icons outside any theme. A drawing fills the box.
TEST_F(DesktopApplicationsTest, AnEntrysIconComesFromTheIconThemeAtTheSizeAsked)
{
    using test::png;
    const QString icons = home.filePath(".xdg-data/icons");
    QIcon::setThemeSearchPaths({home.filePath(".local/share/icons"), icons});
    QIcon::setFallbackSearchPaths({home.filePath(".xdg-data/pixmaps")});
    QIcon::setThemeName(QStringLiteral("Mine"));
    home.writeFile(".xdg-data/icons/hicolor/index.theme",
        "[Icon Theme]\nName=Hicolor\nDirectories=16x16/apps,48x48/apps,scalable/apps\n\n"
        "[16x16/apps]\nSize=16\nType=Fixed\n\n[48x48/apps]\nSize=48\nType=Threshold\n\n"
        "[scalable/apps]\nSize=128\nType=Scalable\nMinSize=8\nMaxSize=512\n");
    home.writeFile(".xdg-data/icons/hicolor/16x16/apps/browser.png", png(Qt::red, 16));
    home.writeFile(".xdg-data/icons/hicolor/48x48/apps/browser.png", png(Qt::blue, 48));
    home.writeFile(".xdg-data/icons/hicolor/scalable/apps/drawn.svg",
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10"><rect width="10" height="10" fill="#0f0"/></svg>)");
    // The desktop's own theme, in the user's folder, inherits another that is not installed.
    home.writeFile(".local/share/icons/Mine/index.theme",
        "[Icon Theme]\nInherits=Missing,hicolor\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\n");
    home.writeFile(".local/share/icons/Mine/48x48/apps/own.png", png(Qt::yellow, 48));
    home.writeFile(".xdg-data/pixmaps/legacy.png", png(Qt::cyan, 32));

    const auto iconOf = [&](const QByteArray& icon, int box) {
        // A browser's entry, whose icon each case names anew.
        const QString path = entry(systemEntries(), "chromium.desktop", "Name=C\nExec=sh\nIcon=" + icon + "\n");
        return Workspace::icon(path, QSize(box, box));
    };
    const struct
    {
        QByteArray icon;
        int box;
        QSize size;
        QColor color;
    } cases[] = {
        {"browser", 16, {16, 16}, Qt::red},  // the folder of the size
        {"browser", 48, {48, 48}, Qt::blue}, //
        {"browser", 50, {48, 48}, Qt::blue}, // within the folder's threshold; never made larger
        {"browser", 32, {32, 32}, Qt::blue}, // the closest size, made smaller
        {"browser", 20, {16, 16}, Qt::red},  //
        {"own", 16, {16, 16}, Qt::yellow},   // the desktop's theme before the ones it inherits
        {"drawn", 64, {64, 64}, Qt::green},  // a drawing drawn at the box
        {"legacy", 64, {32, 32}, Qt::cyan},  // outside any theme
    };
    for (const auto& c : cases) {
        const auto image = iconOf(c.icon, c.box);
        ASSERT_TRUE(image) << c.icon.constData() << " at " << c.box;
        EXPECT_EQ(image->size(), c.size) << c.icon.constData() << " at " << c.box;
        EXPECT_EQ(image->pixelColor(image->width() / 2, image->height() / 2), c.color) << c.icon.constData();
    }
    EXPECT_FALSE(iconOf("absent", 32)) << "no theme has it";
    home.writeFile(".xdg-data/pixmaps/broken.png", "not a picture");
    EXPECT_FALSE(iconOf("broken", 32)) << "a file that does not read is no icon";
}

} // namespace
