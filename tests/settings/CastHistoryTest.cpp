#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "data/DataFiles.h"
#include "history/HistorySetup.h"
#include "history/HistoryTexts.h"
#include "support/FakePlatform.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

class CastHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
        G().Roster = MatchRoster{};
        SetHistorySettingsPath(dir.filePath(QStringLiteral("history.ini")));
        SetHistoryPath(dir.filePath(QStringLiteral("history.sqlite")));
    }
    void TearDown() override {
        SetHistorySettingsPath(QString());
        SetHistoryPath(QString());
    }
    std::unique_ptr<Cast> open() {
        writeBytes(G().IniPath, Ini);
        auto cast = std::make_unique<Cast>();
        cast->show();
        return cast;
    }
    qint64 answers() {
        HistoryStore store;
        if (store.open(HistoryPath()) != StoreStatus::Ok) return -1;
        QSqlQuery q(store.database());
        return q.exec(QStringLiteral("SELECT COUNT(*) FROM answers")) && q.next()
                   ? q.value(0).toLongLong()
                   : -1;
    }

    const QByteArray Ini = "ON 3ON 2ON ON ON X\r\n\r\n";
    QTemporaryDir dir;
    FakePlatform fake;
};

} // namespace

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
    EXPECT_EQ(readBytes(G().IniPath), Ini);

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
        AnswerRecord a;
        a.filePath = QStringLiteral("/q.znd");
        ASSERT_EQ(store.insert({a, a}), StoreStatus::Ok);
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
