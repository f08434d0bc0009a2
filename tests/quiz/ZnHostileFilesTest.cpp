#include "ZnFixture.h"

#include "support/HostileFiles.h"

namespace {

const QList<QStringList> Questions = {
    {QStringLiteral("一問目"), QStringLiteral("一")},
    {QStringLiteral("二問目"), QStringLiteral("二")},
    {QStringLiteral("三問目"), QStringLiteral("三")},
};

} // namespace

// The file is cut short after the first question was asked: the run ends at once instead of
// asking blank questions, and the one question asked is still logged although the file no
// longer holds it.
TEST_F(ZnTest, QuestionFileCutDuringARunEndsItAndKeepsTheLog) {
    fake.ownerName = QStringLiteral("Me");
    load();
    start(Questions);
    ticks(1);
    keys('A', 2); // buzz, then the answer: correct
    ASSERT_TRUE(QFile::resize(path("q.znd"), 100));
    fake.clear();
    keys('B');
    EXPECT_FALSE(zn->st.running || zn->timerEnabled());
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextQuestionFileChanged)});
    EXPECT_EQ(zn->st.questionTotal, 1);
    EXPECT_TRUE(zn->menu1[6]->isEnabled());
    keys('B'); // after the end: nothing more is asked or told
    EXPECT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(saveLog("cut.csv"), Log("1P", {QStringLiteral("\"一//問目\",\"一\",\"Me\",\"○\"")}));
}

// A full disk while saving the log: the old log stays as it was and the user is told.
TEST_F(ZnTest, LogSaveOntoAFullDiskKeepsTheOldLog) {
    load();
    start(Questions.mid(0, 1));
    ticks(1);
    keys('A', 2);
    keys('B');
    ASSERT_FALSE(zn->st.running);
    const QByteArray old = "\"an older log\"\r\n";
    writeBytes(path("run.csv"), old);
    fake.clear();
    fake.dialogAnswers.enqueue(path("run.csv"));
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        zn->menu1_Click(6);
    }
    EXPECT_EQ(readBytes(path("run.csv")), old);
    EXPECT_EQ(shown().value(1), box(1, TitleWriteError, TextFileNotSaved));
}

// Pipes as the background picture or on the command line are refused with the messages those
// paths already use, instead of blocking the window for good.
TEST_F(ZnTest, PipesAsBackgroundOrQuestionFileNeverBlock) {
    const QString fifo = path("pipe.png");
    ASSERT_TRUE(MakeFifo(fifo));
    load(fifo);
    EXPECT_EQ(shown(), QStringList{box(1, 82, 45, 69)});
    EXPECT_EQ(zn->background(), LoadPicture(QStringLiteral("background")));

    fake.clear();
    G().CurrentFile = fifo;
    load();
    EXPECT_EQ(shown(), QStringList{box(1, 82, 45, 40)});
    EXPECT_FALSE(zn->st.fileOpen);
}

// ZN.INI that can be read but not written gives its settings and a write failure, not the
// read failure's "defaults are used".
TEST_F(ZnTest, SettingsWriteFailureIsToldAsAWrite) {
    writeBytes(G().IniPath, "ON 1O");
    zn = std::make_unique<ZN>();
    zn->useRealTimer = false;
    {
        FileSizeLimit limit(10);
        ASSERT_TRUE(limit.active());
        zn->Form_Load();
    }
    EXPECT_EQ(shown(), QStringList{box(1, TitleWriteError, TextSettingsNotWritten)});
}
