// The least a Qt Widgets program does to put a window on screen: the reference the start-up
// benchmark sets Tavro's cold start beside.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(400, 300);
    window.show();
    return app.exec();
}
