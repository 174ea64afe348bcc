// The start-up baseline: the least a Qt 6 Widgets program does to show a window of
// the main window's size with one label in it.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "bench/StartupReport.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(919, 363);
    QLabel label(QStringLiteral("Velmora 1.0"), &window);
    label.move(10, 10);
    new FirstPaintReporter(&window);
    window.show();
    return app.exec();
}
