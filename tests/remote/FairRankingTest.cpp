#include "quiz/MatchRules.h"

namespace {

struct Buzz {
    int key;
    qint64 moment, arrival; // moment -1: a key, made when it arrives
};

struct RankCase {
    const char* what;
    QString order; // keys by rank
    int position;  // characters shown at the leader's buzz
    QString answerer;
    std::vector<Buzz> buzzes;
};

// Ten characters revealed at 1000, 1100, ... 1900 ms; buzzes arrive during or after the reveal.
TEST(FairRanking, RemoteBuzzesRankByTheirMomentWithinTheWindow) {
    const RankCase cases[] = {
        {"same moments: arrival order", "PQ", 3, "P", {{'P', 1250, 1260}, {'Q', 1270, 1275}}},
        {"slow link, touched first: leads", "QP", 2, "Q", {{'P', 1250, 1260}, {'Q', 1150, 1340}}},
        {"after the window: passes nobody", "PQ", 3, "P", {{'P', 1250, 1260}, {'Q', 1150, 1361}}},
        // A key ranks against phones on one clock.
        {"key", "PQR", 4, "P", {{'P', 1350, 1360}, {'R', -1, 1370}, {'Q', 1355, 1430}}},
        {"arrived after the reveal: counts where made", "Q", 9, "Q", {{'Q', 1850, 2400}}},
        {"made after the reveal: counts nowhere", "Q", 0, "Q", {{'Q', 2050, 2100}}},
    };
    for (const RankCase& c : cases) {
        Match m(QStringLiteral("ABCDEFGHIJ"), 100, 0, [](QuizRules& rules) {
            rules.timeReveal = true;
            rules.st.extraChars = 0; // the reveal stops at the tick after a buzz
        });
        QuizRules& rules = m.rules;
        ZnState& st = rules.st;
        qint64& now = m.now;
        qint64 nextTick = 1000;
        for (const Buzz& b : c.buzzes) {
            while (nextTick <= b.arrival && st.timerMode == TimerMode::Reveal) {
                now = nextTick;
                rules.tick();
                nextTick += 100;
            }
            now = b.arrival;
            rules.playerBuzz(b.key, b.moment < 0 ? QuizRules::Now : b.moment);
        }
        QString order;
        for (const QuizBuzz& b : rules.buzzes())
            order += QChar(b.keyCode);
        EXPECT_EQ(order, c.order) << c.what;
        EXPECT_EQ(st.buzzPositions[1], c.position) << c.what;
        EXPECT_EQ(st.answerers[1], c.answerer) << c.what;
        EXPECT_EQ(st.buzzKey, c.order.at(0).unicode()) << c.what;
    }
}

} // namespace
