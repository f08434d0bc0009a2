#include "core/AppGlobals.h"
#include "core/AppMain.h"
#include "core/Resources.h"
#include "platform/Fonts.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QtPlatform qtPlatform;
    setPlatform(&qtPlatform);

    // The whole argument text is one path: blanks inside it stay.
    QStringList args = app.arguments().mid(1);
    const QString commandLine = args.join(QLatin1Char(' '));

    // Until the quiz window and the opening screen exist, both are an empty main window.
    auto showPlaceholder = [] {
        auto* w = new QMainWindow;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowTitle(G().AppTitle);
        w->setFixedSize(640, 480);
        w->show();
        G().ZN = w;
    };
    AppWindows windows{showPlaceholder, showPlaceholder};
    if (!AppMain(QCoreApplication::applicationFilePath(), commandLine, windows))
        return 1;
    return app.exec();
}
