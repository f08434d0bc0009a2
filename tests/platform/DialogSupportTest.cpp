#include "platform/DialogSupport.h"

#include <gtest/gtest.h>

TEST(MessageBoxStyle, KindsGiveTheirIconsButtonsAndAnswers) {
    EXPECT_EQ(MessageBoxStyleFor(MsgError).icon, QMessageBox::Critical);
    EXPECT_EQ(MessageBoxStyleFor(MsgError).buttons, QMessageBox::Ok);
    EXPECT_EQ(MessageBoxStyleFor(MsgYesNo).icon, QMessageBox::Warning);
    EXPECT_EQ(MessageBoxStyleFor(MsgYesNo).buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(MessageBoxStyleFor(MsgWarning).icon, QMessageBox::Warning);
    EXPECT_EQ(MessageBoxStyleFor(MsgWarning).buttons, QMessageBox::Ok);
    for (int odd : {0, 4, -1, 255}) {
        EXPECT_EQ(MessageBoxStyleFor(odd).icon, QMessageBox::NoIcon) << odd;
        EXPECT_EQ(MessageBoxStyleFor(odd).buttons, QMessageBox::Ok) << odd;
    }

    EXPECT_EQ(MessageAnswerFor(MsgYesNo, QMessageBox::Yes), AnswerYes);
    EXPECT_EQ(MessageAnswerFor(MsgYesNo, QMessageBox::No), AnswerNo);
    // Closing a Yes/No box without choosing must never read as Yes (it may confirm a deletion).
    EXPECT_EQ(MessageAnswerFor(MsgYesNo, QMessageBox::NoButton), AnswerNo);
    EXPECT_EQ(MessageAnswerFor(MsgError, QMessageBox::NoButton), AnswerOk);
    EXPECT_EQ(MessageAnswerFor(7, QMessageBox::Ok), AnswerOk);
}

TEST(QtFilter, PairsBecomeQtNameFilters) {
    const QList<FileFilter> question{{"ZN問題ﾌｧｲﾙ (*.znd)", "*.znd"}, {"全てのﾌｧｲﾙ (*.*)", "*.*"}};
    // "*.*" would hide files without a dot from Qt; it means every file.
    EXPECT_EQ(QtFilterString(question), QStringLiteral("ZN問題ﾌｧｲﾙ (*.znd);;全てのﾌｧｲﾙ (*)"));

    const QList<FileFilter> pictures{{"画像ﾌｧｲﾙ (*.bmp;*.gif;*.jpg)", "*.bmp;*.gif;*.jpg"}};
    EXPECT_EQ(QtFilterList(pictures), QStringList{QStringLiteral("画像ﾌｧｲﾙ (*.bmp *.gif *.jpg)")});

    // Descriptions without patterns, the empty pair after a trailing separator, stray blanks.
    const QList<FileFilter> odd{
        {"Log", " *.csv ; ;*.txt"}, {"", ""}, {"", "*.znd"}, {"括弧 (注)", "*.x"}};
    EXPECT_EQ(QtFilterList(odd),
              (QStringList{QStringLiteral("Log (*.csv *.txt)"), QStringLiteral("*.znd (*.znd)"),
                           QStringLiteral("括弧 (注) (*.x)")}));
    EXPECT_TRUE(QtFilterString({}).isEmpty());
    EXPECT_EQ(QtFilterString({{"All", ""}}), QStringLiteral("All (*)"));
}

TEST(QtFilter, SaveSuffixAndPathLimit) {
    EXPECT_EQ(DefaultSuffixFor({{"", ""}, {"Logﾌｧｲﾙ (*.csv)", "*.csv"}}), QStringLiteral("csv"));
    EXPECT_EQ(DefaultSuffixFor({{"ZN (*.znd)", "*.znd"}, {"全て", "*.*"}}), QStringLiteral("znd"));
    EXPECT_TRUE(DefaultSuffixFor({{"全て", "*.*"}}).isEmpty());
    EXPECT_TRUE(DefaultSuffixFor({{"x", "a*.txt"}}).isEmpty());
    EXPECT_TRUE(DefaultSuffixFor({}).isEmpty());

    const QString longest(MaxDialogPathLength, QLatin1Char('a'));
    EXPECT_EQ(AcceptedDialogPath(longest), longest);
    EXPECT_TRUE(AcceptedDialogPath(longest + QLatin1Char('a')).isEmpty());
}
