#include "core/AppGlobals.h"
#include "core/AppMain.h"
#include "platform/Fonts.h"
#include "platform/QtPlatform.h"
#include "editor/Edit.h"
#include "quiz/WindowFactory.h"
#include "quiz/ZN.h"
#include "settings/Cast.h"
#include "print/PriPri.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QtPlatform qtPlatform;
    setPlatform(&qtPlatform);

    // The whole argument text is one path: blanks inside it stay.
    QStringList args = app.arguments().mid(1);
    const QString commandLine = args.join(QLatin1Char(' '));

    // The modal windows the quiz window opens from its menus.
    windowFactory().showSettings = ShowCast;
    windowFactory().showEditor = ShowEdit;
    windowFactory().showPrint = ShowPriPri;

    // The quiz window lives until the program ends; it is loaded before it is first shown.
    auto showMain = [] {
        auto* window = new ZN;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->Form_Load();
        window->show();
    };
    // Until the opening screen exists, the quiz window is shown in its place.
    AppWindows windows{showMain, showMain};
    if (!AppMain(QCoreApplication::applicationFilePath(), commandLine, windows))
        return 1;
    return app.exec();
}
