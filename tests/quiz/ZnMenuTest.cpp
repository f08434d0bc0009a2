#include "ZnFixture.h"

TEST_F(ZnTest, MenusFollowTheFileLifeCycleUpToUnload) {
    ASSERT_TRUE(QDir().mkpath(G().ToolPath));
    load();
    EXPECT_FALSE(zn->menu2[2]->isEnabled()) << "a folder of the tool's name is no tool";
    ASSERT_TRUE(QDir(G().ToolPath).removeRecursively());
    ASSERT_TRUE(QFile(G().ToolPath).open(QIODevice::WriteOnly));
    load();
    zn->show();
    EXPECT_FALSE(zn->close()) << "only the menu ends the window";
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_FALSE(zn->menu1[6]->isEnabled());
    // The conversion tool hides the window while it runs; a failed start is told.
    bool hiddenMeanwhile = false;
    fake.whileRunning = [&] { hiddenMeanwhile = !zn->isVisible(); };
    zn->menu2_Click(2);
    EXPECT_TRUE(zn->menu2[2]->isEnabled());
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(zn->isVisible());
    EXPECT_EQ(fake.programsRun, QList<QStringList>{QStringList{G().ToolPath}});
    fake.runSucceeds = false;
    zn->menu2_Click(2);
    EXPECT_TRUE(zn->isVisible());
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextToolNotStarted)});
    const QString file = writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}});
    open(file);
    EXPECT_TRUE(zn->menu1[0]->isEnabled());
    zn->menu1_Click(0);
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_FALSE(zn->menu1[6]->isEnabled());
    revealToEnd();
    ticks(100);
    keys('A');
    EXPECT_TRUE(zn->menu1[6]->isEnabled());

    // Loading again gives the file up with a notice; the cancelled dialog is told.
    fake.clear();
    zn->menu1_Click(2);
    EXPECT_EQ(shown(), (QStringList{box(0, 83, 41), box(1, 82, 42, 40)}));
    EXPECT_EQ(std::tuple(zn->menu1[0]->isEnabled(), zn->menu1[6]->isEnabled(), zn->st.fileOpen),
              std::tuple(false, false, false));

    // Commands that open other windows give the file up first; the version window does not.
    QStringList opened;
    auto record = [&](const char* name) {
        return [&, name](QWidget*) { opened << name + QString(zn->st.fileOpen ? "+file" : ""); };
    };
    windowFactory().showEditor = record("editor");
    windowFactory().showPrint = record("print");
    windowFactory().showVersion = record("version");
    windowFactory().showSettings = [&](QWidget* owner) {
        record("settings")(owner);
        settings.speedLevel = QStringLiteral("4");
        writeBytes(G().IniPath, settings.toBytes());
        G().Roster.matchOn = true;
    };
    for (int command : {3, 5, 0}) {
        open(file);
        if (command == 5) fake.dialogAnswers.enqueue(file); // the print window asks for one
        command ? zn->menu1_Click(command) : zn->menu2_Click(0);
    }
    EXPECT_EQ(zn->st.baseInterval, 140) << "the new settings are in effect";
    open(file);
    open(file);
    EXPECT_FALSE(G().Roster.matchOn) << "giving up a file ends the match";
    zn->menu3_Click(2);
    EXPECT_EQ(opened, (QStringList{"editor", "print", "settings", "version+file"}));
    zn->menu1_Click(0);
    zn->menu1_Click(8);
    // Unloaded: hidden, stopped, the file and the artwork released, the program not ended.
    EXPECT_EQ(std::tuple(zn->isVisible(), zn->timerEnabled(), zn->st.fileOpen, G().ZN.isNull(),
                         G().SkinDC.isNull(), endCalls),
              std::tuple(false, false, false, true, true, 0));
}
