#include "ZnFixture.h"

#include "support/HostileFiles.h"

// A missing file or a pipe named on the command line or as the background is told before
// anything blocks on it; the settings still apply and the window stays usable.
TEST_F(ZnTest, FilesNamedOnTheCommandLineOrInZnIniAreCheckedBeforeOpening) {
    const QString fifo = path("pipe.png");
    ASSERT_TRUE(MakeFifo(fifo));
    const std::tuple<QString, QString, QString> cases[] = {
        {QString(), path("gone.png"), box(1, 82, 46, 69)},
        {QString(), fifo, box(1, 82, 45, 69)},
        {fifo, QString(), box(1, 82, 45, 40)},
        {path("missing.znd"), QString(), box(1, 82, 46, 40)},
    };
    for (const auto& [file, background, message] : cases) {
        fake.clear();
        G().CurrentFile = file;
        load(background);
        EXPECT_EQ(shown(), QStringList{message});
        EXPECT_TRUE(zn->st.baseInterval == 50 && !zn->st.fileOpen);
        EXPECT_EQ(zn->background(), LoadPicture(QStringLiteral("background")));
    }
    open(writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}}));
    EXPECT_TRUE(zn->menu1[0]->isEnabled());
    fake.clear();
    G().CurrentFile = path("q.znd");
    load();
    EXPECT_TRUE(zn->st.running);
    EXPECT_EQ(fake.soundIds(), (QList<int>{11}));
    EXPECT_TRUE(fake.messages.isEmpty());

    // ZN.INI that cannot be read is told once and the defaults are used; one that is read but
    // cannot be written is told as a failed write, not as defaults used.
    fake.clear();
    G().IniPath = path("folder");
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    zn->LoadSettings();
    zn->LoadSettings();
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextSettingsIoFailed)});
    EXPECT_EQ(zn->st.baseInterval, 110);
    fake.clear();
    G().IniPath = path("ZN.INI");
    writeBytes(G().IniPath, "ON 1O");
    zn = std::make_unique<ZN>();
    {
        FileSizeLimit limit(10);
        zn->Form_Load();
    }
    EXPECT_EQ(shown(), QStringList{box(1, TitleWriteError, TextSettingsNotWritten)});
}

TEST_F(ZnTest, BackgroundPicturesOfEveryFormatShowAroundTheComposedPieces) {
    QImage blue(632, 380, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 200));
    for (const char* name : {"bg.png", "bg.bmp", "bg.jpg"}) {
        ASSERT_TRUE(blue.save(path(name)));
        load(path(name));
        const QRgb shown = zn->drawing.pixel(0, 0);
        EXPECT_TRUE(qRed(shown) < 8 && qBlue(shown) > 190) << name;
        // Arrow and count frames, exit face and saved answer area, outside their figures.
        for (QPoint p : {QPoint(0, 200), QPoint(0, 240), QPoint(80, 70), QPoint(10, 300)})
            EXPECT_EQ(G().SkinDC.pixel(p), shown) << name << p.x() << "," << p.y();
        EXPECT_EQ(zn->drawing.pixel(600, 400), qRgb(0xc0, 0xc0, 0xc0)) << "window colour below";
    }
}

// An empty file logs its header only. A file cut short during a run ends it at once instead of
// asking blank questions, and the question asked is still logged although the file lost it.
TEST_F(ZnTest, LogsOfAnEmptyAndACutQuestionFile) {
    fake.ownerName = QStringLiteral("Me");
    load();
    start({});
    EXPECT_FALSE(zn->st.running);
    EXPECT_EQ(saveLog("empty.csv"), Log("1P", {}));
    start({{QStringLiteral("一問目"), QStringLiteral("一")},
           {QStringLiteral("二問目"), QStringLiteral("二")}});
    ticks(1);
    keys('A', 2); // buzz, then the answer: correct
    ASSERT_TRUE(QFile::resize(path("q.znd"), 100));
    fake.clear();
    keys('B', 2);
    EXPECT_FALSE(zn->st.running || zn->timerEnabled());
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextQuestionFileChanged)});
    const QByteArray log = Log("1P", {QStringLiteral("\"一//問目\",\"一\",\"Me\",\"○\"")});
    EXPECT_EQ(saveLog("cut.csv"), log);

    // "No" writes nothing; a cancelled dialog is told; a full disk keeps the old log and is told.
    fake.clear();
    fake.messageAnswers.enqueue(AnswerNo);
    zn->menu1_Click(6);
    zn->menu1_Click(6);
    fake.dialogAnswers.enqueue(path("cut.csv"));
    {
        FileSizeLimit limit(16);
        zn->menu1_Click(6);
    }
    EXPECT_EQ(readBytes(path("cut.csv")), log);
    EXPECT_EQ(shown().mid(1), (QStringList{shown()[0], box(1, 82, 42, 40), shown()[0],
                                           box(1, TitleWriteError, TextFileNotSaved)}));
}
