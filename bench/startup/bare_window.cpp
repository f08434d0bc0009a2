// The yardsticks for zn's start-up: the least a Qt Widgets program does to show a 640 x 480
// window; and, with the argument "text", the same window with a menu bar and a line of Japanese
// text, which is what every window of zn needs at least (its fonts are found and loaded).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    if (app.arguments().contains(QStringLiteral("text"))) {
        for (const char* title : {"ﾌｧｲﾙ(&F)", "編集(&E)", "ﾍﾙﾌﾟ(&H)"})
            window.menuBar()->addMenu(QString::fromUtf8(title));
        auto* label = new QLabel(QStringLiteral("問題ファイルを読み込んで下さい"));
        label->setAlignment(Qt::AlignCenter);
        window.setCentralWidget(label);
    }
    window.resize(640, 480);
    window.show();
    return app.exec();
}
