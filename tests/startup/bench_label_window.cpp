// The yardstick of the start-up benchmark: the least a Qt Widgets program
// with text on screen does, a window with one label.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Zarvik's ML Utility"), &window));
    window.show();
    return app.exec();
}
