#include "convert/Conversion.h"
#include "support/TestKit.h"

namespace {

CheckedTable check(const QString& text, bool cut = false) {
    CheckOptions options;
    options.cutLong = cut;
    return CheckTable(ParseTable(text.toUtf8(), TableEncoding::Auto).rows, options);
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
        {"한국,x,1", "問題にShift-JISで書けない文字があります「한」(U+D55C)「국」(U+AD6D)", true},
        {"a\u200Bb,x,1", "問題にShift-JISで書けない文字があります「U+200B (ゼロ幅スペース)」",
         true},
        {QStringLiteral("a") + QChar(0) + "b,x,1", "問題に制御文字があります「U+0000 (NUL)」",
         true},
        {"q\u00A0x,a,1", "問題の「U+00A0 (ノーブレークスペース)」を半角の空白にしました", false},
        {"q,x,0x38", "ジャンル「0x38」は1～7ではありませんが、そのまま書き込みます", false},
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

TEST(RowCheck, ComposesKanaAndMapsMacFormsBeforeEncoding) {
    // Kana decomposed as macOS file names keep them, and the forms a Mac writes for characters
    // code page 932 has elsewhere.
    const QString mac = QStringLiteral("か\u3099ハ\u309A〜−‖¢£¬—¥‾");
    for (bool half : {true, false}) {
        CheckOptions options;
        options.yenHalfWidth = half;
        const CheckedRow row = CheckRow(TableRow{1, {mac, QStringLiteral("a"), "1"}}, options);
        EXPECT_EQ(reasons(row), QStringLiteral("ok"));
        EXPECT_EQ(row.question, QStringLiteral("がパ～－∥￠￡￢―") +
                                    (half ? QStringLiteral("\\~") : QStringLiteral("￥￣")));
    }
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

TEST(RowCheck, AHeadingIsSkippedOnlyWhenItLooksLikeOneAndNamesTheColumns) {
    constexpr auto ByHeading = ColumnMap::ByHeading;
    struct Case {
        const char16_t* text;
        bool heading;
        ColumnMap columns;
        const char16_t* firstQuestion;
        int firstRow;
        bool firstInError = false;
    } cases[] = {
        {u"問題,答え,ジャンル\n\nq,a,2\n,,\n", true, {0, 1, 2, ByHeading}, u"q", 3},
        {u"No.,解答,設問,出典,分野\n1,東京,首都は？,本,2\n",
         true,
         {2, 1, 4, ByHeading},
         u"首都は？",
         2},
        {u"番号,問題,正解\n1,首都は？,東京,3\n", true, {1, 2, 3, ByHeading}, u"首都は？", 2},
        // First questions with an empty, misspelt or mistyped genre are questions in error.
        {u"日本の首都は？,東京,\nr,b,1\n", false, {}, u"日本の首都は？", 1, true},
        {u"問題の首都は？,東京,地里\n", false, {}, u"問題の首都は？", 1, true},
        {u"q,a,８\nr,b,1\n", false, {}, u"q", 1, true},
        {u"犬,いぬ,\n", false, {}, u"犬", 1, true},
        {u"問題,解答,1\n", false, {}, u"問題", 1},
    };
    for (const Case& c : cases) {
        const CheckedTable table = check(QString::fromUtf16(c.text));
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(table.heading.has_value(), c.heading);
        EXPECT_EQ(table.columns, c.columns);
        ASSERT_FALSE(table.rows.isEmpty());
        const CheckedRow& first = table.rows[0];
        EXPECT_EQ(std::tuple(first.question, first.row, first.hasError()),
                  std::tuple(QString::fromUtf16(c.firstQuestion), c.firstRow, c.firstInError));
    }
}

TEST(RowCheck, QuestionAndAnswerTheWrongWayRoundAreReported) {
    const QString swapped = QStringLiteral("東京,日本の首都は？,2\n富士山,日本一高い山は？,3\n");
    const CheckedTable byPosition = check(swapped);
    ASSERT_EQ(byPosition.fileIssues.size(), 1);
    EXPECT_TRUE(byPosition.fileIssues[0].reason.contains(QStringLiteral("入れ替わっているかも")));
    // Named or chosen columns are followed without a word.
    const CheckedTable named = check(QStringLiteral("解答,問題,ジャンル\n") + swapped);
    EXPECT_TRUE(named.fileIssues.isEmpty());
    EXPECT_EQ(named.rows[0].question, QStringLiteral("日本の首都は？"));
    CheckOptions given;
    ASSERT_TRUE(ParseColumns(QStringLiteral("a,q,g"), &given.columns.emplace()));
    const CheckedTable chosen =
        CheckTable(ParseTable(swapped.toUtf8(), TableEncoding::Auto).rows, given);
    EXPECT_TRUE(chosen.fileIssues.isEmpty());
    EXPECT_EQ(chosen.rows[1].answer, QStringLiteral("富士山"));
    EXPECT_TRUE(check(QStringLiteral("日本の首都は？,東京,2\n")).fileIssues.isEmpty());
}

TEST(RowCheck, ColumnListsOfTheCommandLine) {
    const struct {
        const char* list;
        std::optional<ColumnMap> columns;
    } cases[] = {
        {"q,a,g", ColumnMap{0, 1, 2, ColumnMap::Given}},
        {"n,Q,A,G", ColumnMap{1, 2, 3, ColumnMap::Given}},
        {"a,q,-,g", ColumnMap{1, 0, 3, ColumnMap::Given}},
        {"q,a", std::nullopt},
        {"q,q,a,g", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        ColumnMap map;
        EXPECT_EQ(ParseColumns(QString::fromUtf8(c.list), &map), c.columns.has_value()) << c.list;
        if (c.columns) {
            EXPECT_EQ(map, *c.columns) << c.list;
        }
    }
    EXPECT_EQ(ColumnLetter(0) + ColumnLetter(25) + ColumnLetter(26), QStringLiteral("AZAA"));
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
