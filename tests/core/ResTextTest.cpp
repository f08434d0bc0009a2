#include "core/ResText.h"
#include "core/AppGlobals.h"
#include "core/Sjis.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

TEST(StringTable, EveryIdExistsAndFitsTheCodePage) {
    const QList<int> notInTable = {28, 29, 104, 105, 106, 107, 108, 109};
    for (int id = 21; id <= 157; ++id) {
        if (notInTable.contains(id)) continue;
        EXPECT_FALSE(LoadResString(id).isEmpty()) << id;
        EXPECT_TRUE(SjisRepresentable(LoadResString(id))) << id;
    }
    EXPECT_EQ(LoadResString(32).count('@'), 1);
}

TEST(StringTable, TextsWithTrickyCharactersAreExact) {
    EXPECT_EQ(LoadResString(26), QStringLiteral("\uFF5E語で「\u2026\u2026」"));
    EXPECT_EQ(LoadResString(31), QStringLiteral(" Version @.0 Level "));
    EXPECT_EQ(SjisBytes(LoadResString(39)).left(8), QByteArray("[\xCC\xA7\xB2\xD9(F)"));
    EXPECT_EQ(LoadResString(98), QStringLiteral("Fast@Slow"));
    EXPECT_EQ(LoadResString(146), QStringLiteral("ON "));
    // The characters that may not begin a line: 27, the 15th a full-width space.
    const QString noLineStart = LoadResString(85);
    ASSERT_EQ(noLineStart.size(), 27);
    EXPECT_EQ(noLineStart.at(14), QChar(0x3000));
    EXPECT_EQ(noLineStart.at(8), QChar(0x30FC));
    EXPECT_EQ(noLineStart.right(12), QStringLiteral("，．)?,.]}ｰﾞﾟ/"));
    EXPECT_EQ(LoadResString(117), QStringLiteral("次入力 画面ｸﾘｱ 検索 全削除"));
    EXPECT_EQ(LoadResString(118), QStringLiteral("修正 画面ｸﾘｱ 次検索 ﾃﾞｰﾀ削除"));
    EXPECT_EQ(LoadResString(119), QStringLiteral("修正 画面ｸﾘｱ 検索 ﾃﾞｰﾀ削除"));
    EXPECT_EQ(LoadResString(121), QStringLiteral("画像ﾌｧｲﾙ (*.bmp;*.gif;*.jpg),*.bmp;*.gif;*.jpg"));
    EXPECT_EQ(LoadResString(123), QStringLiteral("Logﾌｧｲﾙ (*.csv),*.csv"));
    EXPECT_EQ(LoadResString(115), QStringLiteral("SOFTWARE\\Microsoft\\Windows@\\CurrentVersion"));
}

TEST(ResText, PlaceholdersAndJoins) {
    EXPECT_EQ(ResText(54, QStringLiteral("12")), QStringLiteral("12番目のDataを表示中です。"));
    EXPECT_EQ(ResText(56, QStringLiteral("日本")),
              QStringLiteral("「日本」という語句を発見しました。"));
    EXPECT_EQ(ResText(31, QStringLiteral("4")) + "32", QStringLiteral(" Version 4.0 Level 32"));
    EXPECT_EQ(ResText(98, QString(12, ' ')), QStringLiteral("Fast            Slow"));
    // An empty value removes the placeholder; a value holding "@" is not scanned again.
    EXPECT_EQ(ResText(67, QString()), QStringLiteral("Dataは迄です。"));
    EXPECT_EQ(ResText(67, QStringLiteral("@@")), QStringLiteral("Dataは@@迄です。"));
    EXPECT_EQ(ResText(40, QStringLiteral("x")), LoadResString(40));
    EXPECT_EQ(ResJoin(120, 122), QStringLiteral("ZN問題ﾌｧｲﾙ (*.znd),*.znd,全てのﾌｧｲﾙ (*.*),*.*"));
}

TEST(ResMsgBox, ComposesTitleKindAndLines) {
    FakePlatform fake;
    fake.messageAnswers << AnswerNo << AnswerYes;
    EXPECT_EQ(ResMsgBox(2, 84, 62, 71), AnswerNo);
    EXPECT_EQ(ResMsgBox(3, 81, 70, 0), AnswerYes); // answers pass through unchanged
    ASSERT_EQ(fake.messages.size(), 2);
    EXPECT_EQ(fake.messages[0].kind, 2);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("終了確認"));
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Dataを保存していません。\r\n終了しますか？"));
    // No second line: no trailing line break.
    EXPECT_EQ(fake.messages[1].kind, 3);
    EXPECT_EQ(fake.messages[1].title, QStringLiteral("起動Error"));
    EXPECT_EQ(fake.messages[1].text, QStringLiteral("多重起動不可"));
    EXPECT_EQ(G().WorkText, fake.messages[1].text);
}
