#include "print/PrintLayout.h"

#include "support/TestKit.h"

using namespace Qt::StringLiterals;

namespace {

// The pages as text, one code page 932 byte per print column, and the rules of each page. No
// text may start left of the margin or over earlier text of its line.
struct Pages {
    QList<QStringList> lines{{}};
    QList<QList<int>> rules{{}};
};

Pages layOut(const QList<PrintEntry>& entries, bool log, bool rule = true, int from = 7) {
    PrintLayout layout(rule, log);
    layout.PrintRecords(from, entries);
    Pages p;
    for (const PageOp& op : layout.finish()) {
        if (op.kind == PageOp::NewPage) {
            p.lines.emplace_back();
            p.rules.emplace_back();
        } else if (op.kind == PageOp::Rule) {
            p.rules.last().append(op.length);
        } else {
            QStringList& page = p.lines.last();
            page.resize(qMax(page.size(), qsizetype(op.line) + 1));
            const int used = int(SjisEncode(page[op.line]).size());
            EXPECT_GE(op.column, 1) << op.text.toStdString();
            EXPECT_LT(used, op.column) << op.text.toStdString();
            page[op.line] += QString(qMax(0, op.column - 1 - used), u' ') + op.text;
        }
    }
    return p;
}

QString at89(const QString& left, const QString& answer) {
    return left + QString(88 - SjisEncode(left).size(), u' ') + answer;
}

const QString A = u"あ"_s, I = u"い"_s, A40 = A.repeated(40), I10 = I.repeated(10);

} // namespace

TEST(PrintLayout, QuestionAndAnswerLines) {
    const QString n = u"   7."_s, p5 = u"     "_s, a79 = A.repeated(39) + u'A', ab = u"A "_s;
    // 79 and 80 bytes on one line; "。" kept on the upper line; four question and three answer
    // lines at most; an answer longer than its question; a blank counts a byte, and no
    // character is cut at a break.
    const std::tuple<QString, QString, QStringList> cases[] = {
        {a79, u"答"_s, {at89(n + a79, u"答"_s)}},
        {A40, {}, {n + A40}},
        {A40 + u"。い"_s, {}, {n + A40 + u"。"_s, p5 + I}},
        {A.repeated(144),
         I.repeated(30),
         {at89(n + A40, I10), at89(p5 + A40, I10), at89(p5 + A40, I10), p5 + A.repeated(24)}},
        {u"短い"_s,
         I.repeated(25),
         {at89(n + u"短い"_s, I10), at89({}, I10), at89({}, I.repeated(5))}},
        {ab.repeated(39) + u"日本語"_s, {}, {n + ab.repeated(39) + u"日"_s, p5 + u"本語"_s}},
    };
    for (const auto& [question, answer, expected] : cases) {
        const Pages p = layOut({{question, answer, {}, {}}}, false, false);
        EXPECT_EQ(p.lines, QList<QStringList>{expected}) << question.toStdString();
    }
}

TEST(PrintLayout, LogMarkEndsAtColumn86OnTheFirstLineWithRoom) {
    // Its line, and the lines of the entry; "（○Taro）" takes the 10 bytes of columns 77-86.
    const std::tuple<QString, int, int> cases[] = {
        {u"何？"_s, 0, 1}, {QString(71, u'q'), 0, 1}, {QString(72, u'q'), 1, 2},
        {A40 + I, 1, 2},   {A40 + A40, 2, 3},
    };
    for (const auto& [question, markLine, lines] : cases) {
        const Pages p = layOut({{question, u"答"_s, u"Taro"_s, u"○"_s}}, true);
        ASSERT_EQ(p.lines[0].size(), lines) << question.toStdString();
        const QByteArray line = SjisEncode(p.lines[0][markLine]);
        EXPECT_EQ(line.indexOf(SjisEncode(u"（○Taro）"_s)), 76) << line.constData();
    }
    // Too wide to end at column 86: it starts at column 1 on a line of its own.
    const Pages wide = layOut({{u"何"_s, {}, QString(90, u'n'), u"×"_s}}, true);
    EXPECT_TRUE(wide.lines[0][1].startsWith(u"（×n"_s));
}

TEST(PrintLayout, PagesBreakAfterWholeEntriesWithOneRuleEach) {
    for (int height = 1; height <= 4; ++height) {
        const QList<PrintEntry> list(500 / height, PrintEntry{A.repeated(40 * height), I, {}, {}});
        for (bool rule : {true, false}) {
            const Pages p = layOut(list, false, rule, 1);
            int total = 0;
            for (int i = 0; i < p.lines.size(); ++i) {
                const int n = int(p.lines[i].size());
                total += n;
                EXPECT_TRUE(i + 1 == p.lines.size() || (n >= 75 && n - height < 75))
                    << height << " " << n;
                EXPECT_TRUE(p.lines[i][0].contains(QRegularExpression(u"^ *\\d+\\."_s)));
                EXPECT_EQ(p.rules[i], rule ? QList<int>{n * 84} : QList<int>{});
            }
            EXPECT_EQ(total, list.size() * height);
        }
    }
    // 75 one-line entries fill one page exactly: no empty page follows.
    EXPECT_EQ(layOut(QList<PrintEntry>(75, PrintEntry{A, {}, {}, {}}), false).lines.size(), 1);
}
