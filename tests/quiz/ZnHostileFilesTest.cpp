#include "ZnFixture.h"

#include "support/HostileFiles.h"

namespace {
const QList<QStringList> Questions = {{QStringLiteral("一問目"), QStringLiteral("一")},
                                      {QStringLiteral("二問目"), QStringLiteral("二")}};
} // namespace

// The file is cut short after the first question: the run ends at once instead of asking blank
// questions, and the question asked is still logged although the file no longer holds it.
TEST_F(ZnTest, QuestionFileCutDuringARunEndsItAndKeepsTheLog) {
    fake.ownerName = QStringLiteral("Me");
    load();
    start(Questions);
    ticks(1);
    keys('A', 2); // buzz, then the answer: correct
    ASSERT_TRUE(QFile::resize(path("q.znd"), 100));
    fake.clear();
    keys('B', 2);
    EXPECT_FALSE(zn->st.running || zn->timerEnabled());
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextQuestionFileChanged)});
    EXPECT_EQ(saveLog("cut.csv"), Log("1P", {QStringLiteral("\"一//問目\",\"一\",\"Me\",\"○\"")}));

    // A full disk while saving it again: the old log stays and the user is told.
    fake.clear();
    fake.dialogAnswers.enqueue(path("cut.csv"));
    {
        FileSizeLimit limit(16);
        zn->menu1_Click(6);
    }
    EXPECT_EQ(readBytes(path("cut.csv")),
              Log("1P", {QStringLiteral("\"一//問目\",\"一\",\"Me\",\"○\"")}));
    EXPECT_EQ(shown().value(1), box(1, TitleWriteError, TextFileNotSaved));
}

// Pipes as the background picture or on the command line are refused with the messages those
// paths already get, instead of blocking the window for good.
TEST_F(ZnTest, PipesAsBackgroundOrQuestionFileNeverBlock) {
    const QString fifo = path("pipe.png");
    ASSERT_TRUE(MakeFifo(fifo));
    load(fifo);
    EXPECT_EQ(shown(), QStringList{box(1, 82, 45, 69)});
    fake.clear();
    G().CurrentFile = fifo;
    load();
    EXPECT_EQ(shown(), QStringList{box(1, 82, 45, 40)});
}

// ZN.INI that is read but cannot be written is told as a failed write, not as defaults used.
TEST_F(ZnTest, SettingsWriteFailureIsToldAsAWrite) {
    writeBytes(G().IniPath, "ON 1O");
    zn = std::make_unique<ZN>();
    {
        FileSizeLimit limit(10);
        zn->Form_Load();
    }
    EXPECT_EQ(shown(), QStringList{box(1, TitleWriteError, TextSettingsNotWritten)});
}
