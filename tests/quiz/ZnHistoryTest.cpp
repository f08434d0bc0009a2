#include "ZnFixture.h"

#include "history/HistoryRecorder.h"
#include "history/HistoryTexts.h"

#include <QAction>
#include <QFileInfo>

namespace {

// Keeps the answers and has one problem to tell.
class NoticeRecorder : public MemoryRecorder {
public:
    QString takeNotice() override { return std::exchange(notice, QString()); }
    QString notice = QStringLiteral("書けません");
};

class ZnHistoryTest : public ZnTest {
protected:
    void SetUp() override {
        ZnTest::SetUp();
        previous = setHistoryRecorder(&recorder);
    }
    void TearDown() override {
        zn.reset();
        setHistoryRecorder(previous);
    }
    QList<Verdict> verdicts() const {
        QList<Verdict> out;
        for (const AnswerRecord& a : recorder.answers)
            out << a.verdict;
        return out;
    }
    NoticeRecorder recorder;
    HistoryRecorder* previous = nullptr;
};

} // namespace

TEST_F(ZnHistoryTest, EachQuestionIsRecordedOnceItsVerdictIsFinal) {
    fake.clockStepMs = 10; // every reading of the clock is 10 ms later
    load();
    const QList<QStringList> questions = {
        {QStringLiteral("一二三四五六"), QStringLiteral("甲"), QStringLiteral("3")},
        {QStringLiteral("ABC"), QStringLiteral("乙")},
        {QStringLiteral("かきくけこ"), QStringLiteral("丙")}};
    start(questions);
    const QString file = path("q.znd");

    ticks(3);
    keys('A'); // buzz with three characters shown
    ticks(1);
    keys('A');                               // the answer: right
    zn->PopUp_Click(-1);                     // judged wrong after all
    EXPECT_TRUE(recorder.answers.isEmpty()); // the verdict could still change
    keys('B');
    ASSERT_EQ(recorder.answers.size(), 1);

    revealToEnd();
    ticks(100); // nobody: time over
    keys('B');
    ticks(2);
    keys('A');
    for (int n = 0; n < 20 && zn->st.timerMode != TimerMode::JudgeWait; ++n)
        ticks(1); // buzzed, never answered: time over
    EXPECT_EQ(recorder.answers.size(), 2);
    keys('B'); // the end of the run
    ASSERT_EQ(recorder.answers.size(), 3);
    EXPECT_EQ(verdicts(), (QList<Verdict>{Verdict::Wrong, Verdict::TimeOver, Verdict::TimeOver}));

    const AnswerRecord& first = recorder.answers[0];
    EXPECT_EQ(first.filePath, QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(first.fileHash, FileHash(file));
    EXPECT_EQ(first.recordNo, 1);
    QuestionRecord asked{questions[0][0], questions[0][1], QStringLiteral("3")};
    EXPECT_EQ(first.recordHash, RecordHash(asked));
    EXPECT_EQ(first.genre, 3);
    EXPECT_EQ(first.player, fake.ownerName);
    EXPECT_EQ(first.charsShown, 3);
    EXPECT_EQ(first.questionLength, 6);
    EXPECT_GT(first.thinkingMs, 0);
    EXPECT_GT(first.answerMs, 0);
    EXPECT_EQ(first.buzzRank, 1);
    // Nobody buzzed: the whole question was shown and there is no answer time.
    const AnswerRecord& second = recorder.answers[1];
    EXPECT_EQ(second.charsShown, 3);
    EXPECT_EQ(second.buzzRank, 0);
    EXPECT_EQ(second.answerMs, 0);
    EXPECT_LT(first.whenMs, second.whenMs);
    EXPECT_EQ(recorder.answers[2].charsShown, 2);
    // The store's problem is told once, at the end of the run.
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("書けません"));
    EXPECT_EQ(fake.messages[0].kind, MsgWarning);
}

TEST_F(ZnHistoryTest, MatchAnswersCarryTheAnswererAndNobodyStaysNameless) {
    settings.readPressOn = QStringLiteral("ON ");
    G().Roster = {true, 1, {{{"Zさん", 'Z'}, {"Mさん", 'M'}}}};
    load();
    start({{QStringLiteral("一二三四五六七八"), QStringLiteral("東京")},
           {QStringLiteral("ABC"), QStringLiteral("z")}});
    ticks(2);
    keys('Z');
    keys('M');
    revealToEnd();
    keys('Z');
    keys('Q');
    revealToEnd();
    ticks(100);
    // Giving up the file ends the run: its last question is recorded too.
    zn->CloseQuestionFile();
    ASSERT_EQ(recorder.answers.size(), 2);
    EXPECT_EQ(recorder.answers[0].player, QStringLiteral("Zさん"));
    EXPECT_EQ(recorder.answers[0].verdict, Verdict::Right);
    EXPECT_EQ(recorder.answers[0].buzzRank, 1);
    EXPECT_EQ(recorder.answers[0].buzzLagMs, 0);
    EXPECT_EQ(recorder.answers[1].player, QString());
    EXPECT_EQ(recorder.answers[1].verdict, Verdict::TimeOver);
}

TEST_F(ZnHistoryTest, StatsWindowOpensFromTheHelpMenuWithoutTouchingTheRun) {
    int opened = 0;
    windowFactory().showStats = [&](QWidget* owner) {
        EXPECT_EQ(owner, zn.get());
        ++opened;
    };
    load();
    start({{QStringLiteral("ABC"), QStringLiteral("z")}});
    EXPECT_EQ(zn->menu3[4]->text(), ResText(MenuStats));
    EXPECT_EQ(zn->menu3[4]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    zn->menu3[4]->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(zn->st.running);
    EXPECT_TRUE(fake.messages.isEmpty());
}
