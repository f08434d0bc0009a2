#include "print/PrintLayout.h"

#include "core/Sjis.h"
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The pages as text, one code page 932 byte per print column; rules per page; and how often a
// text was put over earlier text of its line.
struct Pages {
    QList<QStringList> lines{{}};
    QList<QList<int>> rules{{}};
    int overlaps = 0;
};

Pages layOut(const QList<PrintEntry>& entries, bool log, bool rule = true, int from = 7) {
    PrintLayout layout(rule, log);
    layout.PrintRecords(from, entries);
    Pages p;
    QList<QByteArray> page;
    auto flush = [&] {
        for (const QByteArray& b : page)
            p.lines.last().append(SjisDecode(b).remove(QRegularExpression(u" +$"_s)));
        page.clear();
    };
    for (const PageOp& op : layout.finish()) {
        if (op.kind == PageOp::NewPage) {
            flush();
            p.lines.append(QStringList());
            p.rules.append(QList<int>());
        } else if (op.kind == PageOp::Rule) {
            p.rules.last().append(op.length);
        } else {
            page.resize(qMax(page.size(), qsizetype(op.line) + 1));
            QByteArray& b = page[op.line];
            p.overlaps += b.size() > op.column - 1;
            b = b.leftJustified(op.column - 1, ' ', true) + SjisEncode(op.text);
        }
    }
    flush();
    return p;
}

QString rep(const QString& text, int times) {
    return text.repeated(times);
}

QString at89(const QString& left, const QString& answer) {
    return left + QString(88 - SjisEncode(left).size(), u' ') + answer;
}

const QString A = u"あ"_s, I = u"い"_s;

} // namespace

TEST(PrintLayout, QuestionAndAnswerLines) {
    const QString n = u"   7."_s, p5 = u"     "_s;
    const struct {
        const char* name;
        QString question, answer;
        QStringList expected;
    } cases[] = {
        {"79 bytes", rep(A, 39) + u'A', u"答"_s, {at89(n + rep(A, 39) + u'A', u"答"_s)}},
        {"80 bytes: the crossing character stays", rep(A, 40), {}, {n + rep(A, 40)}},
        {"。 kept on the upper line",
         rep(A, 40) + u"。い"_s,
         {},
         {n + rep(A, 40) + u"。"_s, p5 + I}},
        {"four question and three answer lines at most",
         rep(A, 144),
         rep(I, 30),
         {at89(n + rep(A, 40), rep(I, 10)), at89(p5 + rep(A, 40), rep(I, 10)),
          at89(p5 + rep(A, 40), rep(I, 10)), p5 + rep(A, 24)}},
        {"answer longer than question",
         u"短い"_s,
         rep(I, 25),
         {at89(n + u"短い"_s, rep(I, 10)), at89({}, rep(I, 10)), at89({}, rep(I, 5))}},
        {"blanks count a byte: no character cut at a break",
         rep(u"A "_s, 39) + u"日本語"_s,
         {},
         {n + rep(u"A "_s, 39) + u"日"_s, p5 + u"本語"_s}},
    };
    for (const auto& c : cases) {
        const Pages p = layOut({{c.question, c.answer, {}, {}}}, false, false);
        EXPECT_EQ(p.lines, QList<QStringList>{c.expected}) << c.name;
        EXPECT_EQ(p.overlaps, 0) << c.name;
    }
}

TEST(PrintLayout, LogMarkEndsAtColumn86OnTheFirstLineWithRoom) {
    const QString mark = u"（○Taro）"_s; // 10 bytes: columns 77-86
    const struct {
        QString question;
        int markLine, lines;
    } cases[] = {{u"何？"_s, 0, 1},
                 {rep(u"q"_s, 71), 0, 1},
                 {rep(u"q"_s, 72), 1, 2},
                 {rep(A, 40) + I, 1, 2},
                 {rep(A, 80), 2, 3}};
    for (const auto& c : cases) {
        const Pages p = layOut({{c.question, u"答"_s, u"Taro"_s, u"○"_s}}, true);
        ASSERT_EQ(p.lines[0].size(), c.lines) << c.question.size();
        const QString line = p.lines[0][c.markLine];
        EXPECT_EQ(SjisEncode(line).indexOf(SjisEncode(mark)), 76) << line.toStdString();
        EXPECT_EQ(p.overlaps, 0);
    }
    // Too wide to end at column 86: it starts at column 1 on a line of its own.
    const Pages wide = layOut({{u"何"_s, {}, QString(90, u'n'), u"×"_s}}, true);
    EXPECT_TRUE(wide.lines[0][1].startsWith(u"（×n"_s));
}

TEST(PrintLayout, PagesBreakAfterWholeEntriesWithOneRuleEach) {
    for (int height = 1; height <= 4; ++height) {
        const QList<PrintEntry> list(500 / height, PrintEntry{rep(A, 40 * height), I, {}, {}});
        for (bool rule : {true, false}) {
            const Pages p = layOut(list, false, rule, 1);
            int total = 0;
            for (int i = 0; i < p.lines.size(); ++i) {
                const int n = int(p.lines[i].size());
                total += n;
                EXPECT_TRUE(i + 1 == p.lines.size() || (n >= 75 && n <= 78)) << height << " " << n;
                EXPECT_TRUE(p.lines[i][0].contains(QRegularExpression(u"^ *\\d+\\."_s)));
                EXPECT_EQ(p.rules[i], rule ? QList<int>{n * 84} : QList<int>{});
            }
            EXPECT_EQ(total, list.size() * height);
        }
    }
    // 75 one-line entries fill one page exactly: no empty page follows.
    EXPECT_EQ(layOut(QList<PrintEntry>(75, PrintEntry{A, {}, {}, {}}), false).lines.size(), 1);
}
