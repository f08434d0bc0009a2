#include "print/PrintLayout.h"
#include "core/Sjis.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <random>

namespace {

// The laid-out pages as text: each line built in code page 932 columns, so column n is byte n.
// Text placed over earlier text of its line counts as an overlap.
struct Pages {
    QList<QStringList> lines;
    QList<QList<int>> rules; // rule lengths per page
    int overlaps = 0;
};

Pages render(const QList<PageOp>& ops) {
    Pages p;
    QList<QList<QByteArray>> bytes(1);
    p.rules.append(QList<int>());
    for (const PageOp& op : ops) {
        if (op.kind == PageOp::NewPage) {
            bytes.append(QList<QByteArray>());
            p.rules.append(QList<int>());
        } else if (op.kind == PageOp::Rule) {
            p.rules.last().append(op.length);
        } else {
            auto& page = bytes.last();
            while (page.size() <= op.line)
                page.append(QByteArray());
            QByteArray& line = page[op.line];
            if (line.size() > op.column - 1) ++p.overlaps;
            line = line.leftJustified(op.column - 1, ' ', true) + SjisEncode(op.text);
        }
    }
    for (const auto& page : bytes) {
        QStringList lines;
        for (const QByteArray& line : page)
            lines.append(SjisDecode(line));
        p.lines.append(lines);
    }
    return p;
}

QString rep(const char16_t* text, int times) {
    return QString::fromUtf16(text).repeated(times);
}

Pages layOut(const QList<PrintEntry>& entries, bool log, bool rule = true, int from = 1) {
    PrintLayout layout(rule, log);
    layout.PrintRecords(from, entries);
    return render(layout.finish());
}

int bytesOf(const QString& s) {
    return int(SjisEncode(s).size());
}

} // namespace

TEST(PrintLayout, QuestionAndAnswerLines) {
    struct Case {
        const char* name;
        QString question, answer;
        QStringList expected; // whole lines, trailing blanks cut
    };
    const QString num = QStringLiteral("   7.");
    const QString pad5 = QStringLiteral("     ");
    auto at89 = [](const QString& left, const QString& answer) {
        return left + QString(88 - bytesOf(left), u' ') + answer;
    };
    const QList<Case> cases{
        {"79 bytes on one line",
         rep(u"あ", 39) + u'A',
         QStringLiteral("答"),
         {at89(num + rep(u"あ", 39) + u'A', QStringLiteral("答"))}},
        {"80 bytes still one line", rep(u"あ", 40), QString(), {num + rep(u"あ", 40)}},
        {"the byte after the crossing character starts line 2",
         rep(u"あ", 40) + u'B',
         QString(),
         {num + rep(u"あ", 40), pad5 + u'B'}},
        {"。 stays on the upper line",
         rep(u"あ", 40) + QStringLiteral("。い"),
         QString(),
         {num + rep(u"あ", 40) + QStringLiteral("。"), pad5 + QStringLiteral("い")}},
        {"only one no-start character is pulled up",
         rep(u"あ", 40) + QStringLiteral("。。"),
         QString(),
         {num + rep(u"あ", 40) + QStringLiteral("。"), pad5 + QStringLiteral("。")}},
        {"at most four question lines, three answer lines",
         rep(u"あ", 144),
         rep(u"い", 30),
         {at89(num + rep(u"あ", 40), rep(u"い", 10)), at89(pad5 + rep(u"あ", 40), rep(u"い", 10)),
          at89(pad5 + rep(u"あ", 40), rep(u"い", 10)), pad5 + rep(u"あ", 24)}},
        {"answer longer than the question",
         QStringLiteral("短い"),
         rep(u"い", 25),
         {at89(num + QStringLiteral("短い"), rep(u"い", 10)), at89(QString(), rep(u"い", 10)),
          at89(QString(), rep(u"い", 5))}},
        {"blanks count their byte: nothing lost at a break",
         QStringLiteral("A ").repeated(39) + QStringLiteral("日本語"),
         QString(),
         {num + QStringLiteral("A ").repeated(39) + QStringLiteral("日"),
          pad5 + QStringLiteral("本語")}},
        {"blanks at a line start are dropped",
         QStringLiteral("x").repeated(80) + QStringLiteral("   end"),
         QString(),
         {num + QStringLiteral("x").repeated(80), pad5 + QStringLiteral("end")}},
    };
    for (const Case& c : cases) {
        const Pages p = layOut({{c.question, c.answer, {}, {}}}, false, false, 7);
        ASSERT_EQ(p.lines.size(), 1) << c.name;
        QStringList got;
        for (QString l : p.lines[0])
            got.append(l.remove(QRegularExpression(QStringLiteral(" +$"))));
        EXPECT_EQ(got, c.expected) << c.name;
        EXPECT_EQ(p.overlaps, 0) << c.name;
    }
}

TEST(PrintLayout, LogMarkGoesOnTheFirstLineWithRoom) {
    // Mark "（○Taro）" is 10 bytes and ends at column 86.
    struct Case {
        const char* name;
        QString question;
        int markLine; // index of the entry's line carrying the mark
        int lines;
    };
    const QList<Case> cases{
        {"short question", QStringLiteral("何？"), 0, 1},
        {"71 bytes + 10 still fit", QStringLiteral("q").repeated(71), 0, 1},
        {"72 bytes + 10 would touch the mark: own line", QStringLiteral("q").repeated(72), 1, 2},
        {"full first line, short second", rep(u"あ", 40) + QStringLiteral("いい"), 1, 2},
        {"full lines: own line after the entry", rep(u"あ", 80), 2, 3},
    };
    for (const Case& c : cases) {
        const Pages p = layOut(
            {{c.question, QStringLiteral("答"), QStringLiteral("Taro"), QStringLiteral("○")}},
            true);
        ASSERT_EQ(p.lines[0].size(), c.lines) << c.name;
        const QString line = p.lines[0][c.markLine];
        const QString mark = QStringLiteral("（○Taro）");
        ASSERT_TRUE(line.contains(mark)) << c.name << " " << line.toStdString();
        EXPECT_EQ(bytesOf(line.left(line.indexOf(mark))) + 1, 77) << c.name;
        EXPECT_EQ(p.overlaps, 0) << c.name;
    }
    // A question file has no marks; a mark too wide for its line starts at column 1.
    EXPECT_FALSE(layOut({{QStringLiteral("何？"), {}, {}, {}}}, false).lines[0][0].contains(u'（'));
    const Pages wide =
        layOut({{QStringLiteral("何？"), {}, QString(90, u'n'), QStringLiteral("×")}}, true);
    EXPECT_TRUE(wide.lines[0][1].startsWith(QStringLiteral("（×n")));
}

TEST(PrintLayout, PagesBreakAfterWholeEntriesWithOneRuleEach) {
    // Entries of 1 to 4 lines: every full page holds 75 to 78 lines, each page starts with an
    // entry number, and the rule is as long as the page's text.
    for (int height = 1; height <= 4; ++height) {
        const QString question = rep(u"あ", 40 * height);
        const int entries = 500 / height;
        QList<PrintEntry> list(entries, PrintEntry{question, QStringLiteral("答"), {}, {}});
        for (bool rule : {true, false}) {
            const Pages p = layOut(list, false, rule);
            int total = 0;
            for (int i = 0; i < p.lines.size(); ++i) {
                const int n = int(p.lines[i].size());
                total += n;
                if (i + 1 < p.lines.size()) {
                    EXPECT_GE(n, 75) << height;
                    EXPECT_LE(n, 78) << height;
                }
                EXPECT_TRUE(QRegularExpression(QStringLiteral("^ *\\d+\\."))
                                .match(p.lines[i][0])
                                .hasMatch());
                EXPECT_EQ(p.rules[i], rule ? QList<int>{n * 84} : QList<int>{}) << height;
            }
            EXPECT_EQ(total, entries * height);
        }
    }
    // 75 one-line entries fill exactly one page: no empty page after it.
    const Pages full =
        layOut(QList<PrintEntry>(75, PrintEntry{QStringLiteral("Q"), {}, {}, {}}), false);
    EXPECT_EQ(full.lines.size(), 1);
    EXPECT_EQ(full.rules[0], QList<int>{75 * 84});
    EXPECT_TRUE(layOut({}, false).lines[0].isEmpty());
}

TEST(PrintLayout, RandomTextsLoseNothingAndKeepTheirColumns) {
    std::mt19937 rng(9);
    const QString pool = QStringLiteral("あ漢ｶﾞAz1 、。」）・ー　．)?,/～①");
    std::uniform_int_distribution<int> pick(0, int(pool.size()) - 1), len(0, 150), alen(0, 30);
    auto randomText = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s.append(pool.at(pick(rng)));
        return s;
    };
    auto squeeze = [](QString s) { return s.remove(u' '); };
    for (int round = 0; round < 300; ++round) {
        const QString q = randomText(len(rng)), a = randomText(alen(rng));
        const Pages p =
            layOut({{q, a, QStringLiteral("Me"), QStringLiteral("○")}}, true, false, 1234);
        ASSERT_EQ(p.overlaps, 0) << q.toStdString();
        QString questionText, answerText;
        for (const QString& l : p.lines[0]) {
            const QByteArray b = SjisEncode(l);
            questionText += SjisDecode(b.left(88)).remove(QStringLiteral("（○Me）"));
            answerText += SjisDecode(b.mid(88));
            EXPECT_LE(b.size(), 88 + 23);
        }
        EXPECT_EQ(squeeze(questionText), QStringLiteral("1234.") + squeeze(q)) << q.toStdString();
        EXPECT_EQ(squeeze(answerText), squeeze(a)) << a.toStdString();
    }
}
