#include "HistoryTestSupport.h"
#include "data/QuestionFile.h"
#include "history/HistoryStats.h"
#include "history/ReviewList.h"

namespace {

constexpr qint64 H = 3600000;
constexpr qint64 D = TestDayMs;

QList<qint64> Hashes(const QList<ReviewItem>& items) {
    QList<qint64> out;
    for (const ReviewItem& i : items)
        out << i.recordHash;
    return out;
}

// "x0 o24": wrong at the start, right 24 hours later.
QList<Attempt> Attempts(const char* list) {
    QList<Attempt> out;
    for (const QString& a : QString::fromLatin1(list).split(u' '))
        out << Attempt{TestEpochMs + a.mid(1).toLongLong() * H, a[0] == u'o'};
    return out;
}

} // namespace

TEST(SpacedReview, ComesBackAfterOneThreeSevenAndTwentyOneDays) {
    const struct {
        const char* name;
        const char* attempts;
        bool missed, learned;
        int step;
        qint64 dueHours;
    } cases[] = {
        {"never missed", "o0 o24", false, false, 0, 0},
        {"missed", "x0", true, false, 0, 24},
        {"right before it was due changes nothing", "x0 o20", true, false, 0, 24},
        {"right when due", "x0 o24", true, false, 1, 96},
        {"second step", "x0 o24 o96", true, false, 2, 264},
        {"third step", "x0 o24 o96 o264", true, false, 3, 768},
        {"learned", "x0 o24 o96 o264 o768", true, true, 4, 768},
        {"a miss starts again", "x0 o24 o96 x120", true, false, 0, 144},
    };
    for (const auto& c : cases) {
        const SpacedState s = SpacedReviewState(Attempts(c.attempts));
        EXPECT_EQ(s.missed, c.missed) << c.name;
        EXPECT_EQ(s.learned, c.learned) << c.name;
        EXPECT_EQ(s.step, c.step) << c.name;
        if (c.missed) {
            EXPECT_EQ(s.dueMs, TestEpochMs + c.dueHours * H) << c.name;
        }
    }
}

class ReviewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(store.open(dir.filePath("h.sqlite")), StoreStatus::Ok); }
    QTemporaryDir dir;
    HistoryStore store;
};

TEST_F(ReviewTest, MissedQuestionsNewestFirstUntilAnsweredRight) {
    const qint64 t = TestEpochMs;
    const QString other = QStringLiteral("/q/other.znd");
    ASSERT_EQ(store.insert({
                  Answer(1, Verdict::Wrong, t),
                  Answer(2, Verdict::TimeOver, t + 3 * H),
                  Answer(3, Verdict::Wrong, t + H),
                  Answer(3, Verdict::Right, t + 2 * H), // answered right since: gone
                  Answer(4, Verdict::Right, t + 4 * H),
                  Answer(5, Verdict::Wrong, t + 5 * H, QStringLiteral("花子")),
                  Answer(6, Verdict::Right, t, QStringLiteral("太郎"), other, 1, 3),
                  Answer(6, Verdict::Wrong, t + 6 * H, QStringLiteral("太郎"), other, 1, 3),
              }),
              StoreStatus::Ok);
    ReviewOptions options;
    options.filter.allPlayers = false;
    options.filter.player = QStringLiteral("太郎");
    EXPECT_EQ(Hashes(MissedQuestions(store.database(), options)), (QList<qint64>{6, 2, 1}));
    options.genre = 3;
    EXPECT_EQ(Hashes(MissedQuestions(store.database(), options)), (QList<qint64>{6}));
    options.genre = 0;
    options.filter.filePath = QStringLiteral("/q/a.znd");
    EXPECT_EQ(Hashes(MissedQuestions(store.database(), options)), (QList<qint64>{2, 1}));
    options.limit = 1;
    EXPECT_EQ(Hashes(MissedQuestions(store.database(), options)), (QList<qint64>{2}));
    options = ReviewOptions{};
    EXPECT_EQ(Hashes(MissedQuestions(store.database(), options)), (QList<qint64>{6, 5, 2, 1}));
}

TEST_F(ReviewTest, DueQuestionsFollowTheClock) {
    const qint64 t = TestEpochMs;
    ASSERT_EQ(store.insert({
                  Answer(1, Verdict::Wrong, t), Answer(2, Verdict::Wrong, t + 2 * H),
                  Answer(3, Verdict::Wrong, t),
                  Answer(3, Verdict::Right, t + D), // next due at t + 4 days
                  Answer(4, Verdict::Right, t),     // never missed
              }),
              StoreStatus::Ok);
    ReviewOptions options;
    const struct {
        qint64 now;
        QList<qint64> due;
    } cases[] = {
        {t + 20 * H, {}},
        {t + D, {1}},
        {t + D + 2 * H, {1, 2}},
        {t + 4 * D, {1, 2, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hashes(DueQuestions(store.database(), options, c.now)), c.due)
            << (c.now - t) / H << " hours";
}

TEST_F(ReviewTest, ReviewFileHoldsTheRecordsInOrderAndFindsMovedOnes) {
    const QString source = dir.filePath(QStringLiteral("source.znd"));
    const QStringList texts = {
        ComposeRecordText(QStringLiteral("一番目の問題"), QStringLiteral("一"), QLatin1Char('1')),
        ComposeRecordText(QStringLiteral("二番目の問題"), QStringLiteral("二"), QLatin1Char('2')),
        ComposeRecordText(QStringLiteral("三番目の問題"), QStringLiteral("三"), QLatin1Char('5')),
    };
    ASSERT_TRUE(WriteRecordTexts(source, texts));
    QuestionFile file;
    ASSERT_TRUE(file.open(source));
    QList<qint64> hashes;
    for (int n = 1; n <= 3; ++n) {
        QuestionRecord r;
        ASSERT_TRUE(file.read(n, r));
        hashes << RecordHash(r);
    }
    file.close();
    const QByteArray bytes = readBytes(source);
    auto record = [&](int n) { return bytes.mid((n - 1) * 351, 351); };

    QList<ReviewItem> items;
    for (int n : {3, 1})
        items << ReviewItem{hashes[n - 1], source, n, 1, 0, 0};
    const QString out = dir.filePath(QStringLiteral("review.znd"));
    ReviewFileResult r = WriteReviewFile(items, out);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.written, 2);
    EXPECT_EQ(readBytes(out), record(3) + record(1));

    // The source gains a record in front and loses the first one: record 3 is found at its new
    // place, record 1 is gone and left out.
    ASSERT_TRUE(WriteRecordTexts(source, {ComposeRecordText(QStringLiteral("新しい問題"),
                                                            QStringLiteral("新"), QLatin1Char('7')),
                                          texts[1], texts[2]}));
    r = WriteReviewFile(items, out);
    EXPECT_EQ(r.written, 1);
    EXPECT_EQ(r.missing, 1);
    EXPECT_EQ(readBytes(out), record(3));

    // Nothing found: the old review file stays.
    QFile::remove(source);
    r = WriteReviewFile(items, out);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.missing, 2);
    EXPECT_EQ(readBytes(out), record(3));
}

TEST_F(ReviewTest, StatisticsCountByGenreTenthAndDay) {
    auto buzz = [](qint64 hash, Verdict v, int shown, int length, int genre, qint64 when) {
        AnswerRecord a =
            Answer(hash, v, when, QStringLiteral("太郎"), QStringLiteral("/q/a.znd"), 1, genre);
        a.charsShown = shown;
        a.questionLength = length;
        return a;
    };
    AnswerRecord noBuzz = buzz(9, Verdict::TimeOver, 40, 40, 2, TestEpochMs);
    noBuzz.buzzRank = 0;
    // 2026-12-05 16:00 UTC is already 12-06 in Japan.
    ASSERT_EQ(store.insert({buzz(1, Verdict::Right, 1, 10, 1, TestEpochMs + 4 * D + 16 * H),
                            buzz(2, Verdict::Wrong, 10, 10, 1, TestEpochMs + 5 * D),
                            buzz(3, Verdict::Right, 5, 10, 3, TestEpochMs + 5 * D + H),
                            buzz(4, Verdict::Right, 6, 10, 3, TestEpochMs - 30 * D), noBuzz}),
              StoreStatus::Ok);
    StatsFilter all;
    const QList<RateRow> genres = AccuracyByGenre(store.database(), all);
    ASSERT_EQ(genres.size(), 7);
    EXPECT_EQ(genres[0].answered, 2);
    EXPECT_EQ(genres[0].right, 1);
    EXPECT_EQ(genres[1].answered, 1);
    EXPECT_EQ(genres[2].right, 2);

    QList<int> answered;
    for (const RateRow& r : AccuracyByTenth(store.database(), all))
        answered << r.answered;
    EXPECT_EQ(answered, (QList<int>{1, 0, 0, 0, 1, 1, 0, 0, 0, 1}));

    const qint64 now = TestEpochMs + 6 * D + H; // 12-07 10:00 in Japan
    const QList<DayRow> days = DailyActivity(store.database(), all, now, 7, 9 * 3600);
    ASSERT_EQ(days.size(), 7);
    EXPECT_EQ(days.first().day, QDate(2026, 12, 1));
    EXPECT_EQ(days.last().day, QDate(2026, 12, 7));
    QList<int> perDay;
    for (const DayRow& d : days)
        perDay << d.answered;
    EXPECT_EQ(perDay, (QList<int>{1, 0, 0, 0, 0, 3, 0}));

    StatsFilter nobody;
    nobody.allPlayers = false;
    nobody.player = QStringLiteral("花子");
    EXPECT_EQ(AccuracyByGenre(store.database(), nobody)[0].answered, 0);
    StatsFilter otherFile;
    otherFile.filePath = QStringLiteral("/q/none.znd");
    EXPECT_EQ(AccuracyByGenre(store.database(), otherFile)[0].answered, 0);
    EXPECT_EQ(HistoryPlayers(store.database()), QStringList{QStringLiteral("太郎")});
}
