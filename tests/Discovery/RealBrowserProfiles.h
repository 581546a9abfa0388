#pragma once
// Profiles of the real browsers' own making in a temporary HOME: Debian's Chromium, on an Xvfb
// display, and firefox-esr write their files, which are then found where a Mac keeps them.

#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Support/Xvfb.h"

#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tavro::test {

inline const QString chromiumId = QStringLiteral("org.chromium.Chromium");

class RealBrowserProfiles
{
public:
    RealBrowserProfiles(const TempHome& home, const Xvfb& xvfb) : m_home(home), m_xvfb(xvfb) { }
    ~RealBrowserProfiles()
    {
        for (auto& process : m_processes)
            stop(*process);
    }

    RealBrowserProfiles(const RealBrowserProfiles&) = delete;
    RealBrowserProfiles& operator=(const RealBrowserProfiles&) = delete;

    // The browser binary itself: Debian's /usr/bin/chromium is a shell script, and a terminated
    // script would leave the browser running without the orderly exit that saves "Local State".
    static QString chromiumBinary()
    {
        if (QFileInfo(QStringLiteral("/usr/lib/chromium/chromium")).isExecutable())
            return QStringLiteral("/usr/lib/chromium/chromium");
        return QStandardPaths::findExecutable(QStringLiteral("chromium"));
    }

    QString userDataDir() const { return m_home.filePath(chromiumSupport + QStringLiteral("Chromium")); }

    QProcess& startChromium(const QString& profileDirectory)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_xvfb.display());
        env.insert(QStringLiteral("HOME"), m_home.path());
        process->setProcessEnvironment(env);
        // Chromium complains at length about the missing session bus; none of it matters here.
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(chromiumBinary(),
            {"--no-sandbox", "--no-first-run", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--disable-quic", "--password-store=basic",
                "--user-data-dir=" + userDataDir(), "--profile-directory=" + profileDirectory, "about:blank"});
        EXPECT_TRUE(process->waitForStarted(10000));
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }

    // A terminate before Chromium has finished starting would kill it outright; once its window is
    // mapped it exits in order.
    bool waitForWindow(const QProcess& process) const
    {
        const QString pid = QString::number(process.processId());
        return QTest::qWaitFor(
            [&] {
                return m_xvfb.run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", pid}) == 0;
            },
            30000);
    }

    // An orderly exit, which is when Chromium saves "Local State" for good.
    static void stop(QProcess& process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // The profiles' names as Chromium wrote them: folder → name.
    QHash<QString, QString> chromiumNames() const
    {
        QFile file(userDataDir() + QStringLiteral("/Local State"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QJsonObject cache = QJsonDocument::fromJson(file.readAll())
                                      .object()
                                      .value("profile")
                                      .toObject()
                                      .value("info_cache")
                                      .toObject();
        QHash<QString, QString> names;
        for (auto it = cache.begin(); it != cache.end(); ++it)
            names.insert(it.key(), it.value().toObject().value("name").toString());
        return names;
    }

    // Two profiles of Chromium's own making, the application bundle installed: the browser starts
    // in Default, and a second invocation asks the running browser for a window in "Profile 1".
    void makeTwoChromiumProfiles()
    {
        ASSERT_TRUE(m_xvfb.isRunning());
        ASSERT_FALSE(chromiumBinary().isEmpty());
        installApp(m_home, "Chromium", chromiumId);
        QProcess& browser = startChromium(QStringLiteral("Default"));
        ASSERT_TRUE(waitForWindow(browser));
        QProcess& second = startChromium(QStringLiteral("Profile 1"));
        second.waitForFinished(20000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(userDataDir() + "/Profile 1"); }, 30000));
        // The folder comes first; the profile joins the list that "Local State" keeps once its
        // window is open. Stopped earlier, a loaded machine saves a list with Default alone.
        const QString pid = QString::number(browser.processId());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                QByteArray windows;
                m_xvfb.run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", pid}, &windows);
                return windows.trimmed().split('\n').size() >= 2;
            },
            30000));
        stop(browser);
    }

    // A Firefox profile named `name`, made by firefox-esr, the application bundle installed. Its
    // folder is linked to where Firefox keeps profiles on a Mac; firefoxRoot() is the real one.
    void makeFirefoxProfile(const QString& name)
    {
        const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
        ASSERT_FALSE(firefox.isEmpty());
        installApp(m_home, "Firefox", "org.mozilla.firefox");
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_home.path());
        process.setProcessEnvironment(env);
        process.start(firefox, {"--headless", "-CreateProfile", name});
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0);

        // Firefox keeps its folder in the XDG configuration folder or in ~/.mozilla, by version.
        for (const QString& candidate :
            {QStringLiteral(".config/mozilla/firefox"), QStringLiteral(".mozilla/firefox")}) {
            if (QFileInfo::exists(m_home.filePath(candidate + QStringLiteral("/profiles.ini"))))
                m_firefoxRoot = m_home.filePath(candidate);
        }
        ASSERT_FALSE(m_firefoxRoot.isEmpty());
        QDir().mkpath(m_home.filePath(chromiumSupport));
        ASSERT_TRUE(QFile::link(m_firefoxRoot, m_home.filePath(chromiumSupport + QStringLiteral("Firefox"))));
    }

    QString firefoxRoot() const { return m_firefoxRoot; }

private:
    const TempHome& m_home;
    const Xvfb& m_xvfb;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QString m_firefoxRoot;
};

} // namespace tavro::test
