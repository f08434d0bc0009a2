#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

TEST(Help, IsCarriedAsHtmlWithTheProgramsCaptionsAndWorkingLinks) {
    QFile file(QStringLiteral(":/zn.hlp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QLatin1String("<html")));
    EXPECT_FALSE(html.contains(QChar(0xFFFD))) << "not UTF-8";
    // The help speaks the program's own menu and button words, without the "&" markers.
    for (const char* caption :
         {"開始(S)", "問題読込(L)", "問題作成(M)", "印刷(P)", "ログ保存(V)", "ＺＮの終了(X)",
          "ｵﾌﾟｼｮﾝ(O)", "CSVﾌｧｲﾙ変換", "新規作成(N)", "追加作成(O)", "上書き保存(S)",
          "名前を付けて保存(A)", "Editの終了(X)", "次入力", "画面ｸﾘｱ", "対戦 &gt;&gt;",
          "読ませ押し", "Time Over時", "範囲を指定する"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_FALSE(html.contains(QLatin1String("(&amp;"))) << "a caption kept its & marker";
    // Every table-of-contents link has its anchor.
    QSet<QString> anchors;
    for (const auto& m : QRegularExpression(QStringLiteral("name=\"([^\"]+)\"")).globalMatch(html))
        anchors << m.captured(1);
    int links = 0;
    for (const auto& m :
         QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html)) {
        ++links;
        EXPECT_TRUE(anchors.contains(m.captured(1))) << m.captured(1).toStdString();
    }
    EXPECT_GE(links, 8);
}
