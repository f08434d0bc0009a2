#include "ZnFixture.h"

#include "history/HistoryRecorder.h"
#include "history/HistoryTexts.h"

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

    // The first: three characters of six shown at the buzz, timed, and the whole question known.
    const AnswerRecord& first = recorder.answers[0];
    const QuestionRecord asked{questions[0][0], questions[0][1], QStringLiteral("3")};
    EXPECT_EQ(std::tuple(first.filePath, first.fileHash, first.recordNo, first.recordHash,
                         first.genre, first.player),
              std::tuple(QFileInfo(file).absoluteFilePath(), FileHash(file), 1, RecordHash(asked),
                         3, fake.ownerName));
    EXPECT_EQ(std::tuple(first.charsShown, first.questionLength, first.buzzRank),
              std::tuple(3, 6, 1));
    EXPECT_GT(first.thinkingMs, 0);
    EXPECT_GT(first.answerMs, 0);
    // Nobody buzzed: the whole question was shown and there is no answer time.
    const AnswerRecord& second = recorder.answers[1];
    EXPECT_EQ(std::tuple(second.charsShown, second.buzzRank, second.answerMs), std::tuple(3, 0, 0));
    EXPECT_LT(first.whenMs, second.whenMs);
    EXPECT_EQ(recorder.answers[2].charsShown, 2);
    // The store's problem is told once, at the end of the run.
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(std::pair(fake.messages[0].kind, fake.messages[0].text),
              std::pair(int(MsgWarning), QStringLiteral("書けません")));
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
    const AnswerRecord &first = recorder.answers[0], &second = recorder.answers[1];
    EXPECT_EQ(std::tuple(first.player, first.verdict, first.buzzRank, first.buzzLagMs),
              std::tuple(QStringLiteral("Zさん"), Verdict::Right, 1, 0));
    EXPECT_EQ(std::pair(second.player, second.verdict), std::pair(QString(), Verdict::TimeOver));
}

TEST_F(ZnHistoryTest, StatsWindowOpensFromTheHelpMenuWithoutTouchingTheRun) {
    int opened = 0;
    windowFactory().showStats = [&](QWidget* owner) {
        EXPECT_EQ(owner, zn.get());
        ++opened;
    };
    load();
    start({{QStringLiteral("ABC"), QStringLiteral("z")}});
    EXPECT_EQ(zn->menu3[4]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    zn->menu3[4]->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(zn->st.running);
    EXPECT_TRUE(fake.messages.isEmpty());
}
