#include "quiz/QuizRules.h"

#include "platform/Keys.h"

#include <gtest/gtest.h>

namespace {

// Records what the rules ask of the window, one word a call.
struct ViewLog : QuizView {
    QStringList calls;
    std::string said() const { return calls.join(QLatin1Char('|')).toStdString(); }
    void quitProgram() override { calls << "quit"; }
    void askNextQuestion() override { calls << "next"; }
    void playStateSound() override { calls << "sound"; }
    void playBuzzSound() override { calls << "buzz"; }
    void playTickSound() override { calls << "tick"; }
    void setTickInterval(int) override {}
    void showCharacter(const QString& c) override { calls << c; }
    void startRevealLine() override {}
    void showCount(int, int) override {}
    void showIndicator(int, int) override {}
    void showVerdict(bool) override { calls << "verdict"; }
    void showBuzz(int rank, const QuizBuzz& b) override {
        calls << QStringLiteral("line%1 %2 %3").arg(rank).arg(b.name).arg(b.lagMs);
    }
    void showBuzzOrder(const QList<QuizBuzz>& byRank) override {
        QStringList names;
        for (const QuizBuzz& b : byRank)
            names << b.name + QString::number(b.lagMs);
        calls << QStringLiteral("order ") + names.join(QLatin1Char(' '));
    }
};

struct Judgements : QuizObserver {
    QList<JudgedQuestion> judged;
    void questionJudged(const JudgedQuestion& j) override { judged << j; }
};

// One question "ABCDEFG" read out in a three-player match, without sounds.
struct Match {
    ViewLog view;
    QuizRules rules{view};
    MatchRoster roster{true, 2, {{{"P", 'P'}, {"Q", 'Q'}, {"R", 'R'}}}};
    Judgements history;
    qint64 now = 100000;

    Match() {
        rules.roster = &roster;
        rules.clock = [this] { return now; };
        rules.addObserver(&history);
        ZnState& st = rules.st;
        st.running = st.fileOpen = st.revealMode = true;
        st.questionNo = st.questionTotal = 1;
        st.verdicts = {false, false};
        st.buzzPositions = {0, 0};
        st.answerers = {QString(), QString()};
        st.baseInterval = 50;
        rules.clearQuestion();
        QuestionRecord asked;
        asked.question = QStringLiteral("ABCDEFG");
        rules.beginQuestion(9, asked, asked.question);
        rules.startAsking();
    }
};

} // namespace

// Remote buzzers report when they were pressed, which may be before a buzz already taken: the
// ranks and lags follow the moments, and the earliest player answers.
TEST(QuizRules, MatchBuzzesRankByTheirMoments) {
    Match m;
    m.rules.tick();
    m.rules.tick();
    m.rules.playerBuzz('Q', 101000);
    m.rules.playerBuzz('R', 100400); // arrives later, pressed earlier: takes the lead
    m.rules.playerBuzz('P', 101000); // a tie keeps the order of arrival
    m.rules.playerBuzz('Q');         // the one who lost the lead no longer answers
    EXPECT_EQ(m.view.said(), "A|B|line1 Q 0|sound|order R0 Q600|line3 P 600");
    EXPECT_EQ(m.rules.st.buzzKey, 'R');
    EXPECT_EQ(m.rules.st.answerers[1], QStringLiteral("R"));
    EXPECT_EQ(m.rules.st.buzzTimes, (std::array<long long, 4>{0, 40400, 41000, 41000}));

    m.view.calls.clear();
    m.now = 105000;
    m.rules.playerBuzz('R'); // the second press opens the answer: right
    m.rules.judge(false);
    EXPECT_EQ(m.view.said(), "sound|verdict|sound|verdict");
    ASSERT_EQ(m.history.judged.size(), 2);
    const JudgedQuestion& first = m.history.judged[0];
    EXPECT_EQ(first.recordNo, 9);
    EXPECT_EQ(first.answerer, QStringLiteral("R"));
    EXPECT_EQ(first.buzzPosition, 2);
    EXPECT_EQ(first.questionLength, 7);
    EXPECT_EQ(first.askedAtMs, 100000);
    EXPECT_EQ(first.buzzAtMs, 100400);
    EXPECT_EQ(first.judgedAtMs, 105000);
    EXPECT_TRUE(first.correct);
    EXPECT_FALSE(first.rejudged);
    ASSERT_EQ(first.buzzes.size(), 3);
    EXPECT_EQ(first.buzzes[2].lagMs, 600);
    EXPECT_FALSE(m.history.judged[1].correct);
    EXPECT_TRUE(m.history.judged[1].rejudged);
}

// Keys that belong to nobody do nothing in a match until a player has buzzed; Esc always ends.
TEST(QuizRules, StrayKeysInAMatchAndEsc) {
    Match m;
    m.rules.tick();
    m.rules.playerBuzz(VK::Space);
    m.rules.playerBuzz(0x20001); // a phone nobody holds
    EXPECT_EQ(m.rules.st.buzzCount, 0);
    m.rules.dropKeys = true;
    m.rules.playerBuzz('P');
    m.rules.playerBuzz(VK::Escape);
    EXPECT_EQ(m.view.said(), "A|quit");
}
