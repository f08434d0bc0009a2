#include "ZnFixture.h"

TEST_F(ZnTest, EmptyQuestionFileLogsTheHeaderAndIsStillGivenUp) {
    load();
    start({});
    EXPECT_FALSE(zn->st.running);
    EXPECT_EQ(saveLog("empty.csv"), Log("1P", {}));
    // "No" writes nothing; a cancelled dialog and a failed write are told.
    QFile::remove(path("empty.csv"));
    fake.clear();
    fake.messageAnswers.enqueue(AnswerNo);
    zn->menu1_Click(6);
    EXPECT_FALSE(QFile::exists(path("empty.csv")));
    zn->menu1_Click(6);
    saveLog("no/such/folder/x.csv");
    EXPECT_EQ(shown().mid(2), (QStringList{box(1, 82, 42, 40), shown()[0],
                                           box(1, TitleWriteError, TextFileNotSaved)}));
    zn->menu1_Click(2);
    EXPECT_FALSE(zn->st.fileOpen || zn->menu1[6]->isEnabled());
}

TEST_F(ZnTest, CommandLineFileIsCheckedAndStartsTheRun) {
    G().CurrentFile = path("missing.znd");
    load();
    EXPECT_EQ(shown(), QStringList{box(1, 82, 46, 40)});
    open(writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}}));
    EXPECT_TRUE(zn->menu1[0]->isEnabled()) << "the window stays usable";
    fake.clear();
    G().CurrentFile = path("q.znd");
    load();
    EXPECT_TRUE(zn->st.running);
    EXPECT_EQ(fake.soundIds(), (QList<int>{11}));
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(ZnTest, UnreadableBackgroundIsReportedAndTheSettingsStillApply) {
    load(path("gone.png"));
    EXPECT_EQ(shown(), QStringList{box(1, 82, 46, 69)});
    EXPECT_EQ(zn->st.baseInterval, 50);
    EXPECT_EQ(zn->background(), LoadPicture(QStringLiteral("background")));
    // Unreadable ZN.INI (a folder of that name): told once, defaults used.
    fake.clear();
    G().IniPath = path("folder");
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    zn->LoadSettings();
    zn->LoadSettings();
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextSettingsIoFailed)});
    EXPECT_EQ(zn->st.baseInterval, 110);
}

TEST_F(ZnTest, BackgroundPicturesOfEveryFormatShowAroundTheComposedPieces) {
    QImage blue(632, 380, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 200));
    load();
    for (const char* name : {"bg.png", "bg.bmp", "bg.jpg"}) {
        ASSERT_TRUE(blue.save(path(name)));
        writeSettings(path(name));
        zn->LoadSettings();
        const QRgb shown = zn->drawing.pixel(0, 0);
        EXPECT_TRUE(qRed(shown) < 8 && qBlue(shown) > 190) << name;
        // Arrow and count frames, exit face and saved answer area, outside their figures.
        for (QPoint p : {QPoint(0, 200), QPoint(0, 240), QPoint(80, 70), QPoint(10, 300)})
            EXPECT_EQ(G().SkinDC.pixel(p), shown) << name << p.x() << "," << p.y();
        EXPECT_EQ(zn->drawing.pixel(600, 400), qRgb(0xc0, 0xc0, 0xc0)) << "window colour below";
    }
}
