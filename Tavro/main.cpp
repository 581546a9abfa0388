#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const tavro::SettingsStore& store = tavro::SettingsStore::shared();
    QTextStream(stderr) << "Tavro: settings live in " << tavro::UserDefaults::standard().filePath() << " ("
                        << store.settings().destinations.size() << " destinations)\n";
    return 0;
}
