#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// One thing put on a printed page. Text sits at a print column (1 = left edge; a column is the
// average character width of the printer font) on a text line of the current page (0 = top).
struct PageOp {
    enum Kind { Text, Rule, NewPage };
    Kind kind = Text;
    int line = 0;
    int column = 1;
    QString text;
    int length = 0; // Rule: printer pixels downward from the top of the page
};

// One entry of the printed list, as read from a question file or a log.
struct PrintEntry {
    QString question;
    QString answer;
    QString answerer; // log entries only
    QString verdict;  // log entries only: "○" or "×"
};

// Page geometry in printer pixels (600 dpi) and print columns.
namespace PrintGeometry {
constexpr int LinePixels = 84;
constexpr int RuleX = 3670;
constexpr int LeftMargin = 100;
constexpr int TopMargin = 240;
constexpr int AnswerColumn = 89;
constexpr int MarkEnd = 87; // the mark ends just before this column
constexpr int QuestionLimit = 79;
constexpr int AnswerLimit = 19;
constexpr int LinesBeforeBreak = 74;
} // namespace PrintGeometry

// Lays out the printed list without a printer: every entry becomes numbered question lines
// with the answer in a column at the right (and, for logs, its mark), page by page. The result
// is a list of page operations that a printer (or a test) renders.
class PrintLayout {
public:
    PrintLayout(bool rule, bool isLog);

    // Prints the entries numbered from, from + 1, ...
    void PrintRecords(int from, const QList<PrintEntry>& entries);
    // Prints QText/AText/Mark as entry RecNo.
    void PrintQuestion();
    // k = 4: breaks of the question into LineEnds 0-2; k = 7: of the answer into LineEnds 4-5.
    void SplitLines(int k);
    // The byte range of line k: SpanStart (1-based) and SpanLength.
    void LineSpan(int k);
    // The vertical rule between the question and answer columns for the current page.
    void DrawRule();
    // Ends the document: the rule for the last page; no empty page at the end.
    QList<PageOp> finish();

    QString QText, AText, Mark;
    QByteArray QuestionText, AnswerText; // code page 932 forms of QText and AText
    bool MarkPending = false;
    std::array<int, 9> LineEnds{};
    int LineCount = 0;
    int PageCount = 0;
    int RecNo = 0;
    int SpanStart = 0;
    int SpanLength = 0;

    const QList<PageOp>& ops() const { return ops_; }

private:
    void print(int column, const QString& text);
    void endLine();
    QString line(const QByteArray& bytes) const; // bytes SpanStart.. of SpanLength, trimmed
    void printMarkIfRoom(int lineBytes);

    bool rule_;
    bool isLog_;
    QList<PageOp> ops_;
};
