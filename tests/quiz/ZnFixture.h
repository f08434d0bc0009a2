#pragma once

#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "data/QuestionFile.h"
#include "platform/Keys.h"
#include "quiz/ExitButton.h"
#include "quiz/WindowFactory.h"
#include "quiz/ZN.h"
#include "quiz/ZnBoard.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The window's own background as the drawing shows it.
inline QImage LoadPictureForTest() {
    return LoadPicture(QStringLiteral("background"));
}

struct Question {
    QString question;
    QString answer;
    QChar genre = QLatin1Char('1');
};

// A quiz window in a temporary program folder, driven by hand: ticks are called directly and the
// real timer never starts.
class ZnTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        AppGlobals& g = G();
        g.AppFolder = dir.path() + QLatin1Char('/');
        g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
        g.IniPath = dir.filePath(QStringLiteral("ZN.INI"));
        g.ToolPath = dir.filePath(QStringLiteral("Pomvex"));
        g.HelpPath = dir.filePath(QStringLiteral("zn.hlp"));
        g.FontSmall = 9;
        g.FontNormal = 10;
        g.FontLarge = 12;
        g.CurrentFile.clear();
        g.RecordCount = 0;
        g.Roster = MatchRoster{};
        windowFactory() = WindowFactory{};
        // Fastest reveal, no read-and-press, file order, character by character, time over wrong.
        settings.speedLevel = QStringLiteral("1");
        settings.readPressOn = QStringLiteral("OFF");
        settings.randomOrder = QStringLiteral("OFF");
    }

    void TearDown() override {
        zn.reset();
        windowFactory() = WindowFactory{};
        G().Roster = MatchRoster{};
    }

    void writeSettings(const QByteArray& tail = QByteArray()) {
        QFile f(G().IniPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(settings.toBytes() + tail);
    }

    QString writeQuestions(const QList<Question>& questions,
                           const QString& name = QStringLiteral("q.znd")) {
        QStringList texts;
        for (const Question& q : questions)
            texts << ComposeRecordText(q.question, q.answer, q.genre);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteRecordTexts(path, texts));
        return path;
    }

    // Loads the window with the settings written first.
    void load() {
        writeSettings();
        zn = std::make_unique<ZN>();
        zn->useRealTimer = false;
        zn->endProgram = [this] { ++endCalls; };
        zn->Form_Load();
    }

    // "問題読込(&L)" with the dialog answering `path`.
    void open(const QString& path) {
        fake.dialogAnswers.enqueue(path);
        zn->menu1_Click(2);
    }

    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            zn->Tim_Timer();
    }

    // Ticks until the reveal has ended (at most `limit` ticks); returns how many were needed.
    int revealToEnd(int limit = 400) {
        int n = 0;
        while (zn->st.timerMode == 0 && n < limit) {
            zn->Tim_Timer();
            ++n;
        }
        return n;
    }

    QString text(int id) const { return LoadResString(id); }
    QString message(int textId, int secondId = 0) const {
        QString t = LoadResString(textId);
        if (secondId) t += QStringLiteral("\r\n") + LoadResString(secondId);
        return t;
    }

    QTemporaryDir dir;
    FakePlatform fake;
    SettingsRecord settings;
    std::unique_ptr<ZN> zn;
    int endCalls = 0;
};
