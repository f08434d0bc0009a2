#include "ZnFixture.h"

#include "core/Sjis.h"

#include <QDir>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Csv(const QStringList& lines) {
    return SjisEncode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace

TEST_F(ZnTest, SinglePlayerLogHoldsEveryQuestionWithItsSplitAndVerdict) {
    load();
    open(writeQuestions({
        {QStringLiteral("日本の首都はどこ？"), QStringLiteral("東京")},
        {QStringLiteral("富士山の高さは何メートル。"), QStringLiteral("3776メートル")},
        {QStringLiteral("光の三原色は赤、緑と何？"), QStringLiteral("\"青\"")},
    }));
    zn->menu1_Click(0);
    // 1: read to the end, buzzed in the thinking count, answered.
    revealToEnd();
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');
    // 2: buzzed after five characters, answered, judged wrong.
    ticks(5);
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');
    zn->Form_KeyUp(VK::F2);
    zn->Form_KeyUp('A');
    // 3: time over.
    revealToEnd();
    ticks(100);
    zn->Form_KeyUp('A');
    ASSERT_FALSE(zn->st.running);

    fake.clear();
    fake.dialogAnswers.enqueue(dir.filePath(QStringLiteral("result")));
    zn->menu1_Click(6);
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, 2);
    EXPECT_EQ(fake.messages[0].text, text(48));
    ASSERT_EQ(fake.dialogs.size(), 1);
    EXPECT_TRUE(fake.dialogs[0].save);
    EXPECT_EQ(fake.dialogs[0].title, text(134));
    const QString path = dir.filePath(QStringLiteral("result.csv"));
    EXPECT_EQ(G().CurrentFile, path);
    EXPECT_EQ(ReadAll(path),
              Csv({QStringLiteral("\"ZE Zir Uduzedu Log File\",\"1P\",\"解答者\",\"正誤\""),
                   QStringLiteral("\"日本の首都はどこ？//\",\"東京\",\"Quiz Owner\",\"○\""),
                   QStringLiteral("\"富士山の高//さは何メートル。\",\"3776メートル\",\"Quiz "
                                  "Owner\",\"×\""),
                   QStringLiteral("\"光の三原色は赤、緑と何？//\",\"\"\"青\"\"\",\"Quiz "
                                  "Owner\",\"×\"")}));
    EXPECT_EQ(fake.messages.size(), 1);

    // The data stay: the log can be written again; "No" writes nothing and keeps the command.
    QFile::remove(path);
    fake.messageAnswers.enqueue(AnswerNo);
    zn->menu1_Click(6);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(zn->menu1[6]->isEnabled());

    // A cancelled save dialog is reported; a log that cannot be written is reported too.
    zn->menu1_Click(6);
    EXPECT_EQ(fake.messages.last().text, message(42, 40));
    fake.dialogAnswers.enqueue(dir.filePath(QStringLiteral("no/such/folder/x.csv")));
    zn->menu1_Click(6);
    EXPECT_EQ(fake.messages.last().kind, 1);
    EXPECT_EQ(fake.messages.last().title, text(82));
    EXPECT_EQ(fake.messages.last().text, text(TextFileNotSaved));
}

TEST_F(ZnTest, MatchLogNamesTheFirstBuzzingPlayer) {
    settings.readPressOn = QStringLiteral("ON ");
    settings.readPressChars = QStringLiteral("2");
    MatchRoster& roster = G().Roster;
    roster.matchOn = true;
    roster.lastPlayer = 1;
    roster.players[0] = {QStringLiteral("太郎"), 'Z'};
    roster.players[1] = {QStringLiteral("花子"), 'M'};
    load();
    open(writeQuestions({
        {QStringLiteral("ABCDEFGHIJK"), QStringLiteral("a1")},
        {QStringLiteral("LMNOP"), QStringLiteral("a2")},
    }));
    zn->menu1_Click(0);
    // 1: 花子 buzzes after ten of eleven characters, then 太郎; 花子 answers.
    ticks(10);
    zn->Form_KeyUp('M');
    zn->Form_KeyUp('Z');
    revealToEnd();
    zn->Form_KeyUp('M');
    zn->Form_KeyUp('A');
    // 2: nobody buzzes.
    revealToEnd();
    ticks(100);
    zn->Form_KeyUp('A');
    ASSERT_FALSE(zn->st.running);

    fake.dialogAnswers.enqueue(dir.filePath(QStringLiteral("match.csv")));
    zn->menu1_Click(6);
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("match.csv"))),
              Csv({QStringLiteral("\"ZE Zir Uduzedu Log File\",\"VS\",\"解答者\",\"正誤\""),
                   QStringLiteral("\"ABCDEFGHIJ/K/\",\"a1\",\"花子\",\"○\""),
                   QStringLiteral("\"LMNOP//\",\"a2\",\"\",\"×\"")}));
}

TEST_F(ZnTest, EmptyQuestionFileRunsNoQuestionAndIsStillGivenUp) {
    load();
    const QString path = writeQuestions({});
    ASSERT_EQ(QFileInfo(path).size(), 0);
    open(path);
    EXPECT_TRUE(zn->st.fileOpen);
    ASSERT_TRUE(zn->menu1[0]->isEnabled());
    zn->menu1_Click(0);
    EXPECT_FALSE(zn->st.running);
    EXPECT_TRUE(zn->menu1[6]->isEnabled());
    EXPECT_TRUE(fake.sounds.isEmpty());

    fake.dialogAnswers.enqueue(dir.filePath(QStringLiteral("empty.csv")));
    zn->menu1_Click(6);
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("empty.csv"))),
              Csv({QStringLiteral("\"ZE Zir Uduzedu Log File\",\"1P\",\"解答者\",\"正誤\"")}));

    // Giving the file up shows the notice and releases it.
    fake.clear();
    zn->menu1_Click(2);
    ASSERT_EQ(fake.messages.size(), 2);
    EXPECT_EQ(fake.messages[0].kind, 0);
    EXPECT_EQ(fake.messages[0].title, text(83));
    EXPECT_EQ(fake.messages[0].text, text(41));
    EXPECT_EQ(fake.messages[1].text, message(42, 40));
    EXPECT_FALSE(zn->st.fileOpen);
    EXPECT_FALSE(zn->menu1[6]->isEnabled());
}

TEST_F(ZnTest, CommandLineFileIsCheckedAndStartsTheRun) {
    G().CurrentFile = dir.filePath(QStringLiteral("missing.znd"));
    load();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, 1);
    EXPECT_EQ(fake.messages[0].title, text(82));
    EXPECT_EQ(fake.messages[0].text, message(46, 40));
    EXPECT_FALSE(zn->st.fileOpen);
    EXPECT_FALSE(zn->menu1[0]->isEnabled());

    const QString bad = dir.filePath(QStringLiteral("bad.znd"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100, 'x'));
    }
    fake.clear();
    G().CurrentFile = bad;
    load();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, message(45, 40));
    EXPECT_FALSE(zn->st.running);

    fake.clear();
    G().CurrentFile = writeQuestions({{QStringLiteral("問"), QStringLiteral("答")}});
    load();
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_TRUE(zn->st.running);
    EXPECT_EQ(zn->st.questionNo, 1);
    EXPECT_EQ(fake.soundIds(), (QList<int>{11}));
    EXPECT_FALSE(zn->menu1[0]->isEnabled());
    G().CurrentFile.clear();
}

TEST_F(ZnTest, UnreadableBackgroundIsReportedAndTheSettingsStillApply) {
    writeSettings(dir.filePath(QStringLiteral("gone.png")).toLocal8Bit() + "\r\n");
    zn = std::make_unique<ZN>();
    zn->useRealTimer = false;
    zn->Form_Load();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, 1);
    EXPECT_EQ(fake.messages[0].text, message(46, 69));
    EXPECT_EQ(zn->st.baseInterval, 50);
    EXPECT_FALSE(zn->st.readPress);
    // The window carries on with its own background.
    EXPECT_EQ(zn->background().pixel(300, 10), LoadPictureForTest().pixel(300, 10));

    // A picture that is no picture, and one in a missing folder: the general text.
    const QString junk = dir.filePath(QStringLiteral("junk.jpg"));
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    for (const QString& path : {junk, dir.filePath(QStringLiteral("nofolder/p.bmp"))}) {
        fake.clear();
        writeSettings(path.toLocal8Bit() + "\r\n");
        zn->LoadSettings();
        ASSERT_EQ(fake.messages.size(), 1);
        EXPECT_EQ(fake.messages[0].text, message(45, 69));
    }
}

TEST_F(ZnTest, BackgroundPicturesOfEveryFormatAreDrawnAsTheyAre) {
    QImage blue(50, 40, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 255));
    QStringList paths;
    for (const char* ext : {"png", "bmp", "jpg"}) {
        const QString p = dir.filePath(QStringLiteral("bg.") + QLatin1String(ext));
        ASSERT_TRUE(blue.save(p));
        paths << p;
    }
    // A one-pixel red GIF (Qt reads GIF but does not write it).
    const QString gif = dir.filePath(QStringLiteral("bg.gif"));
    {
        QFile f(gif);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromHex("474946383961010001008000"
                                    "00ff0000000000"
                                    "21f90400000000"
                                    "00"
                                    "2c0000000001000100"
                                    "0002024401003b"));
    }
    load();
    for (const QString& p : paths) {
        writeSettings(p.toLocal8Bit() + "\r\n");
        zn->LoadSettings();
        const QRgb inside = zn->drawing.pixel(10, 10);
        EXPECT_LT(qRed(inside), 8) << p.toStdString();
        EXPECT_GT(qBlue(inside), 247) << p.toStdString();
        // Outside a smaller picture the window colour shows.
        EXPECT_EQ(zn->drawing.pixel(600, 400), qRgb(0xc0, 0xc0, 0xc0));
        // The exit-button face is cut from what is there now.
        EXPECT_EQ(G().SkinDC.pixel(80, 70), qRgb(0xc0, 0xc0, 0xc0));
    }
    writeSettings(gif.toLocal8Bit() + "\r\n");
    zn->LoadSettings();
    EXPECT_EQ(zn->drawing.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_TRUE(fake.messages.isEmpty());

    // An empty line, or a bare name, brings the window's own background back.
    writeSettings("bg.png\r\n");
    zn->LoadSettings();
    EXPECT_EQ(zn->drawing.pixel(10, 10), LoadPictureForTest().pixel(10, 10));
}

TEST_F(ZnTest, SettingsFileTroubleFallsBackToDefaults) {
    // Exactly 20 bytes: read and applied, no background line looked for.
    settings.speedLevel = QStringLiteral("2");
    load();
    EXPECT_EQ(zn->st.baseInterval, 80);
    EXPECT_EQ(QFileInfo(G().IniPath).size(), 20);
    EXPECT_TRUE(fake.messages.isEmpty());

    // Unreachable settings file: reported once, defaults used.
    G().IniPath = dir.filePath(QStringLiteral("no/such/dir/ZN.INI"));
    zn = std::make_unique<ZN>();
    zn->useRealTimer = false;
    zn->Form_Load();
    zn->LoadSettings();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, text(TextSettingsIoFailed));
    EXPECT_EQ(zn->st.baseInterval, 110);
    EXPECT_TRUE(zn->st.readPress);
    EXPECT_EQ(zn->st.extraChars, 2);
}
