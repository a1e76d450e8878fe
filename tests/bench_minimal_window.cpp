// The yardstick of bench_startup: the least a Qt Widgets program does to
// show a window with a menu and a few controls, paint it and quit.

#include "FirstPaintQuit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.menuBar()->addMenu(QStringLiteral("File"));
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    auto* label = new QLabel(QStringLiteral("Name:"), central);
    auto* field = new QLineEdit(central);
    label->setBuddy(field);
    layout->addWidget(label);
    layout->addWidget(field);
    window.setCentralWidget(central);
    FirstPaintQuit quitWhenPainted(&window);
    window.show();
    return app.exec();
}
