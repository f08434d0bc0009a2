// The yardstick for zn's start-up: the least a Qt Widgets program does to show a 640 x 480 window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
