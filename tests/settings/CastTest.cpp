#include "CastFixture.h"
#include "settings/SliderPicture.h"

namespace {

TEST_F(CastTest, OptionRulesDefaultsAndSliders) {
    auto c = open();
    QTest::keyClick(c->F_Path, Qt::Key_F1); // the window's context help
    EXPECT_EQ(fake.helpShown, QStringList{G().HelpPath});
    // The sliders follow the left button only; the knob leaves no trace behind.
    const QImage before = c->Psp[0]->image;
    QTest::mouseClick(c->Psp[0], Qt::LeftButton, {}, {59, 20});
    EXPECT_EQ(c->sliderPos[0], 2);
    drag(c->Psp[0], Qt::LeftButton, 10, 200);
    EXPECT_EQ(c->sliderPos[0], 4);
    EXPECT_NE(c->Psp[0]->image, before);
    QTest::mouseClick(c->Psp[0], Qt::LeftButton, {}, {59, 20});
    EXPECT_EQ(c->Psp[0]->image, before);
    drag(c->Psp[1], Qt::RightButton, 25, 70); // moves where pressed, does not drag
    EXPECT_EQ(c->sliderPos[1], 1);
    // Without a mouse: Tab reaches a slider, the arrows step it and stop at its ends.
    EXPECT_EQ(c->Psp[1]->focusPolicy(), Qt::StrongFocus);
    for (auto [key, expected] :
         {std::pair(Qt::Key_Right, 2), std::pair(Qt::Key_End, 3), std::pair(Qt::Key_Up, 3),
          std::pair(Qt::Key_Home, 0), std::pair(Qt::Key_Left, 0)}) {
        QTest::keyClick(c->Psp[1], key);
        EXPECT_EQ(c->sliderPos[1], expected) << key;
    }
    clickRadio(c->Rbot[5]); // speed off takes read-and-press and both sliders with it
    EXPECT_EQ(std::tuple(c->Psp[0]->isVisible(), c->Psp[1]->isVisible(), c->Rbot[2]->isEnabled(),
                         c->Rbot[3]->isChecked()),
              std::tuple(false, false, false, true));

    c = open("ON 9ON 7ON ON OFFX\r\n\r\n"); // reveal off: read-and-press off, and saved so
    EXPECT_FALSE(c->Rbot[2]->isEnabled());
    click(c->OK_CAN[0]);
    EXPECT_EQ(ini(), QByteArray("ON 9OFF7ON ON OFFX\r\n\r\n"));

    const QString picture = dir.filePath(QStringLiteral("wall.bmp"));
    writeBytes(picture, "BM");
    c = open("OFF1OFF5OFFOFFOFFO\r\n" + picture.toUtf8() + "\r\nTaro\r\n", true);
    click(c->OK_CAN[2]);
    EXPECT_FALSE(G().Roster.matchOn);
    click(c->OK_CAN[0]);
    EXPECT_EQ(ini(), QByteArray("ON 3ON 3ON ON ON O\r\n\r\nTaro\r\n"));
}

// A missing file, a pipe, a bare name found only through the working folder, a name ZN.INI
// cannot hold: each is refused with the focus on the path, the dialog stays open and ZN.INI
// keeps its old line. A file chosen in the file dialog is taken.
TEST_F(CastTest, BackgroundPathsThatCannotServeAreRefused) {
    auto c = open();
    const QString fifo = dir.filePath(QStringLiteral("pipe.bmp")), cwd = QDir::currentPath();
    ASSERT_TRUE(MakeFifo(fifo));
    writeBytes(dir.filePath(QStringLiteral("bare.bmp")), "BM");
    const QString odd = dir.filePath(QStringLiteral("café😀.bmp"));
    writeBytes(odd, "BM");
    QDir::setCurrent(dir.path());
    for (const auto& [path, text] :
         {std::pair(dir.filePath(QStringLiteral("missing.bmp")), 46), std::pair(fifo, 46),
          std::pair(QString("bare.bmp"), 46), std::pair(odd, int(TextPathNotSjis))}) {
        fake.messages.clear();
        c->F_Path->setText(path);
        click(c->OK_CAN[0]);
        EXPECT_EQ(fake.messages.value(0).text.section(u'\r', 0, 0), LoadResString(text));
        EXPECT_TRUE(c->isVisible()) << path.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), c->F_Path) << path.toStdString();
        EXPECT_EQ(ini(), Default) << path.toStdString();
    }
    QDir::setCurrent(cwd);
    const QString file = dir.filePath(QStringLiteral("a.jpg"));
    writeBytes(file, {});
    fake.dialogAnswers.enqueue(file);
    click(c->OK_CAN[5]);
    click(c->OK_CAN[0]);
    EXPECT_EQ(c->result(), QDialog::Accepted);
    EXPECT_EQ(ini(), Record + file.toUtf8() + "\r\n");
}

// A full disk on opening (the line-1 repair), on "OK" and on deleting all members: ZN.INI stays,
// and the user hears of a failed write, not of defaults being used. With room again, "No" keeps
// the members and "Yes" rewrites the file with the options as shown.
TEST_F(CastTest, DeletingMembersAndAFullDisk) {
    const QByteArray noPathLine = Record + "Taro\r\n", members = Default + "Taro\r\nHanako\r\n";
    writeBytes(G().IniPath, noPathLine);
    {
        FileSizeLimit limit(16);
        Cast repairing;
    }
    EXPECT_EQ(ini(), noPathLine);
    auto c = open(members);
    const QString wall = dir.filePath(QStringLiteral("wall.bmp"));
    writeBytes(wall, "BM");
    c->F_Path->setText(wall);
    fake.messageAnswers.enqueue(6); // yes, delete them
    {
        FileSizeLimit limit(16);
        click(c->OK_CAN[0]);
        click(c->OK_CAN[4]);
    }
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(ini(), members);
    QStringList told;
    for (const auto& m : fake.messages)
        told << m.title + m.text;
    const QString write = LoadResString(TitleWriteError) + LoadResString(TextSettingsNotWritten);
    EXPECT_EQ(told, QStringList({write, write, told.value(2), write}));

    fake.messageAnswers.enqueue(7); // "No"
    click(c->OK_CAN[4]);
    EXPECT_EQ(ini(), members);
    clickRadio(c->Rbot[1]);
    fake.messageAnswers.enqueue(6);
    click(c->OK_CAN[4]);
    EXPECT_EQ(ini(), "OFF3ON 2ON ON ON X\r\n" + wall.toUtf8() + "\r\n");
    EXPECT_EQ(c->NameK[7]->count(), 0);
}

TEST_F(CastTest, PlayerCountIsTwoToTenRoundedHalfUpAndCancelKeepsNothing) {
    auto c = open();
    click(c->OK_CAN[3]);
    EXPECT_TRUE(G().Roster.matchOn);
    for (const char* typed : {"4.5", "11", "1.4", "x", "10.5", "inf"}) {
        c->Nin->setFocus();
        c->Nin->setText(QString::fromLatin1(typed));
        c->NameK[0]->setFocus();
        QApplication::processEvents();
        // Only "4.5" is taken, as five players; the others are refused and keep the focus.
        EXPECT_EQ(G().Roster.lastPlayer, 4) << typed;
        EXPECT_EQ(c->VScroll1->value(), 5) << typed;
        const bool refused = typed != std::string("4.5");
        EXPECT_EQ(QApplication::focusWidget() == c->Nin, refused) << typed;
        EXPECT_TRUE(!refused || c->MSG->text() == QStringLiteral("人数は２～10で設定して下さい。"));
    }
    EXPECT_TRUE(c->UKey[4]->isEnabled());
    EXPECT_FALSE(c->UKey[5]->isEnabled());
    click(c->OK_CAN[0]); // "OK" does not take a refused count either
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(ini(), Default);
    click(c->OK_CAN[1]); // cancel: match mode off, nothing written
    EXPECT_FALSE(G().Roster.matchOn);
    EXPECT_EQ(ini(), Default);

    // Esc or the title bar leave the players as they were before the dialog, not a match
    // switched on unchecked or a checked one cut to two players with its keys cleared.
    c = open();
    click(c->OK_CAN[3]);
    QTest::keyClick(c.get(), Qt::Key_Escape);
    EXPECT_FALSE(c->isVisible());
    EXPECT_FALSE(G().Roster.matchOn);
    G().Roster.lastPlayer = 2;
    G().Roster.players[2].keyCode = 67;
    c = open(Default, true);
    setPlayers(*c, "Aki,", "A,B");
    click(c->OK_CAN[0]);
    c->close();
    const MatchRoster& r = G().Roster;
    EXPECT_EQ(std::tuple(r.matchOn, r.lastPlayer, r.players[0].keyCode, r.players[2].keyCode),
              std::tuple(true, 2, 0, 67));
}

TEST_F(CastTest, PlayerChecksNameTheFirstFaultThenFillTheRoster) {
    auto c = open(Default + "Taro\r\n", true);
    // A name the code page cannot hold is warned about when its box is left.
    c->NameK[0]->setFocus(Qt::TabFocusReason);
    c->NameK[0]->setEditText(QStringLiteral("Zoë"));
    c->NameK[1]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(c->MSG->text(), LoadResString(TextUnmappableChars));
    c->VScroll1->setValue(3);
    const std::tuple<const char*, const char*, const char*, QWidget*> cases[] = {
        {"Aki,Ben,Aki", "A,B,C", "重複項目があります。", c->NameK[0]},
        {"Aki,,Cy", ",B,C", "使用Keyを設定して下さい。", c->UKey[0]},
        {"Aki,  ,Cy", "A,B,C", "Player名が未入力です。", c->NameK[1]},
        {"Aki,Ben,Cy", "A,B,B", "重複項目があります。", c->UKey[1]},
        // Names that would be stored alike: trimmed, or cut to the same 14 bytes.
        {" Bb,Ben,Bb", "A,B,C", "重複項目があります。", c->NameK[0]},
        {"Aki,あいうえおかきく,あいうえおかきけ", "A,B,C", "重複項目があります。", c->NameK[1]},
    };
    for (const auto& [names, keys, message, focus] : cases) {
        setPlayers(*c, names, keys);
        click(c->OK_CAN[0]);
        EXPECT_EQ(c->MSG->text(), QString::fromUtf8(message)) << names;
        EXPECT_EQ(QApplication::focusWidget(), focus) << names;
    }
    EXPECT_EQ(ini(), Default + "Taro\r\n");

    // Names are trimmed, cut to 14 bytes and kept on one line; the sixth row is not in use.
    c->VScroll1->setValue(5);
    const QString longName = QStringLiteral("日本語の長い名前です"), cut = longName.left(7);
    setPlayers(*c, "Aa,aa, Tar," + longName + ",Ed\r\nX,Aa", ";,:,Num+,Space,F3,;");
    click(c->OK_CAN[0]);
    ASSERT_EQ(c->result(), QDialog::Accepted) << c->MSG->text().toStdString();
    EXPECT_EQ(G().Roster.players[3].name, cut);
    const QByteArray once = ini();
    EXPECT_TRUE(once.endsWith("\r\nTaro\r\nAa\r\naa\r\n" + SjisEncode(cut) + "\r\nEd  X\r\n"));

    c = open(once, true); // the same players again add nothing
    setPlayers(*c, "Aa,aa", "Z,M");
    click(c->OK_CAN[0]);
    EXPECT_EQ(c->result(), QDialog::Accepted);
    EXPECT_EQ(ini(), once);

    // The tenth player is checked and stored like the others.
    c = open(Default, true);
    c->VScroll1->setValue(10);
    setPlayers(*c, "P1,P2,P3,P4,P5,P6,P7,P8,P9,P1", "A,B,C,D,E,F,G,H,I,J");
    click(c->OK_CAN[0]);
    EXPECT_EQ(QApplication::focusWidget(), c->NameK[0]);
    setPlayers(*c, "P1,P2,P3,P4,P5,P6,P7,P8,P9,P10", "A,B,C,D,E,F,G,H,I,J");
    click(c->OK_CAN[0]);
    ASSERT_EQ(c->result(), QDialog::Accepted) << c->MSG->text().toStdString();
    EXPECT_EQ(G().Roster.players[9].name, QStringLiteral("P10"));
    EXPECT_EQ(G().Roster.players[9].keyCode, 'J');
    EXPECT_TRUE(ini().endsWith("P9\r\nP10\r\n"));

    // A hundred remembered names are the limit; lines past it are kept.
    QByteArray bytes = Default;
    for (int i = 0; i < 105; ++i)
        bytes += "N" + QByteArray::number(i) + "\r\n";
    c = open(bytes, true);
    EXPECT_EQ(c->NameK[9]->count(), 100);
    setPlayers(*c, "Newcomer,N3", "A,B");
    click(c->OK_CAN[0]);
    EXPECT_EQ(c->result(), QDialog::Accepted);
    EXPECT_EQ(ini(), bytes);
}

} // namespace

// Enter moves on as Tab does; leaving the count box with a wrong count brings the focus back
// with the message. F1 is the help in the player rows made at opening too.
TEST_F(CastTest, EnterMovesOnLikeTabAndF1IsTheHelpEverywhere) {
    auto c = open(Default, true);
    c->NameK[0]->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* afterTab = QApplication::focusWidget();
    c->NameK[0]->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), afterTab);
    EXPECT_EQ(afterTab, c->UKey[0]);

    c->Nin->setFocus();
    c->Nin->setText(QStringLiteral("x"));
    QTest::keyClick(c->Nin, Qt::Key_Enter);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), c->Nin);
    EXPECT_EQ(c->MSG->text(), LoadResString(75));

    QTest::keyClick(c->NameK[9]->lineEdit(), Qt::Key_F1);
    EXPECT_EQ(fake.helpShown, QStringList{G().HelpPath});
}
