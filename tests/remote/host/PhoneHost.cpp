// The quiz window and the phone server in one process, for a real browser to play against:
// prints the join URL, then "JOINED <name>" when a phone has joined (it becomes player 1) and
// "REGISTERED <answerer> <position>" when its touch has been registered as the first buzz.
#include "core/AppGlobals.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"
#include "quiz/ZN.h"
#include "remote/PhoneServer.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {
void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakePlatform fake;
    QTemporaryDir dir;
    AppGlobals& g = G();
    g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
    g.IniPath = dir.filePath(QStringLiteral("ZN.INI"));
    g.ToolPath = dir.filePath(QStringLiteral("Pomvex"));
    g.HelpPath = dir.filePath(QStringLiteral("zn.hlp"));
    SettingsRecord settings;
    settings.randomOrder = QStringLiteral("OFF");
    settings.readPressOn = QStringLiteral("OFF");
    const QString questions = dir.filePath(QStringLiteral("q.znd"));
    QFile ini(g.IniPath), file(questions);
    if (!ini.open(QIODevice::WriteOnly) || ini.write(settings.toBytes()) != 20) return 3;
    ini.close();
    if (!WriteRecordTexts(questions, {ComposeRecordText(QStringLiteral("日本で一番高い山は何？"),
                                                        QStringLiteral("富士山"), u'2')}))
        return 3;

    PhoneServer server;
    if (!server.start()) return 4;
    ZN zn;
    zn.useRealTimer = false;
    zn.endProgram = [] {};
    zn.rules().addObserver(&server);
    zn.rules().timeReveal = true;
    g.Roster = {true, 1, {{{"?", PhoneServer::keyCodeOf(1)}, {"Key", 'Z'}}}};
    zn.Form_Load();
    fake.dialogAnswers.enqueue(questions);
    zn.menu1_Click(2);
    zn.menu1_Click(0);
    // Three characters are up when the phone is asked to buzz.
    for (int i = 0; i < 3; ++i)
        zn.Tim_Timer();

    QObject::connect(&server, &PhoneServer::phonesChanged, [&] {
        const auto phones = server.phones();
        if (phones.isEmpty() || g.Roster.players[0].name != QLatin1String("?")) return;
        g.Roster.players[0].name = phones.first().name;
        say(QStringLiteral("JOINED ") + phones.first().name);
    });
    QObject::connect(&server, &PhoneServer::touched, [&](int key, double moment) {
        zn.remoteBuzz(key, moment);
        if (zn.st.buzzCount == 0) return;
        say(QStringLiteral("REGISTERED %1 %2").arg(zn.st.answerers[1]).arg(zn.st.buzzPositions[1]));
        QTimer::singleShot(200, &app, [] { QCoreApplication::exit(0); });
    });
    say(server.joinUrl(QStringLiteral("127.0.0.1")));
    QTimer::singleShot(120000, &app, [] { QCoreApplication::exit(2); });
    return app.exec();
}
