#include "EditTestSupport.h"

TEST_F(EditWindowTest, NewListBoxesTidiedLimitedAndQuestionMarkCompleted) {
    menu(0);
    // Never a second mark, none from other buttons, none past the question's 288 bytes.
    const QString kana(143, QChar(0x3042)); // 286 bytes
    const std::tuple<QString, int, QString> cases[] = {
        {"何色", 0, "何色？"},       {"何色", 1, "何色"},   {"what?", 0, "what?"},
        {"何色？", 0, "何色？"},     {"", 0, ""},           {kana + "AB", 0, kana + "AB"},
        {kana + "A", 0, kana + "A"}, {kana, 0, kana + "？"}};
    for (const auto& [in, button, out] : cases) {
        ed->QA[0]->setPlainText(in);
        focus(ed->QA[0]);
        focus(ed->Command1[button]);
        EXPECT_EQ(question(), out) << in.size();
    }
    // Leaving a box tidies it.
    const std::tuple<int, QString, QString> tidied[] = {
        {0, "  日本の\r\n首都は\nどこ  ", "日本の首都はどこ"},
        {1, "\n ABC", "ABC"},
        {0, QString(150, QChar(0x65E5)), QString(144, QChar(0x65E5))}, // cut to 288 bytes
        {1, QString(59, 'a') + QChar(0x65E5) + "b", QString(59, 'a')}, // no half character
    };
    for (const auto& [box, in, out] : tidied) {
        focus(ed->QA[box]);
        ed->QA[box]->setPlainText(in);
        focus(ed->QA[1 - box]);
        EXPECT_EQ(ed->QA[box]->toPlainText(), out);
    }

    // A full box refuses what would pass its limit and keeps its text; an input method's
    // composition is neither counted nor cut, and a commit that does not fit is refused whole.
    auto* box = ed->QA[0];
    const auto compose = [&](const QString& preedit, const QString& commit) {
        QInputMethodEvent e(preedit, {});
        e.setCommitString(commit);
        QCoreApplication::sendEvent(box, &e);
    };
    const QString almost(214, 'a');
    box->setPlainText(almost);
    focus(box);
    box->moveCursor(QTextCursor::End);
    compose("にほんご", {});
    compose({}, "日本"); // fills the box to its 216 characters
    box->moveCursor(QTextCursor::Start);
    type(box, "b");
    const auto preedit = [&] { return box->textCursor().block().layout()->preeditAreaText(); };
    compose("か", {});
    compose({}, "かな");
    EXPECT_TRUE(preedit().isEmpty());
    EXPECT_EQ(status(), ResText(TextInputTooLong, "0")); // refused whole, and said so
    compose("ん", "かな"); // the composition begun with a refused commit stays
    EXPECT_EQ(preedit(), "ん");
    EXPECT_EQ(question(), almost + "日本");
    QApplication::clipboard()->setText("xy");
    ed->QA[1]->setPlainText(QString(59, 'c'));
    ed->QA[1]->paste();
    EXPECT_EQ(ed->QA[1]->toPlainText(), QString(59, 'c'));
    EXPECT_EQ(status(), ResText(TextInputTooLong, "1"));

    // Characters outside code page 932 are announced, as they will be saved as "?".
    ed->QA[0]->setPlainText("Ğ は何？");
    focus(ed->QA[0]);
    focus(ed->QA[1]);
    EXPECT_EQ(status(), LoadResString(TextUnmappableChars));
    EXPECT_EQ(question(), "Ğ は何？"); // the box keeps what was typed

    // F1 is the help key here too, whichever box has the focus.
    G().HelpPath = path(QStringLiteral("zn.hlp"));
    for (QWidget* box : {static_cast<QWidget*>(ed->QA[0]), static_cast<QWidget*>(ed->ban)}) {
        focus(box);
        QTest::keyClick(box, Qt::Key_F1);
    }
    EXPECT_EQ(fake.helpShown, QStringList(2, G().HelpPath));
}

TEST_F(EditWindowTest, NumberBoxGenreBoxAndTheMessagesStoringGives) {
    menu(0);
    for (const char* q : {"問1？", "問2？", "問3？"})
        enterRecord(q, "答", "1");
    type(ed->ban, "a-5.x");
    EXPECT_EQ(ed->ban->text(), "5"); // only digits are typed
    // A click selects the number, so typing replaces it, also where the box is full.
    for (int entryNo : {4, 1001}) {
        ed->EntryNo = entryNo;
        ed->ClearScreen();
        focus(ed->QA[1]);
        QTest::mouseClick(ed->ban, Qt::LeftButton, {}, QPoint(30, 8));
        QTest::keyClick(ed->ban, Qt::Key_5);
        EXPECT_EQ(ed->ban->text(), "5") << entryNo;
    }
    ed->EntryNo = 4;
    const char* numbers[][2] = {{"", "1"},   {"0", "1"},   {"9999", "4"},
                                {"-3", "1"}, {"2.7", "2"}, {"1e9", "4"}};
    for (const auto& c : numbers) {
        ed->ban->setText(c[0]);
        focus(ed->ban);
        focus(ed->QA[0]);
        EXPECT_EQ(ed->ban->text(), c[1]) << c[0];
    }
    ed->ban->setText("-7"); // used without leaving the box first
    ed->Command1_Click(2);
    EXPECT_EQ(question(), "問1？");
    click(ed->Command1[1]);

    const std::pair<QString, int> cases[] = {
        {"", 50}, {"", 51}, {"", 52}, {"0", 53}, {"8", 53}, {"2.5", 53}, {"文学・歴史x", 53},
        {"3", 0}};
    for (const auto& [genre, id] : cases) {
        ed->QA[0]->setPlainText(id == 50 ? "" : "問");
        ed->QA[1]->setPlainText(id == 50 || id == 51 ? "" : "答");
        ed->jun->setEditText(genre);
        ed->msg->clear();
        click(ed->Command1[0]);
        EXPECT_EQ(status(), id ? LoadResString(id) : QString()) << id;
        EXPECT_TRUE((id > 51 ? static_cast<QWidget*>(ed->jun) : ed->QA[id == 51])->hasFocus());
    }
    // A name picked from the list; a record shown selects its genre name.
    ed->QA[0]->setPlainText("問");
    ed->QA[1]->setPlainText("答");
    ed->jun->setCurrentIndex(4);
    click(ed->Command1[0]);
    EXPECT_EQ(ed->EntryNo, 6);
    EXPECT_TRUE(ed->EditList[3].endsWith('3'));
    EXPECT_TRUE(ed->EditList[4].endsWith('5'));

    // A message asking for a box stays readable until a button is focused.
    click(ed->Command1[1]);
    // A pending one survives the next button focus, which then adds no question mark.
    click(ed->Command1[2]);
    EXPECT_EQ(status(), "Dataは5迄です。");
    focus(ed->Command1[0]);
    EXPECT_EQ(status(), "Dataは5迄です。");
    focus(ed->Command1[1]);
    EXPECT_EQ(status(), "");
}
