#include "core/AppGlobals.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"
#include "quiz/WindowFactory.h"
#include "quiz/ZN.h"
#include "settings/Cast.h"
#include "support/FakePlatform.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

TEST(MatchEndToEnd, ThreePlayersSetInTheDialogBuzzWithTheirKeysAndAreLogged) {
    FakePlatform fake;
    QTemporaryDir dir;
    G().AppFolder = dir.path() + QStringLiteral("/");
    G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
    const QString questions = dir.filePath(QStringLiteral("match.znd"));
    ASSERT_TRUE(WriteRecordTexts(
        questions,
        {ComposeRecordText(QStringLiteral("日本で一番高い山は何？"), QStringLiteral("富士山"),
                           u'2'),
         ComposeRecordText(QStringLiteral("水の化学式は何？"), QStringLiteral("Ｈ２Ｏ"), u'3')}));
    windowFactory().showSettings = ShowCast;
    const auto restore = qScopeGuard([] { windowFactory().showSettings = nullptr; });

    ZN zn;
    zn.useRealTimer = false;
    zn.endProgram = [] {};
    zn.Form_Load();
    zn.show();
    QApplication::setActiveWindow(&zn);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&zn));
    // Each key is pressed and released a little after the last, where the window has its focus.
    const auto release = [&](std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) {
            fake.now = fake.now.addMSecs(320);
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &zn, key);
        }
    };

    // Aki on ";", Ben on "Z", Cy on "M"; questions in file order.
    QTimer::singleShot(0, [] {
        auto* c = qobject_cast<Cast*>(G().Cast.data());
        if (!c) return;
        QTest::mouseClick(c->OK_CAN[3], Qt::LeftButton);
        QTest::mouseClick(c->Rbot[7], Qt::LeftButton, {}, {6, 8});
        c->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        const char* players[][2] = {{"Aki", ";"}, {"Ben", "Z"}, {"Cy", "M"}};
        for (int i = 0; i < 3; ++i) {
            c->NameK[i]->setFocus();
            QTest::keyClicks(c->NameK[i], players[i][0]);
            c->UKey[i]->setCurrentIndex(c->UKey[i]->findText(players[i][1]));
        }
        QTest::mouseClick(c->OK_CAN[0], Qt::LeftButton);
        if (c->isVisible()) c->reject();
    });
    zn.menu2_Click(0);
    ASSERT_TRUE(G().Roster.matchOn && G().Roster.lastPlayer == 2);

    fake.dialogAnswers.enqueue(questions);
    zn.menu1_Click(2);
    zn.menu1_Click(0);
    for (int i = 0; i < 4; ++i)
        zn.Tim_Timer();
    // Back in the main window once the dialog has gone: only keys pressed there count.
    QApplication::processEvents();
    QApplication::setActiveWindow(&zn);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&zn));
    QApplication::processEvents();
    const QImage emptyPanel = zn.Kazu.copy();
    release({Qt::Key_Space}); // nobody's key: nothing happens
    fake.clear();
    release({Qt::Key_Z, Qt::Key_M, Qt::Key_Semicolon});
    EXPECT_EQ(zn.st.buzzCount, 3);
    EXPECT_EQ(fake.soundIds().count(12), 3);
    // One ranking line per buzz, each with its own name and lag, shown on the answer board.
    for (int line = 1; line <= 3; ++line)
        EXPECT_NE(zn.Kazu.copy(0, 30 * line, 200, 16), emptyPanel.copy(0, 30 * line, 200, 16));
    EXPECT_EQ(zn.drawing.copy(20, 270, 200, 110), zn.Kazu);

    release({Qt::Key_Z, Qt::Key_Space}); // the first buzzer answers; next question
    EXPECT_TRUE(zn.st.verdicts.value(1));
    for (int i = 0; i < 2; ++i)
        zn.Tim_Timer();
    release({Qt::Key_M, Qt::Key_M, Qt::Key_Space}); // Cy answers; the run ends
    EXPECT_FALSE(zn.st.running);

    const QString logPath = dir.filePath(QStringLiteral("match.csv"));
    fake.dialogAnswers.enqueue(logPath);
    zn.menu1_Click(6);
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = SjisDecode(log.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.value(0).contains("\"VS\"") && lines.value(1).contains(",\"Ben\",") &&
                lines.value(2).contains(",\"Cy\","))
        << lines.join(u'|').toStdString();
}
