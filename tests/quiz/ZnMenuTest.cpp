#include "ZnFixture.h"

#include <QTest>

TEST_F(ZnTest, MenuEnablingFollowsTheFileLifeCycle) {
    load();
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_FALSE(zn->menu1[6]->isEnabled());
    EXPECT_FALSE(zn->menu2[2]->isEnabled()) << "no conversion tool beside the program";
    EXPECT_FALSE(zn->windowFlags() & Qt::WindowCloseButtonHint);
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
    // Help and version leave the run's data alone.
    zn->menu3_Click(0);
    zn->menu3_Click(2);
    EXPECT_EQ(fake.helpShown, QStringList{G().HelpPath});
    EXPECT_TRUE(zn->menu1[6]->isEnabled());

    // Loading again: the notice comes before the dialog; cancelling it leaves nothing open.
    int dialogsAtNotice = -1;
    fake.onMessage = [&](const FakePlatform::Message&) {
        if (dialogsAtNotice < 0) dialogsAtNotice = int(fake.dialogs.size());
    };
    const int dialogsBefore = int(fake.dialogs.size());
    zn->menu1_Click(2);
    fake.onMessage = nullptr;
    EXPECT_EQ(dialogsAtNotice, dialogsBefore);
    EXPECT_EQ(shown(), (QStringList{box(0, 83, 41), box(1, 82, 42, 40)}));
    EXPECT_FALSE(zn->menu1[0]->isEnabled() || zn->menu1[6]->isEnabled() || zn->st.fileOpen);
    open(file);
    zn->menu1_Click(7); // a separator does nothing but still disables Start
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_TRUE(zn->st.fileOpen);
}

TEST_F(ZnTest, CommandsThatOpenOtherWindowsGiveUpTheFileFirst) {
    load();
    const QString file = writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}});
    open(file);
    zn->menu1_Click(3); // no editor yet: the file is still given up
    EXPECT_FALSE(zn->st.fileOpen);

    QStringList opened;
    auto record = [&](const char* name) {
        return [&, name](QWidget* owner) {
            EXPECT_EQ(owner, zn.get());
            opened << QLatin1String(name) + (zn->st.fileOpen ? QStringLiteral("+file") : QString());
        };
    };
    windowFactory().showEditor = record("editor");
    windowFactory().showPrint = record("print");
    windowFactory().showVersion = record("version");
    windowFactory().showSettings = [&](QWidget* owner) {
        record("settings")(owner);
        settings.speedLevel = QStringLiteral("4");
        writeSettings();
        G().Roster.matchOn = true;
    };
    open(file);
    zn->menu1_Click(3);
    open(file);
    fake.dialogAnswers.enqueue(file);
    zn->menu1_Click(5);
    open(file);
    zn->menu2_Click(0);
    EXPECT_EQ(zn->st.baseInterval, 140) << "the new settings are in effect";
    open(file);
    EXPECT_TRUE(G().Roster.matchOn) << "no file was held";
    open(file);
    EXPECT_FALSE(G().Roster.matchOn) << "giving up a file ends the match";
    zn->menu3_Click(2);
    EXPECT_EQ(opened, (QStringList{"editor", "print", "settings", "version+file"}));
}

TEST_F(ZnTest, ConversionToolHidesTheWindowWhileItRuns) {
    QFile tool(G().ToolPath);
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.close();
    load();
    EXPECT_TRUE(zn->menu2[2]->isEnabled());
    zn->show();
    bool hiddenMeanwhile = false;
    fake.whileRunning = [&] { hiddenMeanwhile = !zn->isVisible(); };
    zn->menu2_Click(2);
    EXPECT_TRUE(hiddenMeanwhile && zn->isVisible());
    EXPECT_EQ(fake.programsRun, QList<QStringList>{QStringList{G().ToolPath}});
    EXPECT_TRUE(fake.messages.isEmpty());
    fake.runSucceeds = false;
    zn->menu2_Click(2);
    EXPECT_TRUE(zn->isVisible());
    EXPECT_EQ(shown(), QStringList{box(1, 82, TextToolNotStarted)});
}

TEST_F(ZnTest, WindowCannotBeClosedButUnloadsFromItsMenu) {
    load();
    zn->show();
    EXPECT_FALSE(zn->close());
    EXPECT_TRUE(zn->isVisible());
    start({{QStringLiteral("問"), QStringLiteral("答")}});
    zn->menu1_Click(8);
    EXPECT_FALSE(zn->isVisible());
    EXPECT_TRUE(G().ZN.isNull() && G().SkinDC.isNull());
    EXPECT_FALSE(zn->timerEnabled() || zn->st.fileOpen);
    EXPECT_EQ(endCalls, 0);
}

TEST_F(ZnTest, JudgePopupOnlyInTheJudgeWait) {
    load();
    start({{QStringLiteral("問題"), QStringLiteral("答")}});
    zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
    EXPECT_FALSE(zn->menu[3]->isVisible());
    ticks(1);
    keys('A');
    ticks(1);
    keys('A');
    zn->Form_MouseDown(Qt::LeftButton, QPoint(10, 10));
    EXPECT_FALSE(zn->menu[3]->isVisible());
    zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
    EXPECT_TRUE(zn->menu[3]->isVisible());
    fake.clear();
    zn->PopUp[1]->trigger();
    EXPECT_FALSE(zn->st.verdicts[1]);
    zn->PopUp[0]->trigger();
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(fake.soundIds(), (QList<int>{13, 14}));
    zn->menu[3]->hide();
}
