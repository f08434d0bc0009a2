#include "core/ResText.h"
#include "core/AppGlobals.h"
#include "core/Sjis.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace {
const QList<int> NotInTable = {28, 29, 104, 105, 106, 107, 108, 109};
}

TEST(StringTable, EveryIdOfTheTableExists) {
    for (int id = 21; id <= 157; ++id) {
        if (NotInTable.contains(id)) continue;
        EXPECT_FALSE(LoadResString(id).isEmpty()) << id;
    }
}

TEST(StringTable, TextsWithTrickyCharactersAreExact) {
    EXPECT_EQ(LoadResString(26), QStringLiteral("\uFF5E語で「\u2026\u2026」"));
    EXPECT_EQ(LoadResString(31), QStringLiteral(" Version @.0 Level "));
    EXPECT_EQ(LoadResString(39), QStringLiteral("[ﾌｧｲﾙ(F)]ﾒﾆｭｰから[開始(S)]を選択して下さい。"));
    EXPECT_EQ(SjisBytes(LoadResString(39)).left(8), QByteArray("[\xCC\xA7\xB2\xD9(F)"));
    EXPECT_EQ(LoadResString(38), QStringLiteral("dddd,d,mmmm,yyyy  hh:nn:ss a/p.\\m."));
    EXPECT_EQ(LoadResString(94), QStringLiteral(" NT"));
    EXPECT_EQ(LoadResString(97), QStringLiteral("2   3   4   5"));
    EXPECT_EQ(LoadResString(98), QStringLiteral("Fast@Slow"));
    EXPECT_EQ(LoadResString(99), QStringLiteral(" : Ver "));
    EXPECT_EQ(LoadResString(115), QStringLiteral("SOFTWARE\\Microsoft\\Windows@\\CurrentVersion"));
    EXPECT_EQ(LoadResString(146), QStringLiteral("ON "));
    EXPECT_EQ(LoadResString(147), QStringLiteral("OFF"));
    EXPECT_EQ(LoadResString(75), QStringLiteral("人数は\uFF12\uFF5E10で設定して下さい。"));
    EXPECT_EQ(LoadResString(73), QStringLiteral("\uFF3A\uFF2Eを終了します"));

    // The characters that may not begin a line: 27 of them, the 15th a full-width space.
    const QString noLineStart = LoadResString(85);
    ASSERT_EQ(noLineStart.size(), 27);
    EXPECT_EQ(noLineStart.at(14), QChar(0x3000));
    EXPECT_EQ(noLineStart.right(12), QStringLiteral("，．)?,.]}ｰﾞﾟ/"));
    EXPECT_EQ(noLineStart.at(8), QChar(0x30FC)); // long vowel mark, full width

    EXPECT_EQ(LoadResString(117).split(' ').size(), 4);
    EXPECT_EQ(LoadResString(117), QStringLiteral("次入力 画面ｸﾘｱ 検索 全削除"));
    EXPECT_EQ(LoadResString(118), QStringLiteral("修正 画面ｸﾘｱ 次検索 ﾃﾞｰﾀ削除"));
    EXPECT_EQ(LoadResString(119), QStringLiteral("修正 画面ｸﾘｱ 検索 ﾃﾞｰﾀ削除"));
    EXPECT_EQ(LoadResString(120), QStringLiteral("ZN問題ﾌｧｲﾙ (*.znd),*.znd,"));
    EXPECT_EQ(LoadResString(121), QStringLiteral("画像ﾌｧｲﾙ (*.bmp;*.gif;*.jpg),*.bmp;*.gif;*.jpg"));
    EXPECT_EQ(LoadResString(122), QStringLiteral("全てのﾌｧｲﾙ (*.*),*.*"));
    EXPECT_EQ(LoadResString(123), QStringLiteral("Logﾌｧｲﾙ (*.csv),*.csv"));
    EXPECT_EQ(LoadResString(142).split(' '), QStringList({"12", "20", "29"}));
}

TEST(StringTable, CreditsAreOurOwn) {
    EXPECT_EQ(LoadResString(32).count('@'), 1);
    EXPECT_TRUE(LoadResString(36).startsWith(QStringLiteral("https://")));
    // Every text the program draws fits its code page.
    for (int id = 21; id <= 157; ++id) {
        if (NotInTable.contains(id)) continue;
        EXPECT_TRUE(SjisRepresentable(LoadResString(id))) << id;
    }
}

TEST(ResText, ReplacesEveryPlaceholder) {
    EXPECT_EQ(ResText(54, QStringLiteral("12")), QStringLiteral("12番目のDataを表示中です。"));
    EXPECT_EQ(ResText(56, QStringLiteral("日本")),
              QStringLiteral("「日本」という語句を発見しました。"));
    const QString version = ResText(31, QStringLiteral("4"));
    EXPECT_TRUE(version.startsWith(' ') && version.endsWith(' '));
    EXPECT_EQ(version + QStringLiteral("32"), QStringLiteral(" Version 4.0 Level 32"));
    EXPECT_EQ(ResText(98, QString(12, ' ')), QStringLiteral("Fast            Slow"));
    // An empty value removes the placeholder; a value containing "@" is not scanned again.
    EXPECT_EQ(ResText(67, QString()), QStringLiteral("Dataは迄です。"));
    EXPECT_EQ(ResText(67, QStringLiteral("@@")), QStringLiteral("Dataは@@迄です。"));
    // No placeholder: the text unchanged.
    EXPECT_EQ(ResText(40, QStringLiteral("x")), LoadResString(40));
    EXPECT_EQ(ResText(95, QStringLiteral("ZE Zir Uduzedu")),
              QStringLiteral("ZE Zir Uduzedu Log File"));
}

TEST(ResText, JoinPutsNothingBetween) {
    EXPECT_EQ(ResJoin(120, 122), QStringLiteral("ZN問題ﾌｧｲﾙ (*.znd),*.znd,全てのﾌｧｲﾙ (*.*),*.*"));
    EXPECT_EQ(ResJoin(58, 40),
              QStringLiteral("問で出題終了です、再度実行する場合はFileを読み直して下さい。"));
}

TEST(ResMsgBox, ComposesTitleKindAndLines) {
    FakePlatform fake;
    fake.messageAnswers.enqueue(AnswerNo);
    EXPECT_EQ(ResMsgBox(2, 84, 62, 71), AnswerNo);
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, 2);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("終了確認"));
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Dataを保存していません。\r\n終了しますか？"));
    EXPECT_EQ(G().WorkText, fake.messages[0].text);

    // No second line: no trailing line break.
    EXPECT_EQ(ResMsgBox(3, 81, 70, 0), AnswerOk);
    EXPECT_EQ(fake.messages[1].kind, 3);
    EXPECT_EQ(fake.messages[1].title, QStringLiteral("起動Error"));
    EXPECT_EQ(fake.messages[1].text, QStringLiteral("多重起動不可"));

    // The answer comes back unchanged, whatever the kind.
    fake.messageAnswers.enqueue(AnswerYes);
    EXPECT_EQ(ResMsgBox(nullptr, 0, 83, 41, 0), AnswerYes);
    EXPECT_EQ(fake.messages[2].kind, 0);
    EXPECT_EQ(fake.messages[2].title, QStringLiteral("確認"));
}
