#include "MatchRules.h"
#include "platform/Keys.h"

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
    EXPECT_EQ(std::tuple(first.recordNo, first.answerer, first.buzzPosition, first.questionLength),
              std::tuple(9, QStringLiteral("R"), 2, 7));
    EXPECT_EQ(std::tuple(first.askedAtMs, first.buzzAtMs, first.judgedAtMs),
              std::tuple(100000, 100400, 105000));
    ASSERT_EQ(first.buzzes.size(), 3);
    EXPECT_EQ(first.buzzes[2].lagMs, 600);
    // Right, then judged again as wrong.
    EXPECT_EQ((QList<bool>{first.correct, first.rejudged, m.history.judged[1].correct,
                           m.history.judged[1].rejudged}),
              (QList<bool>{true, false, false, true}));
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
