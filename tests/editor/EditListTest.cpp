#include "EditTestSupport.h"

#include <QDir>

namespace {
QStringList Caps(int id) {
    return LoadResString(id).split(' ');
}
} // namespace

// A whole session: entering, browsing, modifying, searching, deleting, saving and reloading.
TEST_F(EditWindowTest, ListLifeFromEntryToSavedFile) {
    menu(0);
    enterRecord(QStringLiteral("日本の首都は？"), QStringLiteral("東京"), "2");
    enterRecord(QStringLiteral("水の化学式は？"), QStringLiteral("H2O"), "3");
    enterRecord(QStringLiteral("富士山の高さは？"), QStringLiteral("3776m"), "2");
    enterRecord(QStringLiteral("首都が東京の国は？"), QStringLiteral("日本"), "2");
    enterRecord(QStringLiteral("光の速さは？"), QStringLiteral("秒速30万km"), "3");
    ASSERT_EQ(ed->EntryNo, 6);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("6"));

    // Every navigation button.
    click(ed->Idou[0]);
    EXPECT_EQ(question(), QStringLiteral("日本の首都は？"));
    EXPECT_EQ(status(), ResText(54, QStringLiteral("1")));
    EXPECT_EQ(captions(), Caps(119));
    EXPECT_FALSE(ed->Idou[1]->isEnabled());
    click(ed->Idou[2]);
    click(ed->Idou[2]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("3"));
    EXPECT_EQ(answer(), QStringLiteral("3776m"));
    EXPECT_EQ(ed->jun->currentIndex(), 1);
    click(ed->Idou[2]);
    EXPECT_EQ(question(), QStringLiteral("首都が東京の国は？"));
    click(ed->Idou[1]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("3"));
    click(ed->Idou[3]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("6"));
    EXPECT_EQ(question(), QString());
    EXPECT_EQ(status(), QStringLiteral("Dataは5迄です。"));
    EXPECT_FALSE(ed->ModifyMode);
    EXPECT_EQ(captions(), Caps(117));

    // Modify record 2 and come back to entry mode.
    click(ed->Idou[0]);
    click(ed->Idou[2]);
    ed->QA[1]->setPlainText(QStringLiteral("H2O（水）"));
    focus(ed->QA[1]);
    click(ed->Command1[0]);
    EXPECT_EQ(ed->EntryNo, 6);
    EXPECT_FALSE(ed->ModifyMode);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("6"));
    EXPECT_TRUE(ed->EditList[1].contains(QStringLiteral("H2O（水）")));

    // Phrase search: 東京 in an answer first, then in a question, then no more.
    type(ed->QA[0], QStringLiteral("東京"));
    click(ed->Command1[2]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("1"));
    EXPECT_EQ(status(), QStringLiteral("「東京」という語句を発見しました。"));
    EXPECT_EQ(captions(), Caps(118));
    click(ed->Command1[2]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("4"));
    EXPECT_EQ(answer(), QStringLiteral("日本"));
    click(ed->Command1[2]);
    EXPECT_EQ(status(), QStringLiteral("「東京」という語句を含む問題はありません。"));
    EXPECT_EQ(ed->ban->text(), QStringLiteral("4"));
    click(ed->Command1[2]);
    EXPECT_EQ(status(), QStringLiteral("「東京」という語句を含む問題はありません。"));
    // A navigation button during a search finds the next match, here none.
    click(ed->Command1[1]);
    EXPECT_EQ(captions(), Caps(117));
    EXPECT_TRUE(ed->SearchTerm.isEmpty());

    // Searching for 日本 matches a record by its answer (record 4), after record 1's question.
    type(ed->QA[0], QStringLiteral("日本"));
    click(ed->Command1[2]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("1"));
    click(ed->Idou[2]); // any navigation continues the search
    EXPECT_EQ(ed->ban->text(), QStringLiteral("4"));
    EXPECT_EQ(status(), QStringLiteral("「日本」という語句を発見しました。"));
    click(ed->Command1[1]);

    // Save, reload and compare byte for byte.
    fake.dialogAnswers.enqueue(path(QStringLiteral("list1")));
    menu(4);
    EXPECT_EQ(status(), LoadResString(66));
    EXPECT_TRUE(ed->SavedFlag);
    EXPECT_EQ(G().CurrentFile, path(QStringLiteral("list1.znd")));
    EXPECT_EQ(fake.dialogs.last().title, LoadResString(133));
    EXPECT_TRUE(fake.dialogs.last().save);
    const QByteArray saved = readFile(path(QStringLiteral("list1.znd")));
    ASSERT_EQ(saved.size(), 5 * 351);
    EXPECT_EQ(saved.left(351), record(SjisEncode(QStringLiteral("日本の首都は？")),
                                      SjisEncode(QStringLiteral("東京")), '2'));
    EXPECT_FALSE(ed->menu1[3]->isEnabled()); // a new list stays "new" after save-as

    load(QStringLiteral("list1.znd"));
    EXPECT_EQ(ed->EditState, 2);
    EXPECT_EQ(ed->EntryNo, 6);
    EXPECT_TRUE(ed->menu1[3]->isEnabled());
    EXPECT_TRUE(ed->Command1[3]->isVisible());
    EXPECT_EQ(status(), LoadResString(64));
    EXPECT_FALSE(ed->SavedFlag);
    menu(3);
    EXPECT_EQ(readFile(path(QStringLiteral("list1.znd"))), saved);

    // Delete records one by one: from the middle, then the last one shown.
    click(ed->Idou[0]);
    click(ed->Idou[2]);
    click(ed->Command1[3]);
    EXPECT_EQ(fake.messages.last().title, LoadResString(80));
    EXPECT_EQ(fake.messages.last().text, LoadResString(59));
    EXPECT_EQ(ed->EntryNo, 5);
    EXPECT_EQ(question(), QStringLiteral("富士山の高さは？")); // former record 3 is now 2
    EXPECT_EQ(ed->ban->text(), QStringLiteral("2"));
    EXPECT_EQ(captions(), Caps(119));
    fake.messageAnswers.enqueue(AnswerNo);
    click(ed->Command1[3]);
    EXPECT_EQ(ed->EntryNo, 5);
    click(ed->Idou[3]);
    click(ed->Idou[1]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("4"));
    click(ed->Command1[3]);
    EXPECT_EQ(ed->EntryNo, 4);
    EXPECT_EQ(question(), QString());
    EXPECT_EQ(ed->ban->text(), QStringLiteral("4"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SjisBytes(ed->EditList[i]).size(), 349);
    EXPECT_TRUE(ed->EditList[3].isEmpty());

    // Delete all from the entry slot.
    click(ed->Command1[3]);
    EXPECT_EQ(fake.messages.last().text, LoadResString(60));
    EXPECT_EQ(ed->EntryNo, 1);
    EXPECT_EQ(ed->EditState, 0);
    EXPECT_TRUE(ed->SavedFlag);
    EXPECT_EQ(status(), LoadResString(61));
    EXPECT_FALSE(ed->Command1[3]->isVisible());
    EXPECT_FALSE(ed->QA[0]->isEnabled());
    EXPECT_FALSE(ed->menu1[3]->isEnabled());
    EXPECT_FALSE(ed->menu1[4]->isEnabled());
    EXPECT_TRUE(ed->EditList[0].isEmpty());
}

TEST_F(EditWindowTest, StatusMessagesMoveFocusAndSurviveOneFocusChange) {
    menu(0);
    click(ed->Command1[0]);
    EXPECT_EQ(status(), LoadResString(50));
    EXPECT_EQ(QApplication::focusWidget(), ed->QA[0]);
    // Focusing the box that was asked for acknowledged the message; it stays readable until a
    // button takes the focus.
    EXPECT_TRUE(ed->PendingMsg.isEmpty());
    focus(ed->QA[1]);
    EXPECT_EQ(status(), LoadResString(50));
    focus(ed->Command1[2]);
    EXPECT_EQ(status(), QString());

    type(ed->QA[0], QStringLiteral("問？"));
    click(ed->Command1[0]);
    EXPECT_EQ(status(), LoadResString(51));
    EXPECT_EQ(QApplication::focusWidget(), ed->QA[1]);
    type(ed->QA[1], QStringLiteral("答"));
    click(ed->Command1[0]);
    EXPECT_EQ(status(), LoadResString(52));
    EXPECT_TRUE(ed->jun->hasFocus());
    EXPECT_EQ(ed->EntryNo, 1);

    // "Dataは@迄です。" is pending: the next button focus keeps it and adds no question mark.
    ed->QA[0]->clear();
    ed->QA[1]->clear();
    click(ed->Command1[2]);
    EXPECT_EQ(status(), QStringLiteral("Dataは0迄です。"));
    EXPECT_FALSE(ed->PendingMsg.isEmpty());
    ed->QA[0]->setPlainText(QStringLiteral("何色"));
    focus(ed->Command1[0]);
    EXPECT_EQ(status(), QStringLiteral("Dataは0迄です。"));
    EXPECT_EQ(question(), QStringLiteral("何色"));
    focus(ed->Command1[1]);
    EXPECT_EQ(status(), QString());
}

TEST_F(EditWindowTest, StoringInEntryModeAlwaysAppends) {
    menu(0);
    enterRecord(QStringLiteral("一？"), QStringLiteral("1"), "1");
    enterRecord(QStringLiteral("二？"), QStringLiteral("2"), "1");
    // The number box is set to another number without showing that record.
    type(ed->ban, QStringLiteral("1"));
    enterRecord(QStringLiteral("三？"), QStringLiteral("3"), "1");
    EXPECT_EQ(ed->EntryNo, 4);
    EXPECT_TRUE(ed->EditList[0].startsWith(QStringLiteral("一？")));
    EXPECT_TRUE(ed->EditList[2].startsWith(QStringLiteral("三？")));
    // A number beyond the list is brought back, still no gap.
    ed->ban->setText(QStringLiteral("999"));
    enterRecord(QStringLiteral("四？"), QStringLiteral("4"), "1");
    EXPECT_EQ(ed->EntryNo, 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(SjisBytes(ed->EditList[i]).size(), 349) << i;

    // While a record is shown, "修正" writes over that record even if the number was changed.
    click(ed->Idou[0]);
    ed->QA[1]->setPlainText(QStringLiteral("いち"));
    ed->ban->setText(QStringLiteral("3"));
    click(ed->Command1[0]);
    EXPECT_EQ(ed->EntryNo, 5);
    EXPECT_TRUE(ed->EditList[0].contains(QStringLiteral("いち")));
    EXPECT_TRUE(ed->EditList[2].startsWith(QStringLiteral("三？")));

    // "ﾃﾞｰﾀ削除" removes the record on screen, not the number typed over it.
    click(ed->Idou[0]);
    click(ed->Idou[2]);
    ed->ban->setText(QStringLiteral("4"));
    click(ed->Command1[3]);
    EXPECT_EQ(fake.messages.last().text, LoadResString(59));
    EXPECT_EQ(ed->EntryNo, 4);
    EXPECT_TRUE(ed->EditList[1].startsWith(QStringLiteral("三？")));
    EXPECT_TRUE(ed->EditList[2].startsWith(QStringLiteral("四？")));
}

TEST_F(EditWindowTest, SavingRefusesUnstoredInputAndEmptyLists) {
    menu(0);
    menu(4);
    EXPECT_EQ(status(), LoadResString(65));
    EXPECT_TRUE(fake.dialogs.isEmpty());

    enterRecord(QStringLiteral("問？"), QStringLiteral("答"), "7");
    type(ed->QA[0], QStringLiteral("まだ"));
    menu(4);
    EXPECT_EQ(status(), QStringLiteral("[次入力]か[画面ｸﾘｱ]後にDataを保存して下さい。"));
    click(ed->Command1[1]);
    click(ed->Idou[0]);
    menu(4);
    EXPECT_EQ(status(), QStringLiteral("[修正]か[画面ｸﾘｱ]後にDataを保存して下さい。"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.znd"))));
    EXPECT_FALSE(ed->SavedFlag);

    // A name with its own three-letter extension keeps it.
    click(ed->Command1[1]);
    fake.dialogAnswers.enqueue(path(QStringLiteral("list1.txt")));
    menu(4);
    EXPECT_EQ(readFile(path(QStringLiteral("list1.txt"))).size(), 351);
}

TEST_F(EditWindowTest, FailedSaveKeepsOldFileAndReportsIt) {
    QByteArray two = record("Q1", "A1", '1') + record("Q2", "A2", '2');
    writeFile(QStringLiteral("old.znd"), two);
    load(QStringLiteral("old.znd"));
    ASSERT_EQ(ed->EntryNo, 3);
    enterRecord(QStringLiteral("Q3?"), QStringLiteral("A3"), "3");

    // A name in a folder that does not exist cannot be written.
    fake.dialogAnswers.enqueue(path(QStringLiteral("missing/new")));
    menu(4);
    ASSERT_FALSE(fake.messages.isEmpty());
    EXPECT_EQ(fake.messages.last().kind, MsgError);
    EXPECT_EQ(fake.messages.last().title, LoadResString(82));
    EXPECT_EQ(fake.messages.last().text, LoadResString(TextFileNotSaved));
    EXPECT_FALSE(ed->SavedFlag);
    EXPECT_NE(status(), LoadResString(66));
    EXPECT_EQ(readFile(path(QStringLiteral("old.znd"))), two);
    // "上書き保存" still writes to the file that was loaded.
    EXPECT_EQ(G().CurrentFile, path(QStringLiteral("old.znd")));

    // A cancelled save dialog asks for a file and changes nothing.
    menu(4);
    EXPECT_EQ(fake.messages.last().text, LoadResString(42));
    EXPECT_EQ(G().CurrentFile, path(QStringLiteral("old.znd")));
    EXPECT_FALSE(ed->SavedFlag);

    // A target that cannot be replaced (a folder of that name) leaves it untouched.
    QDir(dir.path()).mkdir(QStringLiteral("busy.znd"));
    fake.dialogAnswers.enqueue(path(QStringLiteral("busy.znd")));
    menu(4);
    EXPECT_EQ(fake.messages.last().text, LoadResString(TextFileNotSaved));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("busy.znd"))).isDir());

    menu(3);
    EXPECT_TRUE(ed->SavedFlag);
    EXPECT_EQ(readFile(path(QStringLiteral("old.znd"))),
              two + record("Q3?", "A2", '3').replace(288, 2, "A3"));
}

TEST_F(EditWindowTest, LoadingLimitsAndForeignRecords) {
    QByteArray thousand;
    for (int i = 1; i <= 1000; ++i)
        thousand += record(QByteArray::number(i) + "?", "A", char('1' + i % 7));
    writeFile(QStringLiteral("k.znd"), thousand);
    writeFile(QStringLiteral("k1.znd"), thousand + record("X", "Y", '1'));

    load(QStringLiteral("k1.znd"));
    EXPECT_EQ(status(), LoadResString(63));
    EXPECT_EQ(ed->EditState, 0);
    EXPECT_EQ(ed->EntryNo, 1);

    load(QStringLiteral("k.znd"));
    ASSERT_EQ(ed->EntryNo, 1001);
    EXPECT_EQ(ed->EditState, 2);
    // The full list: entering a box says so, storing a new record is refused.
    focus(ed->QA[1]);
    focus(ed->QA[0]);
    EXPECT_EQ(status(), LoadResString(55));
    ed->QA[0]->setPlainText(QStringLiteral("新?"));
    ed->QA[1]->setPlainText(QStringLiteral("答"));
    ed->jun->setEditText(QStringLiteral("1"));
    click(ed->Command1[0]);
    EXPECT_EQ(status(), LoadResString(55));
    EXPECT_EQ(ed->EntryNo, 1001);
    // Modifying stays possible.
    click(ed->Command1[1]);
    type(ed->ban, QStringLiteral("5"));
    click(ed->Command1[2]);
    EXPECT_EQ(question(), QStringLiteral("5?"));
    ed->QA[1]->setPlainText(QStringLiteral("B"));
    click(ed->Command1[0]);
    EXPECT_TRUE(ed->EditList[4].contains(QStringLiteral("B")));
    EXPECT_EQ(ed->EntryNo, 1001);

    // New while unsaved: refused, the records stay.
    menu(0);
    EXPECT_EQ(status(), LoadResString(62));
    EXPECT_EQ(ed->EntryNo, 1001);
    menu(3);
    menu(0);
    EXPECT_EQ(ed->EntryNo, 1);
    EXPECT_EQ(ed->EditState, 1);
    EXPECT_FALSE(ed->Command1[3]->isVisible());

    // A genre byte that is no digit 1-7, and a record whose question starts with blanks.
    QByteArray odd = record("Q", "A", '9') + record("   lead", "A", '2');
    odd += record("Q", "A", '4').replace(288, 1, "\xFF");
    writeFile(QStringLiteral("odd.znd"), odd);
    load(QStringLiteral("odd.znd"));
    ASSERT_EQ(ed->EntryNo, 4);
    EXPECT_TRUE(fake.messages.isEmpty() || fake.messages.last().text != LoadResString(82));
    type(ed->ban, QStringLiteral("1"));
    click(ed->Command1[2]);
    EXPECT_EQ(question(), QStringLiteral("Q"));
    EXPECT_EQ(ed->jun->currentIndex(), -1);
    EXPECT_EQ(ed->jun->currentText(), QString());
    click(ed->Command1[0]);
    EXPECT_EQ(status(), LoadResString(52));
    click(ed->Idou[2]);
    EXPECT_EQ(question(), QStringLiteral("lead"));
    EXPECT_EQ(ed->jun->currentIndex(), 1);
    // Saved unchanged, every record keeps its length and place.
    click(ed->Command1[1]);
    menu(3);
    const QByteArray back = readFile(path(QStringLiteral("odd.znd")));
    ASSERT_EQ(back.size(), 3 * 351);
    EXPECT_EQ(back.left(702), odd.left(702));

    // Cancelling the open dialog asks for a file.
    menu(3);
    menu(1);
    EXPECT_EQ(fake.messages.last().title, LoadResString(82));
    EXPECT_EQ(fake.messages.last().text, LoadResString(42));

    // An empty file is an empty list that can be filled and saved back.
    writeFile(QStringLiteral("empty.znd"), QByteArray());
    load(QStringLiteral("empty.znd"));
    EXPECT_EQ(ed->EditState, 2);
    EXPECT_EQ(ed->EntryNo, 1);
}

TEST_F(EditWindowTest, ClosingAsksOnlyAboutUnsavedRecords) {
    // Nothing entered: no question.
    menu(0);
    menu(6);
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_FALSE(ed->isVisible());
    EXPECT_TRUE(G().Edit.isNull());

    ed = std::make_unique<Edit>();
    ed->show();
    menu(0);
    enterRecord(QStringLiteral("問？"), QStringLiteral("答"), "1");
    fake.messageAnswers.enqueue(AnswerNo);
    ed->close();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, MsgYesNo);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("終了確認"));
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Dataを保存していません。\r\n終了しますか？"));
    EXPECT_TRUE(ed->isVisible());
    EXPECT_EQ(G().Edit.data(), ed.get());
    // Esc never closes the window.
    QTest::keyClick(ed->QA[0], Qt::Key_Escape);
    EXPECT_TRUE(ed->isVisible());

    // After saving: closes without asking.
    fake.dialogAnswers.enqueue(path(QStringLiteral("s")));
    menu(4);
    menu(6);
    EXPECT_EQ(fake.messages.size(), 1);
    EXPECT_FALSE(ed->isVisible());

    // Loaded and unchanged: the flag is false from opening, so it asks; Yes closes.
    ed = std::make_unique<Edit>();
    ed->show();
    load(QStringLiteral("s.znd"));
    menu(6);
    EXPECT_EQ(fake.messages.size(), 2);
    EXPECT_FALSE(ed->isVisible());
}
