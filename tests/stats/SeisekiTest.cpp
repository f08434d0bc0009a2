#include "stats/Seiseki.h"
#include "data/QuestionFile.h"
#include "history/HistoryTestSupport.h"
#include "history/HistoryTexts.h"
#include "support/TestKit.h"

#include <QChartView>

namespace {

// 2026-12-06 12:00 UTC, the fake platform's clock.
constexpr qint64 NowMs = 1796558400000;

class SeisekiTest : public ::testing::Test {
protected:
    void SetUp() override {
        source = dir.filePath(QStringLiteral("set.znd"));
        QStringList texts;
        for (int n = 1; n <= 4; ++n)
            texts << ComposeRecordText(QStringLiteral("問題%1").arg(n),
                                       QStringLiteral("答%1").arg(n), QLatin1Char(char('0' + n)));
        ASSERT_TRUE(WriteRecordTexts(source, texts));
        QuestionFile file;
        ASSERT_TRUE(file.open(source));
        HistoryStore store;
        ASSERT_EQ(store.open(historyPath()), StoreStatus::Ok);
        QList<AnswerRecord> answers;
        // 太郎 misses questions 1 and 3 two days ago, gets 2 and 4 right; 花子 gets all right.
        for (int n = 1; n <= 4; ++n) {
            QuestionRecord r;
            ASSERT_TRUE(file.read(n, r));
            for (const QString& player : {QStringLiteral("太郎"), QStringLiteral("花子")}) {
                const bool right = player != QStringLiteral("太郎") || n % 2 == 0;
                AnswerRecord a = Answer(RecordHash(r), right ? Verdict::Right : Verdict::Wrong,
                                        NowMs - 2 * TestDayMs + n * 60000, player, source, n, n);
                a.fileHash = FileHash(source);
                a.charsShown = n * 2;
                a.questionLength = 10;
                answers << a;
            }
        }
        ASSERT_EQ(store.insert(answers), StoreStatus::Ok);
    }
    QString historyPath() const { return dir.filePath(QStringLiteral("history.sqlite")); }

    QTemporaryDir dir;
    QString source;
    FakePlatform fake;
};

} // namespace

TEST_F(SeisekiTest, FiltersChangeChartsAndTable) {
    Seiseki w(historyPath());
    w.Form_Load();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("成績"));
    ASSERT_EQ(w.playerBox->count(), 3); // everybody, 太郎, 花子
    EXPECT_EQ(w.fileBox->itemText(1), QStringLiteral("set.znd"));
    EXPECT_EQ(std::pair(w.genreRows[0].answered, w.genreRows[0].right), std::pair(2, 1));
    ASSERT_EQ(w.dayRows.size(), Seiseki::DaysShown);
    EXPECT_EQ(w.dayRows[Seiseki::DaysShown - 3].answered, 8);

    w.playerBox->setCurrentIndex(w.playerBox->findText(QStringLiteral("太郎")));
    EXPECT_EQ(std::tuple(w.genreRows[0].right, w.genreRows[1].right,
                         w.dayRows[Seiseki::DaysShown - 3].right),
              std::tuple(0, 1, 2));
    // One table row per genre, per tenth and per day, the numbers as the charts have them.
    ASSERT_EQ(w.table->rowCount(), 7 + 10 + Seiseki::DaysShown);
    EXPECT_EQ((QStringList{w.table->item(0, 1)->text(), w.table->item(1, 4)->text(),
                           w.table->item(0, 4)->text(), w.table->item(4, 4)->text()}),
              (QStringList{"文学・歴史", "100.0", "0.0", "-"}));
    for (QChartView* view : w.charts)
        EXPECT_FALSE(view->chart()->series().isEmpty());
}

TEST_F(SeisekiTest, SavesTheShownChartAsPng) {
    Seiseki w(historyPath());
    w.Form_Load();
    w.show();
    w.tabs->setCurrentIndex(2);
    const QString png = dir.filePath(QStringLiteral("daily"));
    fake.dialogAnswers.enqueue(png);
    w.SaveChart_Click();
    ASSERT_EQ(fake.dialogs.size(), 1);
    EXPECT_TRUE(fake.dialogs[0].save);
    const QImage saved(png + QStringLiteral(".png"));
    EXPECT_EQ(saved.size(), w.charts[2]->size());
    // The table tab has no chart to save.
    w.tabs->setCurrentIndex(3);
    EXPECT_FALSE(w.saveButton->isEnabled());
}

TEST_F(SeisekiTest, ReviewFileOfThePlayersMisses) {
    Seiseki w(historyPath());
    w.Form_Load();
    const QString out = dir.filePath(QStringLiteral("review.znd"));

    // Everybody answered everything right for 花子: nothing to write, no dialog.
    w.playerBox->setCurrentIndex(w.playerBox->findText(QStringLiteral("花子")));
    w.MakeReview_Click();
    EXPECT_TRUE(fake.dialogs.isEmpty());
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, ResText(TextNothingToReview));

    w.playerBox->setCurrentIndex(w.playerBox->findText(QStringLiteral("太郎")));
    fake.dialogAnswers.enqueue(out);
    G().CurrentFile = QStringLiteral("/keep/me.znd");
    w.MakeReview_Click();
    EXPECT_EQ(G().CurrentFile, QStringLiteral("/keep/me.znd"));
    const QByteArray bytes = readBytes(source);
    EXPECT_EQ(readBytes(out), bytes.mid(2 * 351, 351) + bytes.mid(0, 351)); // newest miss first
    EXPECT_EQ(fake.messages.last().text, ResText(TextReviewWritten, QStringLiteral("2")));

    // Spaced review: missed two days ago, so both are due now; the genre filter keeps one.
    w.spacedBox->setChecked(true);
    w.genreBox->setCurrentIndex(1);
    fake.dialogAnswers.enqueue(out);
    w.MakeReview_Click();
    EXPECT_EQ(readBytes(out), bytes.mid(0, 351));
    G().CurrentFile.clear();
}
