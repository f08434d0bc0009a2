#pragma once

#include "platform/Keys.h"
#include "quiz/ExitButton.h"
#include "quiz/WindowFactory.h"
#include "quiz/ZN.h"
#include "quiz/ZnBoard.h"
#include "support/TestKit.h"

// A log as written: its header for `mode`, then the lines, in code page 932 with CR LF.
inline QByteArray Log(const char* mode, const QStringList& lines) {
    QString all =
        QStringLiteral("\"ZE Zir Uduzedu Log File\",\"%1\",\"解答者\",\"正誤\"\r\n").arg(mode);
    for (const QString& line : lines)
        all += line + QStringLiteral("\r\n");
    return SjisEncode(all);
}

// A quiz window in a temporary program folder; ticks are called directly and the real timer
// stays off unless a test turns it on.
class ZnTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppGlobals& g = G();
        g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
        g.IniPath = path("ZN.INI");
        g.ToolPath = path("Pomvex");
        g.HelpPath = path("zn.hlp");
        g.CurrentFile.clear();
        g.Roster = MatchRoster{};
        windowFactory() = WindowFactory{};
        settings.speedLevel = QStringLiteral("1");
        settings.readPressOn = QStringLiteral("OFF");
        settings.randomOrder = QStringLiteral("OFF");
    }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QString writeQuestions(const QList<QStringList>& questions, const char* name = "q.znd") {
        QStringList texts;
        for (const QStringList& q : questions)
            texts << ComposeRecordText(q[0], q[1], q.value(2, QStringLiteral("1"))[0]);
        EXPECT_TRUE(WriteRecordTexts(path(name), texts));
        return path(name);
    }

    // A window over ZN.INI from `settings`, with a background line when one is given.
    void load(const QString& background = QString()) {
        writeBytes(G().IniPath,
                   settings.toBytes() +
                       (background.isEmpty() ? QByteArray() : background.toLocal8Bit() + "\r\n"));
        zn = std::make_unique<ZN>();
        zn->useRealTimer = false;
        zn->endProgram = [this] { ++endCalls; };
        zn->Form_Load();
    }

    // "問題読込(&L)" with the dialog answering `file`.
    void open(const QString& file) {
        fake.dialogAnswers.enqueue(file);
        zn->menu1_Click(2);
    }
    void start(const QList<QStringList>& questions) {
        open(writeQuestions(questions));
        zn->menu1_Click(0);
    }

    // The window shown and active; activations of windows just closed may still be queued.
    void activate() {
        zn->show();
        for (int i = 0; i < 3 && !zn->isActiveWindow(); ++i) {
            QApplication::processEvents();
            QApplication::setActiveWindow(zn.get());
            ASSERT_TRUE(QTest::qWaitForWindowActive(zn.get()));
            QApplication::processEvents();
        }
        ASSERT_TRUE(zn->isActiveWindow());
    }
    // A key event as the keyboard sends it, with the physical key's scan code.
    void send(QEvent::Type type, int key, quint32 scan = 0, Qt::KeyboardModifiers mods = {},
              bool autoRepeat = false) {
        QKeyEvent e(type, key, mods, scan, 0, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(zn->board(), &e);
    }

    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            zn->Tim_Timer();
    }
    void keys(int key, int n = 1) {
        for (int i = 0; i < n; ++i)
            zn->Form_KeyUp(key);
    }
    // "ログ保存(&V)" into `name`, confirmed; returns what was written.
    QByteArray saveLog(const char* name) {
        fake.dialogAnswers.enqueue(path(name));
        zn->menu1_Click(6);
        return readBytes(path(name));
    }
    // Ticks until the reveal has ended; returns how many it took.
    int revealToEnd() {
        int n = 0;
        while (zn->st.timerMode == 0 && n++ < 400)
            zn->Tim_Timer();
        return n;
    }
    // Message boxes as "kind title|text", to compare them whole.
    QStringList shown() const {
        QStringList out;
        for (const auto& m : fake.messages)
            out << QString::number(m.kind) + m.title + QLatin1Char('|') + m.text;
        return out;
    }
    static QString box(int kind, int title, int text, int second = 0) {
        QString t = LoadResString(text);
        if (second) t += QStringLiteral("\r\n") + LoadResString(second);
        return QString::number(kind) + LoadResString(title) + QLatin1Char('|') + t;
    }

    QTemporaryDir dir;
    FakePlatform fake;
    SettingsRecord settings;
    std::unique_ptr<ZN> zn;
    int endCalls = 0;
};
