#include "EditTestSupport.h"

// A whole session: entering, browsing, modifying, searching, saving, reloading and deleting.
TEST_F(EditWindowTest, ListLifeFromEntryToSavedFile) {
    menu(0);
    // Whatever number is typed over the entry slot, a new record is appended.
    const char* rows[][4] = {{"日本の首都は？", "東京", "2", "1"},
                             {"水の化学式は？", "H2O", "3", "1"},
                             {"富士山の高さは？", "3776m", "2", "999"},
                             {"首都が東京の国は？", "日本", "2", "-2"},
                             {"光の速さは？", "秒速30万km", "3", "2.5"}};
    for (const auto& r : rows) {
        ed->ban->setText(r[3]);
        enterRecord(r[0], r[1], r[2]);
    }
    for (const auto& [button, number] : {std::pair{3, 6}, {0, 1}, {2, 2}, {2, 3}, {1, 2}}) {
        click(ed->Idou[button]);
        EXPECT_EQ(ed->ban->text().toInt(), number);
        EXPECT_EQ(question(), number < 6 ? rows[number - 1][0] : "");
    }
    EXPECT_TRUE(ed->ModifyMode);
    EXPECT_TRUE(captionsAre(119));
    EXPECT_EQ(ed->jun->currentIndex(), 2);
    EXPECT_EQ(status(), ResText(54, "2"));
    rows[1][1] = "H2O（水）";
    ed->QA[1]->setPlainText(rows[1][1]);
    ed->ban->setText("4");
    click(ed->Command1[0]); // "修正" writes over the record shown and goes back to entering
    EXPECT_FALSE(ed->ModifyMode);
    EXPECT_EQ(ed->EntryNo, 6);
    EXPECT_EQ(ed->ban->text(), "6");

    // 東京 is in record 1's answer and record 4's question, then nowhere to the end.
    type(ed->QA[0], "東京");
    for (const auto& [number, found] :
         {std::pair{"1", true}, {"4", true}, {"4", false}, {"4", false}}) {
        click(ed->Command1[2]);
        EXPECT_TRUE(captionsAre(118));
        EXPECT_EQ(ed->ban->text(), number);
        EXPECT_EQ(status(), found ? "「東京」という語句を発見しました。"
                                  : "「東京」という語句を含む問題はありません。");
    }
    // A navigation button past the last match goes back to entering, so nothing hidden is left
    // for "修正" or "ﾃﾞｰﾀ削除".
    click(ed->Idou[2]);
    EXPECT_EQ(status(), "「東京」という語句を含む問題はありません。");
    EXPECT_TRUE(captionsAre(117));
    EXPECT_EQ(ed->ban->text(), "6");
    EXPECT_TRUE(question().isEmpty());

    fake.dialogAnswers.enqueue(path("list1"));
    menu(4);
    EXPECT_EQ(status(), LoadResString(66));
    EXPECT_TRUE(ed->SavedFlag);
    EXPECT_EQ(G().CurrentFile, path("list1.znd"));
    QByteArray expected;
    for (const auto& r : rows)
        expected += record(SjisEncode(r[0]), SjisEncode(r[1]), r[2][0]);
    EXPECT_EQ(readBytes(path("list1.znd")), expected);

    // Deleting the record shown, after asking; "No" keeps it.
    click(ed->Idou[0]);
    click(ed->Idou[2]);
    fake.messageAnswers.enqueue(AnswerNo);
    click(ed->Command1[3]);
    EXPECT_EQ(ed->EntryNo, 6);
    ed->ban->setText("5");
    click(ed->Command1[3]);
    EXPECT_EQ(fake.messages.last().text, LoadResString(59));
    // Deleting after a save makes the list unsaved again.
    EXPECT_EQ(std::tuple(ed->EntryNo, question(), ed->ban->text(), ed->SavedFlag),
              std::tuple(5, QString(rows[2][0]), QStringLiteral("2"), false));
    EXPECT_TRUE(ed->EditList[3].startsWith(rows[4][0]));
    click(ed->Idou[3]);
    click(ed->Command1[3]); // from the entry slot: delete all
    EXPECT_EQ(fake.messages.last().text, LoadResString(60));
    EXPECT_EQ(std::tuple(status(), ed->EntryNo, ed->EditState, ed->SavedFlag),
              std::tuple(LoadResString(61), 1, 0, true));
}

TEST_F(EditWindowTest, SavingAndLoadingNeverLoseRecords) {
    menu(0);
    menu(4);
    EXPECT_EQ(status(), LoadResString(65));
    // Reading trims the blanks before "Q2"; saving unchanged must put them back in front.
    const QByteArray two = record("Q1", "A1", '1') + record("  Q2", "A2", '2');
    writeBytes(path("old.znd"), two);
    load("old.znd");
    enterRecord("Q3?", "A3", "3");
    QDir(dir.path()).mkdir("busy.znd");
    // A missing folder, a cancelled dialog, a target that cannot be replaced.
    for (QString answer : {path("missing/new"), QString(), path("busy.znd")}) {
        fake.messages.clear();
        if (!answer.isEmpty()) fake.dialogAnswers.enqueue(answer);
        menu(4);
        ASSERT_EQ(fake.messages.size(), 1);
        EXPECT_EQ(fake.messages[0].text, LoadResString(answer.isEmpty() ? 42 : TextFileNotSaved));
        EXPECT_FALSE(ed->SavedFlag);
        EXPECT_EQ(G().CurrentFile, path("old.znd"));
    }

    type(ed->QA[0], "まだ");
    menu(3);
    EXPECT_EQ(status(), "[次入力]か[画面ｸﾘｱ]後にDataを保存して下さい。");
    click(ed->Command1[1]);
    // A disk that fills up: the old file stays, the list stays unsaved and the user is told.
    fake.messages.clear();
    {
        FileSizeLimit limit(16);
        menu(3);
    }
    EXPECT_EQ(readBytes(path("old.znd")), two);
    EXPECT_EQ(fake.messages.value(0).title, LoadResString(TitleWriteError));
    EXPECT_FALSE(ed->SavedFlag);
    EXPECT_NE(status(), LoadResString(66));
    menu(3);
    EXPECT_EQ(readBytes(path("old.znd")), two + record("Q3?", "A3", '3'));

    const QByteArray thousand = record("5?", "A", '1').repeated(1000);
    writeBytes(path("k1.znd"), thousand + record("X", "Y", '1'));
    load("k1.znd");
    EXPECT_EQ(status(), LoadResString(63));
    // Refused after the old list was closed: nothing is left that could be saved over it.
    EXPECT_EQ(ed->EditState, 0);
    EXPECT_EQ(ed->EntryNo, 1);
    EXPECT_FALSE(ed->menu1[3]->isEnabled());
    writeBytes(path("k.znd"), thousand);
    load("k.znd");
    enterRecord("新?", "答", "1");
    EXPECT_EQ(status(), LoadResString(55)); // full
    click(ed->Command1[1]);
    menu(0);
    EXPECT_EQ(status(), LoadResString(62));
    EXPECT_EQ(ed->EntryNo, 1001); // nothing unsaved dropped

    // A genre byte that is no digit 1-7 loads as no genre, which storing then asks for.
    menu(3);
    const QByteArray odd = record("Q", "A", '9') + record("R", "B", '2');
    writeBytes(path("odd.znd"), odd + record("Q", "A", '\xFF'));
    fake.messages.clear();
    load("odd.znd");
    click(ed->Idou[0]);
    EXPECT_EQ(ed->EntryNo, 4);
    EXPECT_EQ(question(), "Q");
    EXPECT_TRUE(ed->jun->currentText().isEmpty());
    click(ed->Command1[0]);
    EXPECT_EQ(status(), LoadResString(52));
    click(ed->Command1[1]);
    menu(3); // every record keeps its length and place
    EXPECT_EQ(readBytes(path("odd.znd")).chopped(351), odd);
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(EditWindowTest, ClosingAsksOnlyAboutUnsavedRecords) {
    menu(0);
    menu(6); // nothing entered
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_FALSE(ed->isVisible());
    EXPECT_TRUE(G().Edit.isNull());
    open();
    menu(0);
    enterRecord("問？", "答", "1");
    fake.messageAnswers.enqueue(AnswerNo);
    ed->close();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, "Dataを保存していません。\r\n終了しますか？");
    QTest::keyClick(ed->QA[0], Qt::Key_Escape); // Esc never closes either
    EXPECT_EQ(fake.messages[0].kind, MsgYesNo);
    EXPECT_TRUE(ed->isVisible());
    EXPECT_EQ(G().Edit, ed.get());
    fake.dialogAnswers.enqueue(path("s"));
    menu(4);
    // Storing a record after a save makes the list unsaved again.
    enterRecord("次？", "答", "2");
    menu(0);
    EXPECT_EQ(status(), LoadResString(62));
    EXPECT_EQ(ed->EntryNo, 3);
    fake.dialogAnswers.enqueue(path("s"));
    menu(4); // "s" is now "s.znd", which exists: asked about, Yes
    EXPECT_EQ(fake.messages.last().text, "「s.znd」は既に存在します。\r\n上書きしますか？");
    menu(6); // saved: no question
    EXPECT_FALSE(ed->isVisible());
    open();
    // A message pending when the window is activated again after the file dialog is consumed
    // by that focus, so the next focus change acts normally.
    QWidget dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    load("s.znd");
    QApplication::setActiveWindow(ed.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(ed.get()));
    ed->QA[0]->setPlainText("何色");
    focus(ed->Command1[0]);
    EXPECT_EQ(question(), "何色？");
    EXPECT_TRUE(status().isEmpty());
    menu(6); // loaded and unchanged still asks; Yes closes
    EXPECT_EQ(fake.messages.size(), 3);
    EXPECT_FALSE(ed->isVisible());
}
