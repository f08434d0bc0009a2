#include "ZnFixture.h"

namespace {

const QList<QStringList> ThreeQuestions = {
    {QStringLiteral("日本の首都はどこ？"), QStringLiteral("東京")},
    {QStringLiteral("富士山の高さは何メートル。"), QStringLiteral("3776メートル")},
    {QStringLiteral("光の三原色は赤、緑と何？"), QStringLiteral("\"青\"")},
};

} // namespace

// The file loses its last question while the third is asked: the run ends there instead of
// asking a blank one, and the log still holds what was asked although the file lost it.
TEST_F(ZnTest, SinglePlayerRunJudgedAndLogged) {
    fake.ownerName = QStringLiteral("Me");
    load();
    start(ThreeQuestions + QList<QStringList>{{QStringLiteral("四問目"), QStringLiteral("四")}});
    zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
    EXPECT_FALSE(zn->menu[3]->isVisible()) << "no judging pop-up before the judge wait";

    // 1: buzz after three characters; one more is shown, then the answer count.
    ticks(3);
    keys('A');
    ticks(1);
    keys('B'); // not the buzzing key
    ticks(2);
    keys('A');
    zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
    ASSERT_TRUE(zn->menu[3]->isVisible());
    zn->PopUp[1]->trigger();
    EXPECT_FALSE(zn->st.verdicts[1]);
    keys(VK::F1, 2); // the second F1 finds a circle and plays nothing

    // 2: nobody buzzes; ending in "。" keeps the long interval through the thinking count.
    keys('C');
    EXPECT_EQ(revealToEnd(), 13);
    EXPECT_EQ(zn->timerInterval(), 250);
    ticks(99);
    EXPECT_EQ(zn->st.timerMode, 1);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 3);

    // 3: a buzz without the second press: the sixth answer-count tick is a time over.
    keys(VK::Space);
    ticks(1);
    keys('F');
    ticks(6);
    EXPECT_EQ(zn->st.timerMode, 2);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 3);
    ASSERT_TRUE(QFile::resize(path("q.znd"), 100));
    keys('F');
    EXPECT_FALSE(zn->st.running);
    EXPECT_FALSE(zn->timerEnabled());
    keys('F'); // after the end: nothing happens
    EXPECT_EQ(zn->st.questionNo, 4);
    QList<int> ids = fake.soundIds();
    EXPECT_EQ(ids.removeAll(15), 100);
    EXPECT_EQ(ids, (QList<int>{11, 12, 14, 13, 14, 11, 13, 11, 12, 13, 11}));
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextQuestionFileChanged)});
    const QByteArray log =
        Log("1P", {QStringLiteral("\"日本の//首都はどこ？\",\"東京\",\"Me\",\"○\""),
                   QStringLiteral("\"富士山の高さは何メートル。//\",\"3776メートル\",\"Me\",\"×\""),
                   QStringLiteral("\"光//の三原色は赤、緑と何？\",\"\"\"青\"\"\",\"Me\",\"×\"")});
    EXPECT_EQ(saveLog("result.csv"), log);

    // "No" writes nothing; a cancelled dialog is told; a full disk keeps the old log and is told.
    fake.clear();
    fake.messageAnswers.enqueue(AnswerNo);
    zn->menu1_Click(6);
    zn->menu1_Click(6);
    fake.dialogAnswers.enqueue(path("result.csv"));
    {
        FileSizeLimit limit(16);
        zn->menu1_Click(6);
    }
    EXPECT_EQ(readBytes(path("result.csv")), log);
    EXPECT_EQ(shown().mid(1), (QStringList{shown()[0], box(1, 82, 42, 40), shown()[0],
                                           box(1, TitleWriteError, TextFileNotSaved)}));
}

// Read-and-press shows a few characters more after the first buzz: a comma costs two of them
// (the log splits without that rule) and a buzz near the end pauses on the empty ticks.
TEST_F(ZnTest, MatchRanksThreeBuzzesIgnoresTheFourthAndIsLogged) {
    settings.readPressOn = QStringLiteral("ON "); // two characters more
    G().Roster = {true, 3, {{{"Zさん", 'Z'}, {"Mさん", 'M'}, {"Xさん", 'X'}, {"Cさん", 'C'}}}};
    fake.now = QDateTime(QDate(2026, 1, 1), QTime(10, 0, 59, 500), Qt::UTC);
    fake.clockStepMs = 1234;
    load();
    start({{QStringLiteral("一二三四五六七八九十、ABCDEF"), QStringLiteral("東京")},
           {QStringLiteral("ABCDE"), QStringLiteral("z")}});
    fake.clear();
    ticks(10);
    // Nobody's key, three players, a repeat and a fourth player.
    for (int key : std::initializer_list<int>{VK::Space, 'Z', 'M', 'M', 'X', 'C'})
        keys(key);
    EXPECT_EQ(zn->st.buzzCount, 3);
    // Lags within the minute: the clock passed it between the first and second buzz.
    EXPECT_EQ(zn->st.buzzTimes, (std::array<long long, 4>{0, 59500, 734, 1968}));
    ticks(1);
    EXPECT_EQ(zn->st.revealEnd, 10); // 12, less two for the comma shown at 11
    revealToEnd();
    keys('M'); // only the first to buzz answers
    EXPECT_EQ(zn->st.timerMode, 2);
    keys('Z');
    EXPECT_EQ(fake.soundIds(), (QList<int>{12, 12, 12, 14}));
    keys('Q');
    ticks(4);
    keys('M');
    keys('Z');
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 0);
    ticks(1);
    EXPECT_EQ(zn->st.timerMode, 2);
    keys('M', 2);
    EXPECT_EQ(
        saveLog("match.csv"),
        Log("VS", {QStringLiteral("\"一二三四五六七八九十/、A/BCDEF\",\"東京\",\"Zさん\",\"○\""),
                   QStringLiteral("\"ABCD/E/\",\"z\",\"Mさん\",\"○\"")}));
}

// A key acts on the release of a press the window saw, with the code it had at the press: a press
// that closed a menu, pop-up or dialog leaves its release here. (Held keys: ZnHeldKeysTest.)
TEST_F(ZnTest, KeysActOnReleaseOfAPressTheActiveWindowSaw) {
    load();
    activate();
    QTest::keyClick(zn->board(), Qt::Key_F1); // no run: F1 is the help
    start(ThreeQuestions);
    zn->Form_Deactivate();
    EXPECT_FALSE(zn->timerEnabled());
    zn->Form_Activate();
    EXPECT_TRUE(zn->timerEnabled());
    ticks(2);
    // Released with no press here (Esc of a message box, S of Alt+F S, Return of a menu), or
    // pressed before a dialog took over.
    for (int key : {Qt::Key_Escape, Qt::Key_S, Qt::Key_Return, Qt::Key_F1})
        send(QEvent::KeyRelease, key);
    // "@" is Shift + 2 on a US keyboard, held until it repeats: nothing acts until it is let go,
    // and letting Shift go first still releases the key pressed.
    send(QEvent::KeyPress, Qt::Key_At, 11, Qt::ShiftModifier);
    send(QEvent::KeyRelease, Qt::Key_At, 11, Qt::ShiftModifier, true);
    send(QEvent::KeyPress, Qt::Key_At, 11, Qt::ShiftModifier, true);
    EXPECT_EQ(endCalls, 0);
    EXPECT_EQ(zn->st.buzzKey, 0);
    send(QEvent::KeyRelease, Qt::Key_2, 11);
    ticks(1);
    send(QEvent::KeyPress, Qt::Key_At, 11, Qt::ShiftModifier);
    send(QEvent::KeyRelease, Qt::Key_At, 11, Qt::ShiftModifier);
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_TRUE(zn->st.verdicts[1]);
    // Judge wait: F1 on a circle changes nothing and opens no help; a stray F2 release judges not.
    QTest::keyClick(zn->board(), Qt::Key_F1);
    send(QEvent::KeyRelease, Qt::Key_F2);
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(fake.helpShown, QStringList{G().HelpPath});
    // Pressed in the judging pop-up: it does not go on to the next question.
    zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
    send(QEvent::KeyPress, Qt::Key_Down);
    zn->menu[3]->close();
    activate();
    send(QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_EQ(zn->st.questionNo, 1);
    EXPECT_EQ(endCalls, 0);
    QTest::keyClick(zn->board(), Qt::Key_Tab); // Tab is a key like the others
    EXPECT_EQ(zn->st.questionNo, 2);
    activate(); // the pop-up's late deactivation has passed

    // A press queued when the buzz sound starts is handled there and opens the answer; the
    // buzz keeps its place, and a buzz in the thinking count does not start a count afterwards.
    auto queuedSecondPress = [&] {
        fake.clear();
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(
                zn.get(), new QKeyEvent(type, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
        keys('A');
        EXPECT_EQ(zn->st.timerMode, 3);
        EXPECT_EQ(fake.soundIds(), (QList<int>{12, 14}));
    };
    ticks(2);
    queuedSecondPress();
    EXPECT_EQ(zn->st.buzzPositions[2], 2);
    keys('B');
    revealToEnd();
    queuedSecondPress();
    ticks(6);
    EXPECT_EQ(zn->st.timerMode, 3);
    EXPECT_TRUE(zn->st.verdicts[3]);
    // A key queued behind a verdict's sound would act on a half-drawn board: it is dropped.
    for (auto type : {QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::postEvent(zn.get(), new QKeyEvent(type, Qt::Key_F1, Qt::NoModifier));
    zn->Form_KeyUp(VK::F2);
    EXPECT_FALSE(zn->st.verdicts[3]);
    EXPECT_EQ(zn->st.quizState, 1);
    QTest::keyClick(zn.get(), Qt::Key_Escape);
    QTest::mouseClick(zn->exitButton(), Qt::LeftButton);
    EXPECT_EQ(endCalls, 2);
    zn->menu1_Click(2); // gives the file up: no run, no timer
    zn->Form_Activate();
    EXPECT_FALSE(zn->timerEnabled());
}

TEST_F(ZnTest, RandomOrderAsksAtMostOneHundredDistinctQuestions) {
    settings.randomOrder = QStringLiteral("ON ");
    settings.revealOn = QStringLiteral("OFF");
    settings.soundOn = QStringLiteral("OFF");
    for (int count : {120, 99}) {
        QList<QStringList> questions;
        for (int i = 1; i <= count; ++i) // genres 0-9 and x: all but 1-7 are shown as 7
            questions.append(
                {QString::number(i), QString(), QString(QLatin1Char("0123456789x"[i % 11]))});
        load();
        start(questions);
        QList<int> asked;
        for (int i; zn->st.running; keys('A', 3)) {
            asked << (i = G().QuestionText.toInt());
            EXPECT_EQ(G().CurrentRecord.genre.toInt(), i % 11 >= 1 && i % 11 <= 7 ? i % 11 : 7);
        }
        EXPECT_EQ(asked.size(), qMin(count, 100));
        EXPECT_EQ(QSet<int>(asked.begin(), asked.end()).size(), asked.size());
        EXPECT_FALSE(std::is_sorted(asked.begin(), asked.end()));
        EXPECT_TRUE(fake.sounds.isEmpty());
    }
}
