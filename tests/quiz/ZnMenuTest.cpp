#include "ZnFixture.h"

#include <QMenu>
#include <QTest>

namespace {

QStringList Captions(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST_F(ZnTest, MenusHaveTheirCaptionsAndStartStates) {
    load();
    EXPECT_EQ(zn->menu[0]->title(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(zn->menu[1]->title(), QStringLiteral("編集(&E)"));
    EXPECT_EQ(zn->menu[2]->title(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    EXPECT_EQ(Captions(zn->menu[0]),
              (QStringList{"開始(&S)", "-", "問題読込(&L)", "問題作成(&M)", "-", "印刷(&P)",
                           "ログ保存(&V)", "-", "ＺＮの終了(&X)"}));
    EXPECT_EQ(Captions(zn->menu[1]), (QStringList{"ｵﾌﾟｼｮﾝ(&O)", "-", "CSVﾌｧｲﾙ変換"}));
    EXPECT_EQ(Captions(zn->menu[2]), (QStringList{"ﾍﾙﾌﾟ(&C)", "-", "ﾊﾞｰｼﾞｮﾝ情報(&A)"}));
    EXPECT_EQ(Captions(zn->menu[3]), (QStringList{"○正解", "×誤答"}));
    EXPECT_EQ(zn->PopUp[0]->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(zn->PopUp[1]->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_FALSE(zn->menu1[6]->isEnabled());
    EXPECT_FALSE(zn->menu2[2]->isEnabled()); // no conversion tool beside the program
    EXPECT_EQ(zn->windowTitle(), QStringLiteral("ZE Zir Uduzedu"));
    EXPECT_FALSE(zn->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(zn->board()->size(), QSize(632, 434));
    EXPECT_EQ(zn->exitButton()->geometry(), QRect(296, 378, 54, 32));
    EXPECT_EQ(zn->exitButton()->toolTip(), text(73));

    // With the tool present, its command is available from the start.
    QFile tool(G().ToolPath);
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.close();
    load();
    EXPECT_TRUE(zn->menu2[2]->isEnabled());
}

TEST_F(ZnTest, StartAndLogSaveFollowTheFileLifeCycle) {
    load();
    const QString path = writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}});
    open(path);
    EXPECT_TRUE(zn->menu1[0]->isEnabled());
    EXPECT_EQ(fake.dialogs.last().title, text(130));
    zn->menu1_Click(0);
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_FALSE(zn->menu1[6]->isEnabled());
    revealToEnd();
    ticks(100);
    zn->Form_KeyUp('A');
    EXPECT_TRUE(zn->menu1[6]->isEnabled());
    // Help and version leave the run's data alone.
    zn->menu3_Click(0);
    zn->menu3_Click(2);
    EXPECT_EQ(fake.helpShown, QStringList{G().HelpPath});
    EXPECT_TRUE(zn->menu1[6]->isEnabled());
    EXPECT_TRUE(fake.messages.isEmpty());

    // Loading again: the notice comes first, then the dialog; cancelling reports it.
    fake.onMessage = [this](const FakePlatform::Message& m) {
        if (m.text == text(41)) {
            EXPECT_EQ(fake.dialogs.size(), 1) << "the notice precedes the dialog";
        }
    };
    zn->menu1_Click(2);
    fake.onMessage = nullptr;
    ASSERT_EQ(fake.messages.size(), 2);
    EXPECT_EQ(fake.messages[0].text, text(41));
    EXPECT_EQ(fake.messages[1].text, message(42, 40));
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_FALSE(zn->menu1[6]->isEnabled());
    EXPECT_FALSE(zn->st.fileOpen);

    // A second start is possible only after opening again.
    open(path);
    EXPECT_TRUE(zn->menu1[0]->isEnabled());
    zn->menu1_Click(8 - 1); // a separator does nothing but still disables Start
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    EXPECT_TRUE(zn->st.fileOpen);
}

TEST_F(ZnTest, CommandsThatOpenOtherWindowsGiveUpTheFileFirst) {
    load();
    const QString path = writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}});
    QStringList opened;
    bool fileHeldWhenOpened = true;
    auto record = [&](const char* name) {
        return [&, name](QWidget* owner) {
            EXPECT_EQ(owner, zn.get());
            opened << QLatin1String(name);
            fileHeldWhenOpened = zn->st.fileOpen;
        };
    };
    // Until a window exists, its command gives the file up and does nothing more.
    open(path);
    zn->menu1_Click(3);
    EXPECT_FALSE(zn->st.fileOpen);
    EXPECT_EQ(fake.messages.size(), 1);

    windowFactory().showEditor = record("editor");
    windowFactory().showPrint = record("print");
    windowFactory().showVersion = record("version");
    windowFactory().showSettings = [&](QWidget*) {
        opened << QStringLiteral("settings");
        fileHeldWhenOpened = zn->st.fileOpen;
        settings.speedLevel = QStringLiteral("4");
        writeSettings();
        G().Roster.matchOn = true;
    };

    open(path);
    zn->menu1_Click(3);
    EXPECT_FALSE(fileHeldWhenOpened);
    open(path);
    fake.dialogAnswers.enqueue(path);
    zn->menu1_Click(5);
    EXPECT_FALSE(fileHeldWhenOpened);
    EXPECT_EQ(fake.dialogs.last().title, text(131));
    open(path);
    G().Roster.matchOn = true;
    zn->menu2_Click(0);
    EXPECT_FALSE(fileHeldWhenOpened);
    // The new settings are in effect; the match chosen in the dialog stays on.
    EXPECT_EQ(zn->st.baseInterval, 140);
    EXPECT_TRUE(G().Roster.matchOn);
    open(path);
    EXPECT_TRUE(G().Roster.matchOn) << "no file was held";
    open(path);
    EXPECT_FALSE(G().Roster.matchOn) << "giving up a file ends the match";
    zn->menu3_Click(2);
    EXPECT_TRUE(zn->st.fileOpen) << "the version window keeps the file";
    EXPECT_EQ(opened, (QStringList{"editor", "print", "settings", "version"}));
}

TEST_F(ZnTest, ConversionToolHidesTheWindowWhileItRuns) {
    QFile tool(G().ToolPath);
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.close();
    load();
    zn->show();
    bool hiddenMeanwhile = false;
    fake.whileRunning = [&] { hiddenMeanwhile = !zn->isVisible(); };
    zn->menu2_Click(2);
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(zn->isVisible());
    ASSERT_EQ(fake.programsRun.size(), 1);
    EXPECT_EQ(fake.programsRun[0], QStringList{G().ToolPath});
    EXPECT_TRUE(fake.messages.isEmpty());

    // A tool that cannot be started: the window comes back and says so.
    fake.runSucceeds = false;
    zn->menu2_Click(2);
    EXPECT_TRUE(zn->isVisible());
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, text(TextToolNotStarted));
}

TEST_F(ZnTest, WindowCannotBeClosedButUnloadsFromItsMenu) {
    load();
    zn->show();
    EXPECT_FALSE(zn->close());
    EXPECT_TRUE(zn->isVisible());
    EXPECT_EQ(G().ZN, zn.get());
    open(writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}}));
    zn->menu1_Click(0);
    zn->menu1_Click(8);
    EXPECT_FALSE(zn->isVisible());
    EXPECT_TRUE(G().ZN.isNull());
    EXPECT_TRUE(G().SkinDC.isNull());
    EXPECT_FALSE(zn->timerEnabled());
    EXPECT_FALSE(zn->st.fileOpen);
    EXPECT_EQ(endCalls, 0);
}

TEST_F(ZnTest, JudgePopupOnlyInTheJudgeWait) {
    load();
    open(writeQuestions({{QStringLiteral("問題"), QStringLiteral("答")}}));
    zn->menu1_Click(0);
    zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
    EXPECT_FALSE(zn->menu[3]->isVisible());
    ticks(1);
    zn->Form_KeyUp('A');
    ticks(1);
    zn->Form_KeyUp('A');
    ASSERT_EQ(zn->st.timerMode, 3);
    zn->Form_MouseDown(Qt::LeftButton, QPoint(10, 10));
    EXPECT_FALSE(zn->menu[3]->isVisible());
    zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
    EXPECT_TRUE(zn->menu[3]->isVisible());
    fake.clear();
    zn->PopUp[1]->trigger();
    EXPECT_FALSE(zn->st.verdicts[1]);
    EXPECT_EQ(fake.soundIds(), QList<int>{13});
    zn->PopUp[0]->trigger();
    EXPECT_TRUE(zn->st.verdicts[1]);
    EXPECT_EQ(fake.soundIds(), (QList<int>{13, 14}));
    EXPECT_EQ(zn->st.quizState, 1);
    zn->menu[3]->hide();
}
