#include "convert/CommandLine.h"
#include "core/Resources.h"
#include "platform/DesktopSession.h"
#include "platform/ProcessSignals.h"
#include "platform/QtPlatform.h"
#include "pomvex/Henkan.h"

#include <QApplication>
#include <QCoreApplication>

#include <QTextStream>

#include <cstdio>

// With arguments the tool converts in the terminal; without, as the main window starts it, it
// opens its window.
int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        // A terminal shows its own encoding (code page 932 in a Japanese Windows console).
        out.setEncoding(QStringConverter::System);
        err.setEncoding(QStringConverter::System);
        const int status = RunCommandLine(app.arguments().mid(1), out, err);
        out.flush();
        err.flush();
        return status;
    }
    if (!PrepareDesktopProgram(argc, argv)) return 1;
    QApplication app(argc, argv);
    // The same desktop, standard dialogs in Japanese and icon as the program that starts it.
    SetUpDesktopProgram();
    QApplication::setWindowIcon(LoadIcon(1));
    QtPlatform qtPlatform;
    setPlatform(&qtPlatform);
    Henkan window;
    window.show();
    return app.exec();
}
