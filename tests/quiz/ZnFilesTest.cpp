#include "ZnFixture.h"

// A missing file or a pipe named on the command line or as the background is told before
// anything blocks on it and the settings still apply; a readable one starts the run.
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
        EXPECT_EQ(zn->st.baseInterval, 50);
        EXPECT_FALSE(zn->st.fileOpen);
        EXPECT_EQ(zn->background(), LoadPicture(QStringLiteral("background")));
    }
    fake.clear();
    G().CurrentFile = writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}});
    load();
    EXPECT_TRUE(zn->st.running);
    EXPECT_TRUE(fake.messages.isEmpty());
    start({}); // an empty file: no run, a log of its header only
    EXPECT_FALSE(zn->st.running);
    EXPECT_EQ(saveLog("empty.csv"), Log("1P", {}));

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
    G().CurrentFile.clear();
    writeBytes(G().IniPath, "ON 1O");
    zn = std::make_unique<ZN>();
    {
        FileSizeLimit limit(10);
        zn->Form_Load();
    }
    EXPECT_EQ(shown(), QStringList{box(1, TitleWriteError, TextSettingsNotWritten)});
}
