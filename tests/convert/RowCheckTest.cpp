#include "convert/Conversion.h"
#include "core/Sjis.h"

#include <gtest/gtest.h>

namespace {

CheckedTable check(const QString& text, bool cut = false) {
    return CheckTable(ParseTable(text.toUtf8(), TableEncoding::Auto).rows, CheckOptions{cut});
}

// Every reason of a row, joined, or "ok".
QString reasons(const CheckedRow& row) {
    QStringList all;
    for (const RowIssue& issue : row.issues)
        all << issue.reason;
    return all.isEmpty() ? QStringLiteral("ok") : all.join(u'|');
}

} // namespace

TEST(RowCheck, ReportsEachProblemWithItsRow) {
    const QString q288 = QString(144, QChar(u'問'));
    const QString a60 = QString(59, u'a') + u'b';
    struct Case {
        QString line;
        const char* reason; // part of the reasons, or "ok"
        bool error;
    } cases[] = {
        {"  問題 ,  答え  ,1", "ok", false},
        {q288 + ",x,1", "ok", false},
        {q288 + "A,x,1", "問題が288バイトを超えています（289バイト）", true},
        {"q," + a60 + ",1", "ok", false},
        {"q," + a60 + "c,1", "解答が60バイトを超えています（61バイト）", true},
        {",x,1", "問題が空です", true},
        {"q,  ,1", "解答が空です", true},
        {"q,x,", "ジャンルがありません", true},
        {"q,x,8", "ジャンル「8」は1～7の数字でもジャンル名でもありません", true},
        {"q,x,未分類", "ジャンル「未分類」", true},
        {"q,x", "ジャンルがありません", true},
        {"한국,x,1", "問題にShift-JISで書けない文字があります「한」「국」", true},
        {"q,😀,1", "解答にShift-JISで書けない文字があります「😀」", true},
        {"a\u0007b,x,1", "問題に制御文字があります", true},
        {"q,a\u007Fb,1", "解答に制御文字があります", true}, // DEL is one too
        {"\"一行目\r\n二行目 \r\n\",x,1", "問題の改行を取り除きました", false},
    };
    QString text = QStringLiteral("1,2,3\n"); // a real first row: no heading
    for (const Case& c : cases)
        text += c.line + u'\n';
    const CheckedTable table = check(text);
    ASSERT_FALSE(table.heading);
    ASSERT_EQ(table.rows.size(), std::size(cases) + 1);
    int errors = 0;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const CheckedRow& row = table.rows[qsizetype(i) + 1];
        EXPECT_EQ(row.row, int(i) + 2)
            << cases[i].line.toStdString() << " -> " << reasons(row).toStdString();
        EXPECT_EQ(row.hasError(), cases[i].error)
            << cases[i].line.toStdString() << " -> " << reasons(row).toStdString();
        EXPECT_TRUE(reasons(row).contains(QString::fromUtf8(cases[i].reason)))
            << cases[i].line.toStdString() << " -> " << reasons(row).toStdString();
        errors += cases[i].error;
    }
    EXPECT_EQ(table.errorRows, errors);
    // Blanks at the ends are trimmed silently; the line break leaves nothing in its place.
    EXPECT_EQ(table.rows[1].question, QStringLiteral("問題"));
    EXPECT_EQ(table.rows[1].answer, QStringLiteral("答え"));
    EXPECT_EQ(table.rows.back().question, QStringLiteral("一行目二行目"));
}

TEST(RowCheck, ReadsGenresAsTheEditorNamesThem) {
    const char16_t* cells[] = {u"1",        u"７",           u" 3 ",          u"文学・歴史",
                               u"スポーツ", u"～語で「……」", u"〜語で「……」", u"未定義"};
    const int expected[] = {1, 7, 3, 1, 5, 6, 6, 7};
    for (size_t i = 0; i < std::size(cells); ++i)
        EXPECT_EQ(GenreOf(QString::fromUtf16(cells[i])), expected[i]);
    for (const char16_t* bad : {u"0", u"8", u"12", u"文学", u"ジャンル", u""})
        EXPECT_EQ(GenreOf(QString::fromUtf16(bad)), 0);
}

TEST(RowCheck, SkipsAHeadingOnlyWhenItsGenreIsNoGenre) {
    const CheckedTable headed = check(QStringLiteral("問題,答え,ジャンル\n\nq,a,2\n,,\n"));
    ASSERT_TRUE(headed.heading) << "blank rows are no questions";
    ASSERT_EQ(headed.rows.size(), 1) << "blank rows are no questions";
    EXPECT_EQ(std::pair(headed.heading->row, headed.rows[0].row), std::pair(1, 3));
    EXPECT_FALSE(check(QStringLiteral("q,a,2\nr,b,x\n")).heading);
    // A number that is no genre makes a mistyped question, not a heading.
    const CheckedTable mistyped = check(QStringLiteral("q,a,８\nr,b,1\n"));
    EXPECT_FALSE(mistyped.heading);
    EXPECT_EQ(mistyped.errorRows, 1);
}

TEST(RowCheck, CutsOverlongTextsAtTheByteLimitWhenAsked) {
    // 287 bytes of one-byte text then a double-byte character: the character is dropped whole.
    const QString question = QString(287, u'a') + QStringLiteral("字字");
    const CheckedTable table = check(
        question + QStringLiteral(",") + QString(31, QChar(u'答')) + QStringLiteral(",1\n"), true);
    ASSERT_EQ(table.rows.size(), 1);
    const CheckedRow& row = table.rows[0];
    EXPECT_FALSE(row.hasError());
    EXPECT_TRUE(row.hasWarning());
    EXPECT_EQ(std::pair(row.question, SjisWidth(row.answer, 0)), std::pair(QString(287, u'a'), 60));
    EXPECT_TRUE(
        reasons(row).contains(QStringLiteral("問題を288バイトに切り詰めました（291バイト）")));
}

TEST(RowCheck, SummarisesAndWarnsAboutMoreThanTheEditorOpens) {
    QString text;
    for (int i = 0; i < 1204; ++i)
        text += i % 400 == 7 ? QStringLiteral("q,,1\n") : QStringLiteral("q,a,1\n");
    const CheckedTable table = check(text);
    EXPECT_EQ(SummaryText(table), QStringLiteral("1,204行中 3行にエラー"));
    ASSERT_EQ(table.fileIssues.size(), 1);
    EXPECT_EQ(table.fileIssues[0].severity, Severity::Warning);
    EXPECT_TRUE(check(QStringLiteral("q,a,1\n")).fileIssues.isEmpty());
}
