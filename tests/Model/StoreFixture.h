#pragma once

#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Model/Fixtures.h"
#include "tests/Support/TempHome.h"

#include <QFile>
#include <gtest/gtest.h>

#include <memory>

namespace tavro::test {

// A store on a defaults file in a temporary HOME. Every settingsChanged signal is recorded with the
// record it carries and what the defaults held at that moment; names posted on the default
// notification centre meanwhile are recorded too.
class StoreFixture : public ::testing::Test
{
protected:
    StoreFixture() : defaults(home.filePath(QStringLiteral("defaults.plist")))
    {
        QObject::connect(&NotificationCenter::defaultCenter(), &NotificationCenter::posted, &receiver,
            [this](const QString& name, const QVariant&) { centrePosts.append(name); });
    }

    // Stores `settings` as the record and opens a store on it; nothing is counted for that.
    SettingsStore& open(const AppSettings& settings)
    {
        EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
        return open();
    }
    SettingsStore& open()
    {
        store = std::make_unique<SettingsStore>(defaults);
        QObject::connect(store.get(), &SettingsStore::settingsChanged, [this](const AppSettings& settings) {
            tells.append(settings);
            storedAtTell.append(stored());
        });
        return *store;
    }

    AppSettings stored() const
    {
        const auto bytes = defaults.data(SettingsStore::defaultsKey);
        return bytes ? AppSettings::fromJsonBytes(*bytes).value_or(AppSettings()) : AppSettings();
    }
    qsizetype writes() const { return tells.size(); }
    // The copy of an undecodable record beside the defaults; `suffix` ".2", ".3"… for later ones.
    QString backupPath(const QString& suffix = {}) const
    {
        return home.filePath(SettingsStore::unreadableBackupFileName() + suffix);
    }
    QByteArray backup(const QString& suffix = {}) const
    {
        QFile file(backupPath(suffix));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempHome home;
    UserDefaults defaults;
    std::unique_ptr<SettingsStore> store;
    QList<AppSettings> tells;
    QList<AppSettings> storedAtTell;
    QStringList centrePosts;
    QObject receiver; // ends the connection to the shared centre with the test
};

} // namespace tavro::test
