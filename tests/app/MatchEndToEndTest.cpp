#include "core/AppGlobals.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"
#include "quiz/WindowFactory.h"
#include "quiz/ZN.h"
#include "settings/Cast.h"
#include "support/FakePlatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class MatchEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        G().AppFolder = dir.path() + QStringLiteral("/");
        G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
        G().ToolPath.clear();
        G().CurrentFile.clear();
        G().Settings = SettingsRecord{};
        G().Roster = MatchRoster{};
        questions = dir.filePath(QStringLiteral("match.znd"));
        ASSERT_TRUE(
            WriteRecordTexts(questions, {ComposeRecordText(QStringLiteral("日本で一番高い山は何？"),
                                                           QStringLiteral("富士山"), u'2'),
                                         ComposeRecordText(QStringLiteral("水の化学式は何？"),
                                                           QStringLiteral("Ｈ２Ｏ"), u'3')}));
        windowFactory().showSettings = ShowCast;
    }
    void TearDown() override { windowFactory().showSettings = nullptr; }

    // A key released a little after the last one, where the window has its focus.
    void release(ZN& zn, Qt::Key key) {
        fake.now = fake.now.addMSecs(320);
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &zn;
        QTest::keyRelease(target, key);
    }

    FakePlatform fake;
    QTemporaryDir dir;
    QString questions;
};

TEST_F(MatchEndToEnd, ThreePlayersSetInTheDialogBuzzWithTheirKeysAndAreLogged) {
    ZN zn;
    zn.useRealTimer = false;
    zn.endProgram = [] {};
    zn.Form_Load();
    zn.show();
    QApplication::setActiveWindow(&zn);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&zn));

    // The players: Aki on ";", Ben on "Z", Cy on "M"; questions in file order.
    bool driven = false;
    QTimer::singleShot(0, [&driven] {
        auto* c = qobject_cast<Cast*>(G().Cast.data());
        if (!c) return;
        QTest::mouseClick(c->OK_CAN[3], Qt::LeftButton);
        QTest::mouseClick(c->Rbot[7], Qt::LeftButton, {}, {6, 8});
        c->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        const QStringList names = {QStringLiteral("Aki"), QStringLiteral("Ben"),
                                   QStringLiteral("Cy")};
        const QStringList keys = {QStringLiteral(";"), QStringLiteral("Z"), QStringLiteral("M")};
        for (int i = 0; i < 3; ++i) {
            c->NameK[i]->setFocus();
            QTest::keyClicks(c->NameK[i], names[i]);
            c->UKey[i]->setCurrentIndex(c->UKey[i]->findText(keys[i]));
        }
        driven = true;
        QTest::mouseClick(c->OK_CAN[0], Qt::LeftButton);
        if (c->isVisible()) c->reject();
    });
    zn.menu2_Click(0);
    ASSERT_TRUE(driven);
    const MatchRoster& roster = G().Roster;
    ASSERT_TRUE(roster.matchOn);
    ASSERT_EQ(roster.lastPlayer, 2);
    EXPECT_EQ(roster.players[0].name, QStringLiteral("Aki"));
    EXPECT_EQ(roster.players[0].keyCode, 187);
    EXPECT_EQ(roster.players[2].keyCode, 'M');
    EXPECT_FALSE(zn.st.shuffle);

    fake.dialogAnswers.enqueue(questions);
    zn.menu1_Click(2);
    ASSERT_TRUE(zn.menu1[0]->isEnabled());
    zn.menu1_Click(0);
    ASSERT_TRUE(zn.st.running);
    for (int i = 0; i < 4; ++i)
        zn.Tim_Timer();

    const QImage emptyPanel = zn.Kazu.copy();
    // Before any player has buzzed, other keys do nothing.
    release(zn, Qt::Key_Space);
    EXPECT_EQ(zn.st.buzzCount, 0);
    fake.clear();
    release(zn, Qt::Key_Z);
    release(zn, Qt::Key_M);
    release(zn, Qt::Key_Semicolon); // ";" buzzes like any other key
    EXPECT_EQ(zn.st.buzzCount, 3);
    EXPECT_EQ(fake.soundIds().count(12), 3);
    // One line per buzz, in buzz order, each with its own name and lag.
    for (int line = 1; line <= 3; ++line)
        EXPECT_NE(zn.Kazu.copy(0, 30 * line, 200, 16), emptyPanel.copy(0, 30 * line, 200, 16))
            << line;
    EXPECT_EQ(zn.drawing.copy(20, 270, 200, 110), zn.Kazu);
    EXPECT_NE(zn.Kazu.copy(0, 30, 200, 16), zn.Kazu.copy(0, 60, 200, 16));

    release(zn, Qt::Key_Z); // the first buzzer answers
    EXPECT_TRUE(zn.st.verdicts.value(1));
    release(zn, Qt::Key_Space); // next question
    EXPECT_EQ(zn.st.questionNo, 2);
    for (int i = 0; i < 2; ++i)
        zn.Tim_Timer();
    release(zn, Qt::Key_M);
    release(zn, Qt::Key_M);
    release(zn, Qt::Key_Space); // the run ends
    EXPECT_FALSE(zn.st.running);
    ASSERT_TRUE(zn.menu1[6]->isEnabled());

    const QString logPath = dir.filePath(QStringLiteral("match.csv"));
    fake.dialogAnswers.enqueue(logPath);
    zn.menu1_Click(6);
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = SjisDecode(log.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\"VS\""))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"Ben\","))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral(",\"Cy\","))) << lines[2].toStdString();
}

} // namespace
