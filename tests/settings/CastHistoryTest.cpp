#include "CastFixture.h"
#include "history/HistorySetup.h"
#include "history/HistoryTestSupport.h"
#include "history/HistoryTexts.h"

namespace {

// Whether answers are recorded is kept in its own file beside the history, not in ZN.INI.
class CastHistoryTest : public CastTest {
protected:
    void SetUp() override {
        CastTest::SetUp();
        SetHistorySettingsPath(dir.filePath(QStringLiteral("history.ini")));
        SetHistoryPath(dir.filePath(QStringLiteral("history.sqlite")));
    }
    void TearDown() override {
        SetHistorySettingsPath(QString());
        SetHistoryPath(QString());
    }
    qint64 answers() {
        HistoryStore store;
        return store.open(HistoryPath()) == StoreStatus::Ok ? AnswerCount(store) : -1;
    }
};

} // namespace

// Recording is on until turned off; "OK" keeps the choice, cancel does not.
TEST_F(CastHistoryTest, RecordingChoiceIsKeptOnOkOutsideZnIni) {
    auto cast = open();
    EXPECT_EQ(cast->wakuHistory->title(), ResText(TitleStats));
    EXPECT_TRUE(cast->chkHistory->isChecked());
    cast->chkHistory->setChecked(false);
    cast->OK_CAN_Click(1); // cancel keeps it on
    EXPECT_TRUE(RecordingEnabled());

    cast = open();
    cast->chkHistory->setChecked(false);
    cast->OK_CAN_Click(0);
    EXPECT_FALSE(RecordingEnabled());
    EXPECT_EQ(ini(), Default);

    cast = open();
    EXPECT_FALSE(cast->chkHistory->isChecked());
    cast->OK_CAN_Click(2); // the defaults record again
    EXPECT_TRUE(cast->chkHistory->isChecked());
    cast->OK_CAN_Click(0);
    EXPECT_TRUE(RecordingEnabled());
    // Read back from the file, not from what this process remembers.
    SetHistorySettingsPath(dir.filePath(QStringLiteral("history.ini")));
    EXPECT_TRUE(RecordingEnabled());
}

TEST_F(CastHistoryTest, ClearingTheHistoryAsksFirst) {
    {
        HistoryStore store;
        ASSERT_EQ(store.open(HistoryPath()), StoreStatus::Ok);
        ASSERT_EQ(store.insert({Answer(1, Verdict::Right, 0), Answer(2, Verdict::Right, 0)}),
                  StoreStatus::Ok);
    }
    auto cast = open();
    fake.messageAnswers.enqueue(AnswerNo);
    fake.messageAnswers.enqueue(AnswerYes);
    QTest::mouseClick(cast->cmdClearHistory, Qt::LeftButton);
    EXPECT_EQ(answers(), 2);
    QTest::mouseClick(cast->cmdClearHistory, Qt::LeftButton);
    EXPECT_EQ(answers(), 0);
    ASSERT_EQ(fake.messages.size(), 2);
    EXPECT_EQ(fake.messages[0].kind, MsgYesNo);
    EXPECT_EQ(fake.messages[0].text, ResText(TextAskClearHistory));
}
