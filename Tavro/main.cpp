#include "Tavro/Platform/UserDefaults.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream(stderr) << "Tavro: settings live in " << tavro::UserDefaults::standard().filePath() << "\n";
    return 0;
}
