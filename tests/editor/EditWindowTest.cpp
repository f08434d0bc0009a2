#include "EditTestSupport.h"

#include <QMenuBar>

TEST_F(EditWindowTest, OpensClosedOverTiledBackground) {
    // Controls sit in the client area below the menu, which together make the window.
    EXPECT_EQ(ed->size(), QSize(518, 252));
    EXPECT_EQ(ed->canvas->geometry().bottom(), 251);
    EXPECT_EQ(ed->Label1[2]->geometry(), QRect(176, 104, 56, 13));
    EXPECT_FALSE(ed->Command1[3]->isVisible());

    // Only the menu works until a list is opened.
    for (QWidget* w : {static_cast<QWidget*>(ed->QA[0]), static_cast<QWidget*>(ed->ban),
                       static_cast<QWidget*>(ed->Command1[0])})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(ed->menu1[3]->isEnabled());
    EXPECT_FALSE(ed->menu1[4]->isEnabled());
    EXPECT_TRUE(ed->menu1[0]->isEnabled());

    // Tiles of the skin at every 106 pixels, the sunken bar along the top.
    const QImage& skin = G().SkinDC;
    EXPECT_EQ(ed->Surface.pixel(20, 30), skin.pixel(247 + 20, 30));
    EXPECT_EQ(ed->Surface.pixel(106 * 3 + 50, 106 + 40), skin.pixel(247 + 50, 40));
    EXPECT_EQ(ed->Surface.pixel(424 + 90, 10), skin.pixel(247 + 90, 10));
    EXPECT_NE(ed->Surface.pixel(200, 0), skin.pixel(247 + 200 % 106, 0));
}

TEST_F(EditWindowTest, NewListEntryModeAndStoringRecords) {
    menu(0);
    EXPECT_EQ(ed->EditState, 1);
    EXPECT_FALSE(ed->SavedFlag);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("1"));
    for (auto* b : ed->Idou)
        EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ed->QA[0]);
    EXPECT_EQ(captions(), LoadResString(117).split(' '));
    EXPECT_FALSE(ed->menu1[3]->isEnabled());
    EXPECT_TRUE(ed->menu1[4]->isEnabled());

    // Enter moves on without a line break; focusing button 0 adds the question mark.
    type(ed->QA[0], QStringLiteral("日本"));
    QTest::keyClick(ed->QA[0], Qt::Key_Return);
    EXPECT_EQ(question(), QStringLiteral("日本"));
    EXPECT_EQ(QApplication::focusWidget(), ed->QA[1]);
    keys(ed->QA[1], QStringLiteral("ABC"));
    QTest::keyClick(ed->QA[1], Qt::Key_Return);
    EXPECT_TRUE(ed->jun->hasFocus());
    keys(ed->jun->lineEdit(), QStringLiteral("3"));
    QTest::keyClick(ed->jun->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), ed->Command1[0]);
    EXPECT_EQ(question(), QStringLiteral("日本？"));
    QTest::keyClick(ed->Command1[0], Qt::Key_Space);

    EXPECT_EQ(ed->EntryNo, 2);
    EXPECT_EQ(ed->EditList[0],
              QStringLiteral("日本？") + QString(282, ' ') + "ABC" + QString(57, ' ') + "3");
    EXPECT_EQ(SjisBytes(ed->EditList[0]).size(), 349);
    EXPECT_TRUE(ed->Command1[3]->isVisible());
    EXPECT_EQ(question(), QString());
    EXPECT_EQ(ed->jun->currentText(), QString());
    EXPECT_EQ(ed->ban->text(), QStringLiteral("2"));
    EXPECT_EQ(QApplication::focusWidget(), ed->QA[0]);
    EXPECT_TRUE(ed->Idou[0]->isEnabled());
    EXPECT_FALSE(ed->Idou[2]->isEnabled());
}

TEST_F(EditWindowTest, QuestionMarkCompletion) {
    menu(0);
    const auto completed = [&](const QString& q) {
        ed->QA[0]->setPlainText(q);
        focus(ed->QA[0]);
        focus(ed->Command1[0]);
        return question();
    };
    EXPECT_EQ(completed(QStringLiteral("何色")), QStringLiteral("何色？"));
    EXPECT_EQ(completed(QStringLiteral("what?")), QStringLiteral("what?"));
    EXPECT_EQ(completed(QStringLiteral("何色？")), QStringLiteral("何色？"));
    EXPECT_EQ(completed(QString()), QString());
    // Only button 0 completes.
    ed->QA[0]->setPlainText(QStringLiteral("何色"));
    focus(ed->Command1[1]);
    EXPECT_EQ(question(), QStringLiteral("何色"));
    // The mark would pass the 288-byte field: left out, the text untouched.
    const QString full = QString(143, QChar(0x3042)) + "AB"; // 288 bytes
    EXPECT_EQ(completed(full), full);
    const QString almost = QString(143, QChar(0x3042)) + "A"; // 287 bytes
    EXPECT_EQ(completed(almost), almost);
    const QString fits = QString(143, QChar(0x3042)); // 286 bytes
    EXPECT_EQ(completed(fits), fits + QChar(0xFF1F));
}

TEST_F(EditWindowTest, BoxesAreTidiedOnLeaving) {
    menu(0);
    // A pasted line break goes without a blank in its place; blanks at the ends go.
    ed->QA[0]->setPlainText(QStringLiteral("  日本の\r\n首都は\nどこ  "));
    focus(ed->QA[1]);
    EXPECT_EQ(question(), QStringLiteral("日本の首都はどこ"));
    // A blank after a line break at the start must not survive as a leading blank.
    ed->QA[1]->setPlainText(QStringLiteral("\n ABC"));
    focus(ed->QA[0]);
    EXPECT_EQ(answer(), QStringLiteral("ABC"));

    // 150 full-width characters are cut to their first 144 (288 bytes).
    ed->QA[0]->setPlainText(QString(150, QChar(0x65E5)));
    focus(ed->QA[1]);
    EXPECT_EQ(question(), QString(144, QChar(0x65E5)));
    // A double-byte character that does not fit whole is dropped: 59 + 2 > 60.
    ed->QA[1]->setPlainText(QString(59, 'a') + QChar(0x65E5) + "b");
    focus(ed->QA[0]);
    EXPECT_EQ(answer(), QString(59, 'a'));

    // The boxes hold at most 216 and 60 characters however the text arrives.
    ed->QA[1]->setPlainText(QString(70, 'x'));
    EXPECT_EQ(answer().size(), 60);
    ed->QA[0]->setPlainText(QString(300, 'x'));
    EXPECT_EQ(question().size(), 216);

    // Shift+Delete empties the box it is pressed in; Delete alone does not.
    ed->QA[1]->clear();
    type(ed->QA[1], QStringLiteral("XYZ"));
    QTest::keyClick(ed->QA[1], Qt::Key_Delete);
    EXPECT_EQ(answer(), QStringLiteral("XYZ"));
    QTest::keyClick(ed->QA[1], Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(answer(), QString());
    ed->jun->setCurrentIndex(2);
    focus(ed->jun);
    QTest::keyClick(ed->jun->lineEdit(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(ed->jun->currentText(), QString());
}

TEST_F(EditWindowTest, UnmappableCharactersAreAnnounced) {
    menu(0);
    type(ed->QA[0], QStringLiteral("Ğ は何？"));
    focus(ed->QA[1]);
    EXPECT_EQ(status(), LoadResString(TextUnmappableChars));
    // The box keeps what the user typed; only the saved bytes carry the substitute.
    EXPECT_EQ(question(), QStringLiteral("Ğ は何？"));

    // Going straight from the box to the store button still leaves the notice readable.
    ed->msg->clear();
    focus(ed->QA[0]);
    focus(ed->Command1[0]);
    EXPECT_EQ(status(), LoadResString(TextUnmappableChars));

    // Text the code page holds says nothing.
    ed->QA[0]->setPlainText(QStringLiteral("普通の問題？"));
    focus(ed->QA[0]);
    focus(ed->QA[1]);
    focus(ed->Command1[1]);
    EXPECT_EQ(status(), QString());
}

TEST_F(EditWindowTest, NumberBoxTakesDigitsAndKeepsInRange) {
    menu(0);
    for (int i = 1; i <= 10; ++i)
        enterRecord(QStringLiteral("問%1？").arg(i), QStringLiteral("答%1").arg(i), "1");
    ASSERT_EQ(ed->EntryNo, 11);

    type(ed->ban, QStringLiteral("a-5.x"));
    EXPECT_EQ(ed->ban->text(), QStringLiteral("5"));
    QTest::keyClick(ed->ban, Qt::Key_Backspace);
    EXPECT_EQ(ed->ban->text(), QString());
    focus(ed->QA[0]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("1"));
    type(ed->ban, QStringLiteral("0"));
    focus(ed->QA[0]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("1"));
    type(ed->ban, QStringLiteral("9999"));
    focus(ed->QA[0]);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("11"));
    // Leaving the box does not show the record.
    EXPECT_EQ(question(), QString());

    // Pasted values become whole numbers 1..EntryNo before any use.
    const auto leave = [&](const QString& pasted) {
        ed->ban->setText(pasted);
        focus(ed->ban);
        focus(ed->QA[0]);
        return ed->ban->text();
    };
    EXPECT_EQ(leave(QStringLiteral("-3")), QStringLiteral("1"));
    EXPECT_EQ(leave(QStringLiteral("2.7")), QStringLiteral("2"));
    EXPECT_EQ(leave(QStringLiteral("1e9")), QStringLiteral("11"));
    ed->ban->setText(QStringLiteral("-7"));
    ed->Command1_Click(2); // used without leaving the box first
    EXPECT_EQ(ed->ban->text(), QStringLiteral("1"));
    EXPECT_EQ(question(), QStringLiteral("問1？"));
    ed->ban->setText(QStringLiteral("4.5"));
    ed->Idou_Click(2);
    EXPECT_EQ(ed->ban->text(), QStringLiteral("5"));
    EXPECT_EQ(question(), QStringLiteral("問5？"));
}

TEST_F(EditWindowTest, GenreBoxAcceptsListChoiceOrDigit) {
    menu(0);
    const auto store = [&](const QString& genre) {
        ed->QA[0]->setPlainText(QStringLiteral("問"));
        ed->QA[1]->setPlainText(QStringLiteral("答"));
        ed->jun->setEditText(genre);
        ed->msg->clear();
        click(ed->Command1[0]);
        return status();
    };
    EXPECT_EQ(store(QString()), LoadResString(52));
    EXPECT_TRUE(ed->jun->hasFocus());
    EXPECT_EQ(store(QStringLiteral("0")), LoadResString(53));
    EXPECT_EQ(store(QStringLiteral("8")), LoadResString(53));
    EXPECT_EQ(store(QStringLiteral("2.5")), LoadResString(53));
    EXPECT_EQ(store(QStringLiteral("なにか")), LoadResString(53));
    EXPECT_EQ(store(QStringLiteral("文学・歴史x")), LoadResString(53));
    EXPECT_EQ(ed->EntryNo, 1);

    EXPECT_EQ(store(QStringLiteral("3")), QString());
    EXPECT_EQ(ed->EditList[0].back(), QChar('3'));
    // A name picked from the list.
    ed->QA[0]->setPlainText(QStringLiteral("問"));
    ed->QA[1]->setPlainText(QStringLiteral("答"));
    focus(ed->jun);
    ed->jun->setCurrentIndex(4);
    click(ed->Command1[0]);
    EXPECT_EQ(ed->EditList[1].back(), QChar('5'));
    EXPECT_EQ(ed->EntryNo, 3);

    // Showing record 1 selects its genre name.
    ed->Idou_Click(0);
    EXPECT_EQ(ed->jun->currentText(), QStringLiteral("生物・科学"));
}
