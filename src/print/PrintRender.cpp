#include "print/PrintRender.h"

#include "core/SafeFile.h"
#include "core/Sjis.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

namespace PG = PrintGeometry;

namespace {

// The 10-point font at exactly two columns to the em (84 pixels at 600 dpi rather than 83.3),
// so a fixed-pitch Japanese font falls on the column grid by itself and its lines are drawn
// whole.
QFont printerFont(const QString& fontName, double column) {
    QFont font(fontName);
    font.setPixelSize(qRound(2 * column));
    // Text is placed on the column grid; kerning would move letters off it.
    font.setKerning(false);
    return font;
}

// Puts text on the print-column grid as a line printer would: a half-width character takes
// one column and a full-width one two, whatever the font's own advances. Stretches whose
// natural advances already fall on the grid (all of a fixed-pitch Japanese font) are drawn
// in one call; elsewhere each character starts at its own column.
class ColumnText {
public:
    ColumnText(const QFont& font, QPaintDevice* device, double column)
        : metrics_(font, device), column_(column) {}

    void draw(QPainter& painter, QPointF origin, const QString& text) {
        qsizetype runStart = 0;
        int runColumn = 0, col = 0;
        double natural = 0;
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const Glyph& g = glyph(text.mid(i, length));
            if (qAbs(natural - (col - runColumn) * column_) > Tolerance) {
                flush(painter, origin, text, runStart, i, runColumn);
                runStart = i;
                runColumn = col;
                natural = 0;
            }
            natural += g.advance;
            col += g.columns;
            i += length;
        }
        flush(painter, origin, text, runStart, text.size(), runColumn);
    }

private:
    static constexpr double Tolerance = 0.25; // printer pixels
    struct Glyph {
        double advance = 0;
        int columns = 1;
    };

    const Glyph& glyph(const QString& c) {
        auto it = glyphs_.find(c);
        if (it == glyphs_.end())
            it = glyphs_.insert(c,
                                Glyph{metrics_.horizontalAdvance(c), SjisWidth(c, 0) > 1 ? 2 : 1});
        return *it;
    }

    void flush(QPainter& painter, QPointF origin, const QString& text, qsizetype from, qsizetype to,
               int column) const {
        if (to > from)
            painter.drawText(origin + QPointF(column * column_, 0), text.mid(from, to - from));
    }

    QFontMetricsF metrics_;
    double column_;
    QHash<QString, Glyph> glyphs_;
};

// A PDF is complete when the writer got as far as its end-of-file marker.
bool pdfComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
    file.seek(file.size() - qMin<qint64>(file.size(), 64));
    return file.readAll().contains("%%EOF");
}

} // namespace

double PrintColumnWidth(const QPrinter& printer) {
    // Half an em of the 10-point font: a half-width character of the fixed-pitch Japanese fonts
    // the list is laid out for (42 pixels at 600 dpi, where the rule sits between columns 88
    // and 89). Taken from the size, not from the font's metrics, which a proportional font or a
    // fallback without Japanese glyphs would shrink or stretch.
    return qMax(1, qRound(10.0 * printer.resolution() / 72 / 2));
}

namespace {

bool renderTo(QPrinter& printer, const QList<PageOp>& ops, const QString& fontName) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double column = PrintColumnWidth(printer);
    const QFont font = printerFont(fontName, column);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 5));
    painter.translate(PG::LeftMargin, PG::TopMargin);
    const double ascent = QFontMetricsF(font, &printer).ascent();
    ColumnText columns(font, &printer, column);

    bool ok = true;
    for (const PageOp& op : ops) {
        switch (op.kind) {
        case PageOp::Text:
            columns.draw(painter,
                         QPointF((op.column - 1) * column, op.line * PG::LinePixels + ascent),
                         op.text);
            break;
        case PageOp::Rule:
            painter.drawLine(QPointF(PG::RuleX, 0), QPointF(PG::RuleX, op.length));
            break;
        case PageOp::NewPage:
            ok = printer.newPage() && ok;
            break;
        }
    }
    ok = painter.end() && ok;
    return ok && printer.printerState() != QPrinter::Error &&
           printer.printerState() != QPrinter::Aborted;
}

} // namespace

bool RenderPages(QPrinter& printer, const QList<PageOp>& ops, const QString& fontName) {
    if (printer.outputFormat() != QPrinter::PdfFormat) return renderTo(printer, ops, fontName);

    // The PDF is written beside its final name and handed to the atomic writer only when
    // complete, so a failure (full disk, printer error) never leaves a half-written file or
    // spoils an old one, and a new file gets the permissions the user's umask gives.
    const QString path = printer.outputFileName();
    const QFileInfo target(path);
    // Never write into a pipe, device or folder that happens to carry the chosen name.
    if (target.exists() && !target.isFile()) return false;
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.zn-print-XXXXXX.pdf"));
    if (!part.open()) return false;
    part.close();
    printer.setOutputFileName(part.fileName());
    const bool rendered = renderTo(printer, ops, fontName) && pdfComplete(part.fileName());
    printer.setOutputFileName(path);
    if (!rendered || !part.open()) return false;
    const QByteArray pdf = part.readAll();
    return pdf.size() == part.size() && WriteFileAtomically(path, pdf);
}
