#include "print/PrintLayout.h"

#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "platform/Cp932.h"

#include <QSet>

namespace PG = PrintGeometry;

namespace {

// Byte width of the character starting at byte i.
int charWidthAt(const QByteArray& bytes, qsizetype i) {
    return Cp932IsLeadByte(quint8(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
}

quint16 charCodeAt(const QByteArray& bytes, qsizetype i, int width) {
    return width == 2 ? quint16(quint8(bytes[i]) << 8 | quint8(bytes[i + 1])) : quint8(bytes[i]);
}

// The characters that may not begin a printed line, as code page 932 codes.
const QSet<quint16>& noLineStart() {
    static const QSet<quint16> set = [] {
        QSet<quint16> s;
        const QByteArray bytes = SjisEncode(LoadResString(TextNoLineStart));
        for (qsizetype i = 0; i < bytes.size();) {
            const int w = charWidthAt(bytes, i);
            s.insert(charCodeAt(bytes, i, w));
            i += w;
        }
        return s;
    }();
    return set;
}

} // namespace

PrintLayout::PrintLayout(bool rule, bool isLog) : rule_(rule), isLog_(isLog) {}

void PrintLayout::PrintRecords(int from, const QList<PrintEntry>& entries) {
    Mark.clear();
    RecNo = from;
    for (const PrintEntry& e : entries) {
        QText = TrimBlanks(e.question);
        AText = TrimBlanks(e.answer);
        if (isLog_) Mark = ResText(137, e.verdict + e.answerer);
        PrintQuestion();
        ++RecNo;
    }
}

void PrintLayout::SplitLines(int k) {
    const bool question = k == 4;
    const QByteArray& bytes = question ? QuestionText : AnswerText;
    const int limit = question ? PG::QuestionLimit : PG::AnswerLimit;
    const int first = question ? 1 : 5;
    const QSet<quint16>& noStart = noLineStart();

    // Widths come from the byte form itself, so a break always falls between two characters
    // of exactly the bytes that are cut later (a blank counts its one byte here too).
    int n = first;
    int w = 0;
    for (qsizetype i = 0; i < bytes.size() && n != k;) {
        const int width = charWidthAt(bytes, i);
        w += width;
        i += width;
        if (w <= limit) continue;
        if (i < bytes.size()) {
            const int next = charWidthAt(bytes, i);
            if (noStart.contains(charCodeAt(bytes, i, next))) {
                w += next;
                i += next;
            }
        }
        LineEnds[n - 1] = n == first ? w : LineEnds[n - 2] + w;
        ++n;
        w = 0;
    }
    for (int j = n - 1; j <= k - 2; ++j)
        LineEnds[j] = LineEnds[k - 1];
}

void PrintLayout::LineSpan(int k) {
    SpanStart = LineEnds[k - 1] + 1;
    SpanLength = LineEnds[k] - LineEnds[k - 1];
}

QString PrintLayout::line(const QByteArray& bytes) const {
    return SpanLength > 0 ? SjisField(bytes, SpanStart, SpanLength) : QString();
}

void PrintLayout::print(int column, const QString& text) {
    if (text.isEmpty()) return;
    ops_.append(PageOp{PageOp::Text, LineCount, qMax(column, 1), text, 0});
}

void PrintLayout::endLine() {
    ++LineCount;
}

// The mark goes on a line only when it fits between the end of that line's question text and
// column 87; a mark starting inside the text would overprint it.
void PrintLayout::printMarkIfRoom(int lineBytes) {
    if (MarkPending && LineEnds[7] + lineBytes < 82) {
        print(LineEnds[8], Mark);
        MarkPending = false;
    }
}

void PrintLayout::PrintQuestion() {
    LineEnds.fill(0);
    QuestionText = SjisBytes(QText);
    AnswerText = SjisBytes(AText);
    LineEnds[3] = int(QuestionText.size());
    LineEnds[6] = int(AnswerText.size());
    SplitLines(4);
    SplitLines(7);
    LineEnds[7] = SjisWidth(Mark, 0);
    LineEnds[8] = PG::MarkEnd - LineEnds[7];
    MarkPending = isLog_;

    print(1, QStringLiteral("%1.").arg(RecNo, 4) + SjisField(QuestionText, LineEnds[0], 0));
    printMarkIfRoom(LineEnds[0]);
    print(PG::AnswerColumn, SjisField(AnswerText, LineEnds[4], 0));
    endLine();

    for (int k = 1; k <= 3; ++k) {
        if (LineEnds[k - 1] == LineEnds[3] && LineEnds[k + 3] == LineEnds[6]) break;
        LineSpan(k);
        if (LineEnds[k - 1] != LineEnds[3]) print(6, line(QuestionText));
        printMarkIfRoom(SpanLength);
        if (LineEnds[k + 3] != LineEnds[6]) {
            LineSpan(k + 4);
            print(PG::AnswerColumn, line(AnswerText));
        }
        endLine();
    }

    if (MarkPending) {
        print(LineEnds[8], Mark);
        MarkPending = false;
        endLine();
    }

    if (LineCount > PG::LinesBeforeBreak) {
        DrawRule();
        ops_.append(PageOp{PageOp::NewPage, 0, 1, QString(), 0});
        ++PageCount;
        LineCount = 0;
    }
}

void PrintLayout::DrawRule() {
    if (!rule_ || LineCount <= 0) return;
    ops_.append(PageOp{PageOp::Rule, 0, 1, QString(), LineCount * PG::LinePixels});
}

QList<PageOp> PrintLayout::finish() {
    if (LineCount != 0) DrawRule();
    // A page break right after the last entry would leave an empty sheet.
    if (!ops_.isEmpty() && ops_.last().kind == PageOp::NewPage) ops_.removeLast();
    return ops_;
}
