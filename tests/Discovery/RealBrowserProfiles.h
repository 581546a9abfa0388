#pragma once
// Debian's real Chromium and firefox-esr making profiles of their own in a temporary HOME, for the
// checks that then read them: Chromium runs under Xvfb, Firefox headless.

#include "tests/Support/Xvfb.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tavro::test {

// The browser binary itself: Debian's /usr/bin/chromium is a shell script, and a terminated
// script would leave the browser running without the orderly exit that saves "Local State".
inline QString chromiumBinary()
{
    if (QFileInfo(QStringLiteral("/usr/lib/chromium/chromium")).isExecutable())
        return QStringLiteral("/usr/lib/chromium/chromium");
    return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

// What every test Chromium runs with: no sandbox (root), no first-run pages, no network of its own.
inline QStringList chromiumArguments(const QString& userDataDir)
{
    return {"--no-sandbox", "--no-first-run", "--disable-gpu", "--disable-background-networking",
        "--disable-component-update", "--disable-sync", "--disable-quic", "--password-store=basic",
        "--user-data-dir=" + userDataDir};
}

// Chromium processes on `xvfb` with their data in `userDataDir`, ended in order when it goes away.
class RealChromiumProfiles
{
public:
    RealChromiumProfiles(const Xvfb& xvfb, QString home, QString userDataDir)
        : m_xvfb(xvfb), m_home(std::move(home)), m_userDataDir(std::move(userDataDir))
    { }
    ~RealChromiumProfiles()
    {
        for (auto& process : m_processes)
            stop(*process);
    }

    QString userDataDir() const { return m_userDataDir; }

    QProcess& start(const QString& profileDirectory)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_xvfb.display());
        env.insert(QStringLiteral("HOME"), m_home);
        process->setProcessEnvironment(env);
        // Chromium complains at length about the missing session bus; none of it matters here.
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(chromiumBinary(),
            chromiumArguments(m_userDataDir) + QStringList{"--profile-directory=" + profileDirectory, "about:blank"});
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
    QHash<QString, QString> names() const
    {
        QFile file(m_userDataDir + QStringLiteral("/Local State"));
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

    // Two profiles of Chromium's own making: the browser starts in Default, and a second
    // invocation asks the running browser for a window in "Profile 1".
    void makeTwo()
    {
        ASSERT_TRUE(m_xvfb.isRunning());
        ASSERT_FALSE(chromiumBinary().isEmpty());
        QProcess& browser = start(QStringLiteral("Default"));
        ASSERT_TRUE(waitForWindow(browser));
        QProcess& second = start(QStringLiteral("Profile 1"));
        second.waitForFinished(20000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(m_userDataDir + "/Profile 1"); }, 30000));
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

private:
    const Xvfb& m_xvfb;
    QString m_home;
    QString m_userDataDir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// Has the real firefox-esr create the profile `name` under `home`; the folder that holds its
// "profiles.ini" (the XDG configuration folder or ~/.mozilla, by version), empty on failure.
inline QString createFirefoxProfile(const QString& home, const QString& name)
{
    const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
    EXPECT_FALSE(firefox.isEmpty());
    if (firefox.isEmpty())
        return {};
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    process.setProcessEnvironment(env);
    process.start(firefox, {"--headless", "-CreateProfile", name});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    QString root;
    for (const QString& candidate : {QStringLiteral("/.config/mozilla/firefox"), QStringLiteral("/.mozilla/firefox")}) {
        if (QFileInfo::exists(home + candidate + QStringLiteral("/profiles.ini")))
            root = home + candidate;
    }
    return root;
}

} // namespace tavro::test
