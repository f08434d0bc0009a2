#include "ZnFixture.h"

#include <QSet>
#include <QTest>

namespace {

QList<int> WithoutTicks(const QList<int>& ids) {
    QList<int> out;
    for (int id : ids)
        if (id != 15) out << id;
    return out;
}

const QList<Question> ThreeQuestions = {
    {QStringLiteral("日本の首都はどこ？"), QStringLiteral("東京"), QLatin1Char('2')},
    {QStringLiteral("富士山の高さは何メートル。"), QStringLiteral("3776メートル"),
     QLatin1Char('2')},
    {QStringLiteral("光の三原色は赤、緑と何？"), QStringLiteral("青"), QLatin1Char('3')},
};

} // namespace

TEST_F(ZnTest, SinglePlayerRunFromStartToEndMessage) {
    load();
    open(writeQuestions(ThreeQuestions));
    ASSERT_TRUE(zn->menu1[0]->isEnabled());
    EXPECT_TRUE(fake.messages.isEmpty());

    zn->menu1_Click(0);
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_TRUE(zn->st.running);
    EXPECT_EQ(zn->st.questionNo, 1);
    EXPECT_EQ(zn->st.quizState, 2);
    EXPECT_TRUE(zn->timerEnabled());
    EXPECT_EQ(zn->timerInterval(), 50);
    EXPECT_EQ(G().QuestionText, ThreeQuestions[0].question);

    // Question 1: buzz after three characters; one more character follows, then the answer count.
    ticks(3);
    zn->Form_KeyUp('A');
    EXPECT_EQ(zn->st.buzzPositions[1], 3);
    EXPECT_EQ(zn->st.quizState, 2);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 2);
    EXPECT_EQ(zn->st.quizState, 4);
    zn->Form_KeyUp('B'); // not the buzzing key
    EXPECT_EQ(zn->st.timerMode, 2);
    ticks(2);
    EXPECT_EQ(zn->timerInterval(), 500);
    zn->Form_KeyUp('A');
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_EQ(zn->st.quizState, 1);
    EXPECT_EQ(zn->timerInterval(), 100);

    // The judge changes the verdict back and forth; F1 on a circle does nothing.
    zn->Form_KeyUp(VK::F2);
    EXPECT_FALSE(zn->st.verdicts[1]);
    zn->Form_KeyUp(VK::F1);
    EXPECT_TRUE(zn->st.verdicts[1]);
    const int soundsBefore = int(fake.sounds.size());
    zn->Form_KeyUp(VK::F1);
    EXPECT_EQ(fake.sounds.size(), soundsBefore);
    EXPECT_EQ(zn->st.quizState, 1);

    // Question 2: nobody buzzes. It ends in "。", so the thinking count keeps the long interval.
    zn->Form_KeyUp('C');
    EXPECT_EQ(zn->st.questionNo, 2);
    EXPECT_EQ(revealToEnd(), 13);
    EXPECT_EQ(zn->st.timerMode, 1);
    EXPECT_EQ(zn->timerInterval(), 250);
    ticks(99);
    EXPECT_EQ(zn->st.timerMode, 1);
    EXPECT_EQ(zn->st.countSeconds, 9);
    EXPECT_EQ(zn->timerInterval(), 250);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_FALSE(zn->st.verdicts[2]);
    EXPECT_EQ(zn->st.buzzPositions[2], 0);

    // Question 3: a buzz but no second press: the sixth answer-count tick is a time over.
    zn->Form_KeyUp(VK::Space);
    EXPECT_EQ(zn->st.questionNo, 3);
    ticks(1);
    zn->Form_KeyUp('F');
    ticks(1);
    ASSERT_EQ(zn->st.timerMode, 2);
    ticks(5);
    EXPECT_EQ(zn->st.timerMode, 2);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_FALSE(zn->st.verdicts[3]);

    // The next key ends the run.
    zn->Form_KeyUp('F');
    EXPECT_FALSE(zn->st.running);
    EXPECT_FALSE(zn->timerEnabled());
    EXPECT_TRUE(zn->menu1[6]->isEnabled());
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    // Keys after the run do nothing, the judge keys included.
    zn->Form_KeyUp('F');
    zn->Form_KeyUp(VK::F2);
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(zn->st.questionNo, 4);

    EXPECT_EQ(WithoutTicks(fake.soundIds()), (QList<int>{11, 12, 14, 13, 14, 11, 13, 11, 12, 13}));
    EXPECT_EQ(fake.soundIds().count(15), 100);
    for (const auto& s : fake.sounds)
        EXPECT_FALSE(s.synchronous);
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(ZnTest, ReadAndPressStopsEarlyAtAPause) {
    settings.readPressOn = QStringLiteral("ON ");
    settings.readPressChars = QStringLiteral("3");
    load();
    open(writeQuestions({
        {QStringLiteral("一二三四五六七八九十、ABCDEF"), QStringLiteral("x")},
        {QStringLiteral("一二三四五六七八九十ABCDEF"), QStringLiteral("y")},
        {QStringLiteral("ABCDE"), QStringLiteral("z")},
    }));
    zn->menu1_Click(0);

    // A comma among the extra characters costs two of them: the reveal stops after it.
    ticks(10);
    zn->Form_KeyUp('A');
    EXPECT_EQ(zn->st.revealEnd, 13);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 2);
    EXPECT_EQ(zn->st.tick, 0);
    EXPECT_EQ(zn->st.revealEnd, 11);
    EXPECT_EQ(zn->timerInterval(), 250);
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');

    // Without a pause all three extra characters are shown.
    ticks(10);
    zn->Form_KeyUp('A');
    ticks(2);
    EXPECT_EQ(zn->st.timerMode, 0);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 2);
    EXPECT_EQ(zn->st.buzzPositions[2], 10);
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');

    // A late buzz runs past the end: the empty ticks pause and end the reveal.
    ticks(4);
    zn->Form_KeyUp('A');
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 0);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 2);
    EXPECT_EQ(zn->timerInterval(), 250);
}

TEST_F(ZnTest, SpeedSettingAndQuestionShownAtOnce) {
    settings.speedLevel = QStringLiteral("5");
    settings.revealOn = QStringLiteral("OFF");
    settings.timeOverMark = QStringLiteral("O");
    load();
    EXPECT_EQ(zn->st.baseInterval, 170);
    open(writeQuestions(ThreeQuestions));
    zn->menu1_Click(0);
    // Without the reveal, sound 11 plays to its end and the thinking count starts at once.
    ASSERT_FALSE(fake.sounds.isEmpty());
    EXPECT_EQ(fake.sounds[0].resourceId, 11);
    EXPECT_TRUE(fake.sounds[0].synchronous);
    EXPECT_EQ(zn->st.timerMode, 1);
    EXPECT_EQ(zn->timerInterval(), 170);
    ticks(100);
    // A time over judged correct by the settings still shows the cross and sound 13.
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(fake.sounds.last().resourceId, 13);
    EXPECT_EQ(zn->timerInterval(), 340);
}

TEST_F(ZnTest, MatchRanksThreeBuzzesAndIgnoresTheFourth) {
    MatchRoster& roster = G().Roster;
    roster.matchOn = true;
    roster.lastPlayer = 3;
    roster.players[0] = {QStringLiteral("Zさん"), 'Z'};
    roster.players[1] = {QStringLiteral("Mさん"), 'M'};
    roster.players[2] = {QStringLiteral("Xさん"), 'X'};
    roster.players[3] = {QStringLiteral("Cさん"), 'C'};
    fake.now = QDateTime(QDate(2026, 1, 1), QTime(10, 0, 59, 500), Qt::UTC);
    fake.clockStepMs = 1234;
    load();
    open(writeQuestions(ThreeQuestions));
    EXPECT_TRUE(G().Roster.matchOn) << "no file was held, so nothing was given up";
    zn->menu1_Click(0);
    fake.clear();

    ticks(2);
    zn->Form_KeyUp(VK::Space); // nobody's key: nothing before the first buzz
    EXPECT_EQ(zn->st.buzzCount, 0);
    EXPECT_FALSE(zn->st.buzzed);
    zn->Form_KeyUp('Z');
    zn->Form_KeyUp('M');
    zn->Form_KeyUp('M'); // the same player again is not ranked again
    zn->Form_KeyUp('X');
    zn->Form_KeyUp('C'); // a fourth player is not ranked
    EXPECT_EQ(zn->st.buzzCount, 3);
    EXPECT_EQ(zn->st.buzzTimes[1], 59500);
    // The clock passed the minute between the first and the second buzz.
    EXPECT_EQ(zn->st.buzzTimes[2], 734);
    EXPECT_EQ(zn->st.buzzTimes[3], 1968);
    EXPECT_EQ(zn->st.buzzKey, 'Z');
    EXPECT_EQ(zn->st.buzzPositions[1], 2);
    EXPECT_EQ(zn->st.answerers[1], QStringLiteral("Zさん"));
    // Only the three ranked buzzes sound; the state sound of a match buzz is not played.
    EXPECT_EQ(fake.soundIds(), (QList<int>{12, 12, 12}));
    EXPECT_EQ(zn->st.timerMode, 0);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 2);
    zn->Form_KeyUp('Z');
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(fake.soundIds(), (QList<int>{12, 12, 12, 14}));

    // Next question: M buzzes first and is the answerer; a key of nobody does nothing.
    zn->Form_KeyUp('Q');
    EXPECT_EQ(zn->st.questionNo, 2);
    EXPECT_EQ(zn->st.buzzCount, 0);
    ticks(1);
    zn->Form_KeyUp('M');
    zn->Form_KeyUp('Z');
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 2);
    zn->Form_KeyUp('Z'); // not the buzzing key
    EXPECT_EQ(zn->st.timerMode, 2);
    zn->Form_KeyUp('M');
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_EQ(zn->st.answerers[2], QStringLiteral("Mさん"));
}

TEST_F(ZnTest, EscAndExitButtonEndTheProgramAtOnce) {
    load();
    zn->Form_KeyUp(VK::Escape);
    EXPECT_EQ(endCalls, 1);
    open(writeQuestions(ThreeQuestions));
    zn->menu1_Click(0);
    ticks(3);
    zn->Form_KeyUp(VK::Escape);
    EXPECT_EQ(endCalls, 2);
    QTest::mouseClick(zn->exitButton(), Qt::LeftButton);
    EXPECT_EQ(endCalls, 3);
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(ZnTest, RealKeyEventsReachTheHandlers) {
    load();
    open(writeQuestions(ThreeQuestions));
    zn->menu1_Click(0);
    ticks(2);
    // A press alone does nothing; the release buzzes.
    QTest::keyPress(zn.get(), Qt::Key_A);
    EXPECT_FALSE(zn->st.buzzed);
    QTest::keyRelease(zn.get(), Qt::Key_A);
    EXPECT_TRUE(zn->st.buzzed);
    EXPECT_EQ(zn->st.buzzKey, 65);
    ticks(1);
    // Auto-repeated releases are not a second press.
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
    QCoreApplication::sendEvent(zn.get(), &repeat);
    EXPECT_EQ(zn->st.timerMode, 2);
    QTest::keyRelease(zn.get(), Qt::Key_A);
    EXPECT_EQ(zn->st.timerMode, 3);
    QTest::keyRelease(zn.get(), Qt::Key_F2);
    EXPECT_FALSE(zn->st.verdicts[1]);
    // Tab is a key like the others: it starts the next question.
    QTest::keyClick(zn->board(), Qt::Key_Tab);
    EXPECT_EQ(zn->st.questionNo, 2);
    QTest::keyRelease(zn.get(), Qt::Key_Escape);
    EXPECT_EQ(endCalls, 1);
}

TEST_F(ZnTest, DeactivationPausesTheRealTimer) {
    writeSettings();
    zn = std::make_unique<ZN>();
    zn->endProgram = [] {};
    zn->Form_Load();
    open(writeQuestions(ThreeQuestions));
    zn->menu1_Click(0);
    ASSERT_TRUE(zn->Tim.isActive());
    EXPECT_EQ(zn->Tim.interval(), 50);
    QTest::qWait(130);
    const long shown = zn->st.tick;
    EXPECT_GE(shown, 1);

    zn->Form_Deactivate();
    EXPECT_FALSE(zn->Tim.isActive());
    QTest::qWait(150);
    EXPECT_EQ(zn->st.tick, shown);
    zn->Form_Resize(); // not minimized: back to running
    EXPECT_TRUE(zn->Tim.isActive());
    zn->Form_Deactivate();
    zn->Form_Activate();
    EXPECT_TRUE(zn->Tim.isActive());
    QTest::qWait(130);
    EXPECT_GT(zn->st.tick, shown);
    EXPECT_EQ(zn->st.timerMode, 0);

    // Without a run the timer stays off whatever the activation does.
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');
    zn->menu1_Click(2); // gives up the file; the dialog is cancelled
    EXPECT_FALSE(zn->Tim.isActive());
    zn->Form_Activate();
    EXPECT_FALSE(zn->Tim.isActive());
}

TEST_F(ZnTest, RandomOrderAsksAtMostOneHundredDistinctQuestions) {
    settings.randomOrder = QStringLiteral("ON ");
    settings.revealOn = QStringLiteral("OFF");
    settings.soundOn = QStringLiteral("OFF");
    for (int count : {120, 99}) {
        QList<Question> questions;
        for (int i = 1; i <= count; ++i)
            questions.append({QStringLiteral("問題%1").arg(i), QStringLiteral("答%1").arg(i)});
        load();
        open(writeQuestions(questions, QStringLiteral("r%1.znd").arg(count)));
        const int expected = qMin(count, 100);
        ASSERT_EQ(zn->st.questionTotal, expected);
        zn->menu1_Click(0);
        QSet<QString> asked;
        QStringList inOrder;
        while (zn->st.running) {
            asked.insert(G().QuestionText);
            inOrder << G().QuestionText;
            // Buzz in the thinking count, answer, next question.
            zn->Form_KeyUp('A');
            zn->Form_KeyUp('A');
            zn->Form_KeyUp('A');
        }
        EXPECT_EQ(zn->st.questionNo, expected + 1);
        EXPECT_EQ(asked.size(), expected);
        QStringList fileOrder;
        for (int i = 1; i <= expected; ++i)
            fileOrder << QStringLiteral("問題%1").arg(i);
        EXPECT_NE(inOrder, fileOrder);
        EXPECT_TRUE(fake.sounds.isEmpty());
    }
}

TEST_F(ZnTest, QueuedKeyIsHandledWhileAStateSoundStarts) {
    load();
    open(writeQuestions(ThreeQuestions));
    zn->menu1_Click(0);
    ticks(2);
    // The second press is already queued when the buzz sound starts: it opens the answer there.
    QCoreApplication::postEvent(zn.get(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_A,
                                                        Qt::NoModifier, QStringLiteral("a")));
    zn->Form_KeyUp('A');
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(fake.soundIds(), (QList<int>{11, 12, 14}));
    // With sounds off nothing is processed early: the queued key waits for the event loop.
    settings.soundOn = QStringLiteral("OFF");
    load();
    open(writeQuestions(ThreeQuestions));
    zn->menu1_Click(0);
    ticks(2);
    QCoreApplication::postEvent(zn.get(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_A,
                                                        Qt::NoModifier, QStringLiteral("a")));
    zn->Form_KeyUp('A');
    EXPECT_EQ(zn->st.timerMode, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(zn->st.timerMode, 3);
}

TEST_F(ZnTest, GenreOutsideOneToSevenIsShownAsUndefined) {
    settings.revealOn = QStringLiteral("OFF");
    load();
    open(writeQuestions({{QStringLiteral("問1"), QStringLiteral("答"), QLatin1Char('0')},
                         {QStringLiteral("問2"), QStringLiteral("答"), QLatin1Char('9')},
                         {QStringLiteral("問3"), QStringLiteral("答"), QLatin1Char('x')},
                         {QStringLiteral("問4"), QStringLiteral("答"), QLatin1Char('6')}}));
    zn->menu1_Click(0);
    QStringList genres;
    while (zn->st.running) {
        genres << G().CurrentRecord.genre;
        zn->Form_KeyUp('A');
        zn->Form_KeyUp('A');
        zn->Form_KeyUp('A');
    }
    EXPECT_EQ(genres, (QStringList{"7", "7", "7", "6"}));
}
