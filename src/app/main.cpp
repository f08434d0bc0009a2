#include "about/Jyou.h"
#include "about/op.h"
#include "core/AfterFirstPaint.h"
#include "core/AppGlobals.h"
#include "core/AppMain.h"
#include "core/Resources.h"
#include "editor/Edit.h"
#include "history/HistorySetup.h"
#include "platform/DesktopSession.h"
#include "platform/QtPlatform.h"
#include "platform/SdlControllers.h"
#include "print/PriPri.h"
#include "quiz/WindowFactory.h"
#include "quiz/ZN.h"
#include "remote/PhoneServer.h"
#include "settings/Cast.h"
#include "stats/Seiseki.h"

#include <QApplication>

#include <utility>

int main(int argc, char** argv) {
    // Without a display Qt would abort with a page of plugin messages; one line says why.
    if (!PrepareDesktopProgram(argc, argv)) return 1;
    QApplication app(argc, argv);
    // The quiz window's artwork is decoded on another thread while the rest is set up.
    PrefetchPictures({QStringLiteral("sprites"), QStringLiteral("background")});
    SetUpDesktopProgram();
    QtPlatform qtPlatform;
    setPlatform(&qtPlatform);
    // Phones as buzzers; it listens only while the settings dialog or a match needs it.
    PhoneServer phones;
    setPhoneServer(&phones);
    static PhoneServer* const phoneBuzzers = &phones;
    static const auto connectPhones = [](ZN* window) {
        window->rules().addObserver(phoneBuzzers);
        window->rules().timeReveal = true;
        window->matchEnded = [] { phoneBuzzers->stop(); };
        QObject::connect(phoneBuzzers, &PhoneServer::touched, window, &ZN::remoteBuzz);
    };
    // Game controllers and buzzer boxes as players' buttons, for as long as the program runs.
    SdlControllers pads(nullptr, SdlControllers::Start::Later);
    setControllers(&pads);

    // The whole argument text is one path: blanks inside it stay.
    QStringList args = app.arguments().mid(1);
    const QString commandLine = args.join(QLatin1Char(' '));

    // The modal windows the quiz window opens from its menus.
    windowFactory().showSettings = ShowCast;
    windowFactory().showEditor = ShowEdit;
    windowFactory().showPrint = ShowPriPri;
    windowFactory().showVersion = ShowJyou;
    windowFactory().showStats = [](QWidget* owner) { ShowSeiseki(owner, HistoryPath()); };

    // The study history outlives the quiz window, so answers queued at the end are still written.
    HistoryService history(HistoryPath());
    setHistoryRecorder(&history);

    // What the first frame does not need starts once the quiz window is on screen: the study
    // history (opened and checked before any run can start), the game controllers, and the
    // program's icon in all its sizes, which every window without its own carries.
    auto startTheRest = [&history, &pads] {
        history.start(nullptr);
        pads.start();
        QApplication::setWindowIcon(LoadIcon(1));
    };

    // The quiz window lives until the program ends; it is loaded before it is first shown.
    // The file named on the command line is opened once the window is on screen: the run's
    // first sound loads the sound system, which the first frame does not need.
    auto showMain = [startTheRest] {
        auto* window = new ZN;
        window->setAttribute(Qt::WA_DeleteOnClose);
        connectPhones(window);
        const QString file = std::exchange(G().CurrentFile, QString());
        window->Form_Load();
        window->show();
        window->activateWindow(); // a run started from the command line takes the keys at once
        AfterFirstPaint(window, [window, file, startTheRest] {
            startTheRest();
            G().CurrentFile = file;
            window->OpenCommandLineFile();
        });
    };
    // Without a file the opening screen comes first: it loads the quiz window hidden and shows
    // it when the animation ends.
    auto showOpening = [startTheRest] {
        auto* opening = new op;
        opening->setAttribute(Qt::WA_DeleteOnClose);
        opening->loadMain = [] {
            auto* window = new ZN;
            window->setAttribute(Qt::WA_DeleteOnClose);
            connectPhones(window);
            window->Form_Load();
        };
        opening->showMain = [startTheRest] {
            if (!G().ZN) return;
            G().ZN->show();
            G().ZN->activateWindow(); // the keys go to the quiz now, not to the closing opening
            AfterFirstPaint(G().ZN, startTheRest);
        };
        opening->Form_Load();
    };
    AppWindows windows{showMain, showOpening};
    if (!AppMain(QCoreApplication::applicationFilePath(), commandLine, windows)) return 1;
    return app.exec();
}
