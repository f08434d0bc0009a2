#include "print/PrintRender.h"
#include "platform/Fonts.h"
#include "support/TestKit.h"

#include <QPrinter>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

struct Word {
    QString text;
    double x = 0; // points from the page's top left corner
    double y = 0;
};

// The words of page 1 with their top left corners, as pdftotext finds them in the PDF (it
// splits a word where letters stand further apart than their advances).
QList<Word> wordsOf(const QString& pdf) {
    QProcess p;
    p.start(u"pdftotext"_s, {u"-bbox"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, u"-"_s});
    if (!p.waitForFinished(30000)) return {};
    static const QRegularExpression word(
        u"<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"_s);
    QList<Word> words;
    for (const auto& m : word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())))
        words.append({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    return words;
}

} // namespace

// Every character sits on the print-column grid, whatever the font's own advances: a
// proportional Latin font must not push the words, the mark or the answer column along.
TEST(PrintRender, TextSitsOnPrintColumnsWhateverTheFont) {
    InstallFontSubstitutions();
    FakePlatform fake;
    QTemporaryDir dir;
    const QList<PageOp> ops = {
        {PageOp::Text, 0, 1, u"   1.iiiii WWWWW 日本語 lll Mm"_s, 0},
        {PageOp::Text, 0, 89, u"Answer"_s, 0},
        {PageOp::Text, 1, 6, u"ｶﾀｶﾅ ＡＢ fi.ll"_s, 0},
        {PageOp::Text, 1, 80, u"（○Ben）"_s, 0},
    };
    // The character expected at each line and column (0-based), as a line printer puts it.
    QMap<std::pair<int, int>, QChar> grid;
    for (const PageOp& op : ops) {
        int column = op.column - 1;
        for (QChar c : op.text) {
            grid[{op.line, column}] = c;
            column += c.unicode() >= 0x80 && (c.unicode() < 0xFF61 || c.unicode() > 0xFF9F) ? 2 : 1;
        }
    }
    const double line = 84 * 72.0 / 600;
    for (const QString& font : {u"DejaVu Sans"_s, u"Liberation Serif"_s, u"ＭＳ 明朝"_s}) {
        SCOPED_TRACE(font.toStdString());
        fake.printerPdfPath = dir.filePath(u"columns.pdf"_s);
        std::unique_ptr<QPrinter> printer = fake.createPrinter(nullptr);
        const double column = 42 * 72.0 / 600; // half an em of 10 points at 600 dpi, in points
        ASSERT_TRUE(RenderPages(*printer, ops, font));
        const QList<Word> words = wordsOf(fake.printerPdfPath);
        ASSERT_FALSE(words.isEmpty());
        const Word& first = words[0]; // "1." at column 3 of line 0
        ASSERT_TRUE(first.text.startsWith(u"1."_s)) << first.text.toStdString();
        qsizetype letters = 0;
        for (const Word& w : words) {
            const double at = (w.x - first.x) / column + 3;
            const int row = qRound((w.y - first.y) / line);
            EXPECT_NEAR(at, qRound(at), 0.3 / column) << w.text.toStdString();
            EXPECT_EQ(grid.value({row, qRound(at)}), w.text[0]) << w.text.toStdString();
            letters += w.text.size();
        }
        EXPECT_EQ(letters, grid.size() - grid.values().count(u' ')); // every character found
    }
}

// A new PDF is as private or as shared as the user's umask makes new files.
TEST(PrintRender, APdfGetsThePermissionsOfTheUmask) {
    FakePlatform fake;
    QTemporaryDir dir;
    const QList<PageOp> ops = {{PageOp::Text, 0, 1, u"1.問題"_s, 0}};
    for (const mode_t mask : {mode_t(077), mode_t(027), mode_t(002)}) {
        fake.printerPdfPath = dir.filePath(u"umask%1.pdf"_s.arg(mask, 3, 8, QLatin1Char('0')));
        std::unique_ptr<QPrinter> printer = fake.createPrinter(nullptr);
        const mode_t old = umask(mask);
        const bool printed = RenderPages(*printer, ops, u"ＭＳ ゴシック"_s);
        umask(old);
        ASSERT_TRUE(printed);
        struct stat info {};
        ASSERT_EQ(stat(QFile::encodeName(fake.printerPdfPath).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
    }
}
